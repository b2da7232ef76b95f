// Frames registered by hand, as attaching the skin does it, so that the
// rendering can be looked at without the frame window procedure; colour
// arithmetic for the translucent layers; and a count of live GDI objects.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/render/render.h"
#include "skin/theme/theme.h"
#include "tests/harness/harness.h"
#include "tests/skin/render/gui_resources.h"

namespace render_test {

// Straight-alpha "source over": `color` at `alpha` (0-255) over `below`.
inline COLORREF Over(COLORREF below, COLORREF color, int alpha) {
    auto mix = [alpha](int d, int s) { return static_cast<int>(std::lround((s * alpha + d * (255 - alpha)) / 255.0)); };
    return RGB(mix(GetRValue(below), GetRValue(color)), mix(GetGValue(below), GetGValue(color)),
               mix(GetBValue(below), GetBValue(color)));
}

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The frame's stand-in window procedure: only the paint path and the release
// of the surfaces, which is what the frame procedure does with them.
inline LRESULT CALLBACK PaintingFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: orvia::PaintFromCache(window); return 0;
        case WM_ERASEBKGND: orvia::EraseFromCache(window, reinterpret_cast<HDC>(wParam)); return 1;
        case WM_DESTROY: orvia::ReleaseFrameSurfaces(window); break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct FrameSetup {
    int width = 512, height = 411;
    int banner = 80, status = 26;
    bool maximizeBox = true;
    bool minimize = true;
    bool sizable = false;
    bool maximized = false;
    bool registered = true;
    const wchar_t* title = L"";
    std::string statusText = {};
    // Rendered once by the constructor, as attaching does.
    bool render = true;
};

// A borderless visible window registered as a skinned frame with Close,
// Maximize, Restore (hidden), Minimize and the status item, in the order in
// which attaching adds them.
class TestFrame {
public:
    explicit TestFrame(const FrameSetup& setup = {}) : setup_(setup) {
        harness::TestWindow::Options o;
        o.x = 40;
        o.y = 40;
        o.width = setup.width;
        o.height = setup.height;
        o.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
        o.className = harness::TestWindowClass(L"RenderTestFrame", PaintingFrameProc);
        o.text = setup.title;
        window_ = std::make_unique<harness::TestWindow>(o);
        HWND w = hwnd();
        orvia::SetProperty(w, orvia::prop::kBannerHeight, setup.banner);
        orvia::SetProperty(w, orvia::prop::kStatusHeight, setup.status);
        orvia::SetProperty(w, orvia::prop::kSizeBox, setup.sizable ? 1 : 0);
        orvia::SetProperty(w, orvia::prop::kMaximize, setup.maximized ? 1 : 0);
        if (setup.registered) Register();
        if (setup.render) orvia::RenderFrame(w, true);
    }
    ~TestFrame() {
        orvia::RemoveFrame(hwnd());
        window_->Destroy();
    }
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;

    HWND hwnd() const { return window_->hwnd(); }
    int width() const { return setup_.width; }
    int height() const { return setup_.height; }
    orvia::FrameRecord* record() const { return orvia::FindFrame(hwnd()); }
    orvia::FrameItem& item(int index) const { return record()->Items.at(static_cast<std::size_t>(index - 1)); }
    int closeIndex = 0, maximizeIndex = 0, restoreIndex = 0, minimizeIndex = 0, statusIndex = 0;

    HDC cache() const { return reinterpret_cast<HDC>(orvia::GetProperty(hwnd(), orvia::prop::kCacheDC)); }
    HDC back() const { return reinterpret_cast<HDC>(orvia::GetProperty(hwnd(), orvia::prop::kBackDC)); }
    harness::Pixels CachePixels() const { return harness::Pixels::FromDC(cache(), 0, 0, width(), height()); }
    harness::Pixels BackPixels() const { return harness::Pixels::FromDC(back(), 0, 0, width(), height()); }
    harness::Pixels ScreenPixels() const { return harness::Pixels::FromWindow(hwnd()); }

    // Paints the window's screen pixels without touching its update region.
    void PaintScreen(COLORREF color) const {
        HDC dc = GetDC(hwnd());
        FillSurface(dc, color);
        ReleaseDC(hwnd(), dc);
    }
    void FillSurface(HDC dc, COLORREF color) const {
        HBRUSH brush = CreateSolidBrush(color);
        const RECT all{0, 0, width(), height()};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }

private:
    void Register() {
        auto record = std::make_unique<orvia::FrameRecord>();
        record->hWnd = hwnd();
        auto button = [&](int id, int width) {
            return orvia::AddFrameItem(*record, orvia::kItemCaptionButton, id, 0, 1, width, 19, "");
        };
        closeIndex = button(orvia::kButtonClose, 40);
        if (setup_.maximizeBox) {
            maximizeIndex = button(orvia::kButtonMaximize, 27);
            restoreIndex = button(orvia::kButtonRestore, 27);
            record->Items[static_cast<std::size_t>(restoreIndex - 1)].bVisible = 0;
        }
        if (setup_.minimize) minimizeIndex = button(orvia::kButtonMinimize, 27);
        if (setup_.status > 0) {
            statusIndex = orvia::AddFrameItem(*record, orvia::kItemStatus, 0, 0, 1, 27, 19, setup_.statusText.c_str());
            record->nStatusItem = statusIndex;
        }
        const std::int32_t index = orvia::AppendFrame(std::move(record));
        orvia::SetProperty(hwnd(), orvia::prop::kDuiIndex, index);
    }

    FrameSetup setup_;
    std::unique_ptr<harness::TestWindow> window_;
};

// Swaps theme colours for the length of a test and puts the originals back.
class ThemeColours {
public:
    ThemeColours() : saved_(*orvia::g_theme) {}
    ~ThemeColours() {
        orvia::OrviaTheme& t = *orvia::g_theme;
        t.skinColorBrush = saved_.skinColorBrush;
        t.backFill = saved_.backFill;
        t.skinColor = saved_.skinColor;
        t.bannerImageWidth = saved_.bannerImageWidth;
        t.bannerImageHeight = saved_.bannerImageHeight;
        t.appIcon = saved_.appIcon;
        for (gdip::GpSolidFill* brush : made_) gdip::GdipDeleteBrush(gdip::AsBrush(brush));
    }
    ThemeColours(const ThemeColours&) = delete;
    ThemeColours& operator=(const ThemeColours&) = delete;

    void Skin(COLORREF color) { orvia::g_theme->skinColorBrush = Make(color); }
    void Back(COLORREF color) { orvia::g_theme->backFill = Make(color); }

private:
    gdip::GpSolidFill* Make(COLORREF color) {
        made_.push_back(orvia::NewSolidFill(orvia::ColorToArgb(color, 255)));
        return made_.back();
    }
    orvia::OrviaTheme saved_;
    std::vector<gdip::GpSolidFill*> made_;
};

// Pixels of (x, y, w, h) in which two snapshots differ.
inline int DifferingPixels(const harness::Pixels& a, const harness::Pixels& b, int x, int y, int w, int h) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (a.At(i, j) != b.At(i, j)) ++n;
    return n;
}

// True when (x, y, w, h) of `a` equals the same rectangle of `b`.
inline bool SameRect(const harness::Pixels& a, const harness::Pixels& b, int x, int y, int w, int h) {
    return DifferingPixels(a, b, x, y, w, h) == 0;
}

}  // namespace render_test
