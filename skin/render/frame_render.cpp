// Composing a whole frame into its cache and back surfaces.
#include <algorithm>
#include <span>
#include <string>

#include "skin/frame/registry.h"
#include "skin/object/slots.h"
#include "skin/render/banner_source.h"
#include "skin/render/frame_geometry.h"
#include "skin/render/gdi_scoped.h"
#include "skin/render/render.h"
#include "skin/render/render_theme.h"

namespace orvia {

namespace {

struct FrameSize {
    int width = 0, height = 0;
};

FrameSize WindowSize(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

HDC PropertyDC(HWND window, const char* name) { return reinterpret_cast<HDC>(GetProperty(window, name)); }
HBITMAP PropertyBitmap(HWND window, const char* name) { return reinterpret_cast<HBITMAP>(GetProperty(window, name)); }
void SetHandleProperty(HWND window, const char* name, HANDLE value) {
    SetProperty(window, name, reinterpret_cast<LONG_PTR>(value));
}

struct Surfaces {
    HDC cache = nullptr;
    HDC back = nullptr;
};

// The two DCs live as long as the window; only their bitmaps follow its size.
Surfaces EnsureSurfaces(HWND window, HDC windowDC) {
    Surfaces s{PropertyDC(window, prop::kCacheDC), PropertyDC(window, prop::kBackDC)};
    if (s.cache) return s;
    s.cache = CreateCompatibleDC(windowDC);
    s.back = CreateCompatibleDC(windowDC);
    SetBkMode(s.cache, TRANSPARENT);
    SetStretchBltMode(s.cache, HALFTONE);
    SetBrushOrgEx(s.cache, 0, 0, nullptr);
    SetHandleProperty(window, prop::kCacheDC, s.cache);
    SetHandleProperty(window, prop::kBackDC, s.back);
    return s;
}

// Puts the DC's original bitmap back and deletes the one the frame made.
void DropBitmap(HWND window, HDC dc, const char* bitmapName, const char* oldName) {
    HBITMAP bitmap = PropertyBitmap(window, bitmapName);
    if (!bitmap) return;
    if (dc) SelectObject(dc, PropertyBitmap(window, oldName));
    DeleteObject(bitmap);
    SetHandleProperty(window, bitmapName, nullptr);
}

void GiveBitmap(HWND window, HDC dc, HDC windowDC, FrameSize size, const char* bitmapName, const char* oldName) {
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, size.width, size.height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetHandleProperty(window, bitmapName, bitmap);
    SetHandleProperty(window, oldName, old);
}

void ReplaceBitmaps(HWND window, const Surfaces& s, HDC windowDC, FrameSize size) {
    if (PropertyBitmap(window, prop::kCacheBitmap)) {
        DropBitmap(window, s.cache, prop::kCacheBitmap, prop::kCacheOldBitmap);
        DropBitmap(window, s.back, prop::kBackBitmap, prop::kBackOldBitmap);
    }
    GiveBitmap(window, s.cache, windowDC, size, prop::kCacheBitmap, prop::kCacheOldBitmap);
    GiveBitmap(window, s.back, windowDC, size, prop::kBackBitmap, prop::kBackOldBitmap);
}

void Draw(gdip::GpGraphics* graphics, gdip::GpImage* image, const ImagePart& part) {
    DrawImagePart(graphics, image, static_cast<float>(part.dst.x), static_cast<float>(part.dst.y),
                  static_cast<float>(part.dst.width), static_cast<float>(part.dst.height),
                  static_cast<float>(part.src.x), static_cast<float>(part.src.y), static_cast<float>(part.src.width),
                  static_cast<float>(part.src.height));
}

void Fill(gdip::GpGraphics* graphics, gdip::GpBrush* brush, const DrawRect& r) {
    if (!brush) return;
    gdip::GdipFillRectangle(graphics, brush, static_cast<float>(r.x), static_cast<float>(r.y),
                            static_cast<float>(r.width), static_cast<float>(r.height));
}

void FillGradient(gdip::GpGraphics* graphics, COLORREF color, const GradientBand& band) {
    const ScopedLineBrush brush({static_cast<float>(band.fromX), static_cast<float>(band.fromY)},
                                {static_cast<float>(band.toX), static_cast<float>(band.toY)},
                                ColorToArgb(color, band.fromAlpha), ColorToArgb(color, band.toAlpha));
    Fill(graphics, brush.get(), band.fill);
}

struct FrameState {
    FrameSize size;
    int bannerHeight = 0;
    int statusHeight = 0;
    bool sizable = false;
    bool maximized = false;
};

void DrawBanner(gdip::GpGraphics* graphics, const FrameState& f) {
    gdip::GpImage* picture = BannerPicture();
    if (!picture) return;
    const OrviaTheme& theme = RenderTheme();
    const BannerPlacement placement =
        PlaceBanner(f.size.width, f.bannerHeight, theme.bannerImageWidth, theme.bannerImageHeight);
    Draw(graphics, picture, BannerPart(placement));
    if (const auto fade = LeftFade(placement, f.bannerHeight)) FillGradient(graphics, theme.skinColor, *fade);
    FillGradient(graphics, theme.skinColor, BottomFade(f.size.width, f.bannerHeight));
}

void DrawStatusBand(HWND window, gdip::GpGraphics* graphics, const FrameState& f) {
    const OrviaTheme& theme = RenderTheme();
    const int W = f.size.width, H = f.size.height, sh = f.statusHeight;
    Draw(graphics, theme.skinImage, StatusGloss(W, H, sh));
    if (FrameRecord* record = FindFrame(window)) {
        const std::int32_t i = record->nStatusItem;
        if (i >= 1 && i <= record->nItemCount && i <= static_cast<std::int32_t>(record->Items.size())) {
            const PixelBox box = StatusItemBox(W, H, sh, f.sizable);
            PlaceItem(record->Items[static_cast<std::size_t>(i - 1)], box.left, box.top, box.width, box.height);
        }
    }
    if (ShowsSizeGrip(sh, f.sizable, f.maximized)) Draw(graphics, theme.skinImage, SizeGrip(W, H));
}

// Everything the back surface keeps: the frame without icon, title and items.
void DrawFrameBackground(HWND window, gdip::GpGraphics* graphics, const FrameState& f) {
    const OrviaTheme& theme = RenderTheme();
    const int W = f.size.width, H = f.size.height;
    Fill(graphics, gdip::AsBrush(theme.skinColorBrush), {0, 0, static_cast<double>(W), static_cast<double>(H)});
    DrawBanner(graphics, f);
    Draw(graphics, theme.skinImage, CaptionGloss(W));
    if (f.statusHeight > 0) DrawStatusBand(window, graphics, f);
    Fill(graphics, gdip::AsBrush(theme.backFill), ClientFill(W, H, f.bannerHeight, f.statusHeight));
    if (theme.borderPen) {
        const DrawRect r = ClientOutline(W, H, f.bannerHeight, f.statusHeight);
        gdip::GdipDrawRectangle(graphics, theme.borderPen, static_cast<float>(r.x), static_cast<float>(r.y),
                                static_cast<float>(r.width), static_cast<float>(r.height));
    }
    for (const ImagePart& part : FrameBorder(W, H)) Draw(graphics, theme.skinImage, part);
}

std::wstring WindowTitle(HWND window) {
    // Titles are read as UTF-16 so that they come out right whatever the
    // system's ANSI code page is.
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void DrawIconAndTitle(HWND window, HDC cache, gdip::GpGraphics* graphics) {
    const OrviaTheme& theme = RenderTheme();
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = theme.appIcon;
    if (icon)
        DrawIconEx(cache, kCaptionIconX, kCaptionIconY, icon, kCaptionIconSize, kCaptionIconSize, 0, nullptr,
                   DI_NORMAL);
    const std::wstring title = WindowTitle(window);
    if (!title.empty())
        DrawHaloText(graphics, title.c_str(), theme.captionFont, TitleLeft(icon != nullptr), kTitleY, 0, 0, nullptr);
}

void DrawItems(HWND window, HDC cache, gdip::GpGraphics* graphics, int windowWidth) {
    // Looked up afresh: the title and icon queries above run the window's
    // own procedure, which may have changed the registry.
    FrameRecord* record = FindFrame(window);
    if (!record) return;
    const auto count = static_cast<std::size_t>(std::max(record->nItemCount, 0));
    const std::span<FrameItem> items(record->Items.data(), std::min(count, record->Items.size()));
    LayoutCaptionButtons(items, windowWidth);
    for (const FrameItem& item : items)
        if (item.bVisible) DrawFrameItem(item, cache, graphics);
}

void SetRoundedRegion(HWND window, FrameSize size) {
    HRGN region = CreateRoundRectRgn(0, 0, size.width + 1, size.height + 1, 3, 3);
    // On success the window owns the region; on failure nobody would.
    if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
}

}  // namespace

void RenderFrame(HWND window, bool force) {
    if (!IsWindow(window)) return;
    FrameState f;
    f.size = WindowSize(window);
    if (!force && f.size.width == GetIntProperty(window, prop::kWidth) &&
        f.size.height == GetIntProperty(window, prop::kHeight))
        return;
    // Stored first, so that a render set off by our own drawing calls (the
    // region change sends messages) finds nothing to do.
    SetProperty(window, prop::kWidth, f.size.width);
    SetProperty(window, prop::kHeight, f.size.height);

    const ScopedWindowDC windowDC(window);
    const Surfaces surfaces = EnsureSurfaces(window, windowDC.get());
    ReplaceBitmaps(window, surfaces, windowDC.get(), f.size);

    f.bannerHeight = GetIntProperty(window, prop::kBannerHeight);
    f.statusHeight = GetIntProperty(window, prop::kStatusHeight);
    f.sizable = GetIntProperty(window, prop::kSizeBox) == 1;
    f.maximized = GetIntProperty(window, prop::kMaximize) != 0;
    {
        const ScopedGraphics graphics(surfaces.cache);
        DrawFrameBackground(window, graphics.get(), f);
        BitBlt(surfaces.back, 0, 0, f.size.width, f.size.height, surfaces.cache, 0, 0, SRCCOPY);
        DrawIconAndTitle(window, surfaces.cache, graphics.get());
        DrawItems(window, surfaces.cache, graphics.get(), f.size.width);
        SetRoundedRegion(window, f.size);
    }
}

void ReleaseFrameSurfaces(HWND window) {
    HDC cache = PropertyDC(window, prop::kCacheDC);
    HDC back = PropertyDC(window, prop::kBackDC);
    DropBitmap(window, cache, prop::kCacheBitmap, prop::kCacheOldBitmap);
    DropBitmap(window, back, prop::kBackBitmap, prop::kBackOldBitmap);
    if (cache) DeleteDC(cache);
    if (back) DeleteDC(back);
    // Zero rather than removed: nothing may blit from a handle that GDI could
    // hand out again, and a later render starts from scratch.
    for (const char* name :
         {prop::kCacheDC, prop::kBackDC, prop::kCacheOldBitmap, prop::kBackOldBitmap, prop::kWidth, prop::kHeight})
        SetProperty(window, name, 0);
}

namespace slots {

void RedrawAllFrames(OrviaSkin*) {
    const std::int32_t count = g_registryCount;
    for (std::int32_t i = 1; i <= count; ++i) {
        // A render runs the window's procedures, which may destroy frames.
        if (!g_frameRegistry || i > g_registryCount) break;
        HWND window = g_frameRegistry->records[static_cast<std::size_t>(i - 1)]->hWnd;
        RenderFrame(window, true);
        InvalidateRect(window, nullptr, TRUE);
    }
}

}  // namespace slots
}  // namespace orvia
