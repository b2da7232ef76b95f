#include "skin/theme/theme.h"

#include <shellapi.h>

#include <array>
#include <cstring>

#include "skin/theme/bmp_parse.h"
#include "skin/theme/embedded.h"
#include "skin/theme/ico_parse.h"

namespace orvia {

OrviaTheme* g_theme = nullptr;

void NewTheme() {
    if (!g_theme) g_theme = new OrviaTheme{};
}

void FreeTheme() {
    delete g_theme;
    g_theme = nullptr;
}

std::span<const wchar_t* const> FallbackFontFamilies() {
    static constexpr std::array<const wchar_t*, 9> families = {
        L"SimSun",          L"NSimSun",          L"Microsoft YaHei",
        L"SimHei",          L"WenQuanYi Zen Hei", L"WenQuanYi Micro Hei",
        L"Noto Sans CJK SC", L"Droid Sans Fallback", L"Arial Unicode MS",
    };
    return families;
}

namespace {

gdip::GpFont* NewFontFromWideName(const wchar_t* face, float size, int style, int unit) {
    gdip::GpFontFamily* family = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(face, nullptr, &family) != gdip::Ok || !family) return nullptr;
    gdip::GpFont* font = nullptr;
    const gdip::Status status = gdip::GdipCreateFont(family, size, style, unit, &font);
    // The font keeps what it needs of the family; ours is released on every path.
    gdip::GdipDeleteFontFamily(family);
    return status == gdip::Ok ? font : nullptr;
}

gdip::GpStringFormat* NewFormat(gdip::StringAlignment align) {
    gdip::GpStringFormat* format = nullptr;
    gdip::GdipCreateStringFormat(0, 2052, &format);
    gdip::GdipSetStringFormatAlign(format, align);
    gdip::GdipSetStringFormatLineAlign(format, gdip::StringAlignmentCenter);
    return format;
}

HICON LoadProgramIcon(HMODULE module) {
    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(0x81));
    if (!icon) icon = LoadIconA(module, MAKEINTRESOURCEA(0x80));
    if (!icon) icon = LoadIconA(module, "DEFAULT_ICON");
    if (!icon) {
        SHFILEINFOA info{};
        SHGetFileInfoA(".exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES);
        icon = info.hIcon;
    }
    return icon;
}

std::vector<wchar_t> ConvertToUtf16(UINT codePage, const char* text) {
    if (!text) text = "";
    const int n = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (n <= 0) return {L'\0'};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, buffer.data(), n);
    buffer.back() = L'\0';
    return buffer;
}

}  // namespace

void BuildTheme() {
    if (!g_theme) return;
    OrviaTheme& t = *g_theme;

    ULONG_PTR token = 0;
    const gdip::StartupInput input{1, nullptr, FALSE, FALSE};
    gdip::GdiplusStartup(&token, &input, nullptr);

    HMODULE module = GetModuleHandleA(nullptr);
    t.appIcon = LoadProgramIcon(module);
    t.skinImage = LoadImageFromBytes(AssembleSkinImage());
    t.textHaloBrush = NewSolidFill(ColorToArgb(0x000000, 90));
    t.textBrush = NewSolidFill(ColorToArgb(0xFFFFFF, 255));
    gdip::GdipCreatePen1(ColorToArgb(0x000000, 150), 1.0f, gdip::UnitWorld, &t.borderPen);
    // Without the frame face no title or status text would be drawn at all.
    t.captionFont = NewFontWithFallback(kFrameFontFace, 12.0f, gdip::FontStyleBold, gdip::UnitPixel);
    t.itemFont = NewFontWithFallback(kFrameFontFace, 12.0f, gdip::FontStyleRegular, gdip::UnitPixel);
    t.centeredFormat = NewFormat(gdip::StringAlignmentCenter);
    t.leftFormat = NewFormat(gdip::StringAlignmentNear);
    t.defaultPageIcon = IconFromIcoBytes(embedded::DefaultPageIco(), 0);
    t.skinColorBrush = NewSolidFill(ColorToArgb(0xD2B30E, 255));

    HDC screen = GetDC(nullptr);
    t.spriteDC = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    // Stays selected for the life of the process, so that painting a child
    // control is a plain blit; the DC's original bitmap is not needed again.
    SelectObject(t.spriteDC, BitmapFromBmpBytes(embedded::SpriteSheetBmp()));

    t.defaultControlFont = static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
    t.backColor = GetSysColor(COLOR_BTNFACE);
    t.backBrush = CreateSolidBrush(t.backColor);
    t.backFill = NewSolidFill(ColorToArgb(t.backColor, 255));
}

ByteSpan AssembleSkinImage() { return embedded::SkinImagePng(); }

gdip::GpImage* LoadImageFromBytes(ByteSpan bytes, std::int32_t* width, std::int32_t* height) {
    if (bytes.empty()) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    gdip::GpImage* image = nullptr;
    if (gdip::GdipLoadImageFromStream(stream, &image) != gdip::Ok || !image) {
        stream->Release();
        GlobalFree(block);
        return nullptr;
    }
    // The stream and block stay with the image, which may read from them
    // for as long as it exists.
    UINT w = 0, h = 0;
    if (width) {
        gdip::GdipGetImageWidth(image, &w);
        *width = static_cast<std::int32_t>(w);
    }
    if (height) {
        gdip::GdipGetImageHeight(image, &h);
        *height = static_cast<std::int32_t>(h);
    }
    return image;
}

gdip::GpSolidFill* NewSolidFill(std::uint32_t argb) {
    gdip::GpSolidFill* brush = nullptr;
    gdip::GdipCreateSolidFill(argb, &brush);
    return brush;
}

gdip::GpFont* NewFont(const char* faceName, float size, int style, int unit) {
    return NewFontFromWideName(ToUtf16(faceName).data(), size, style, unit);
}

gdip::GpFont* NewFontWithFallback(const char* faceName, float size, int style, int unit) {
    if (gdip::GpFont* font = NewFont(faceName, size, style, unit)) return font;
    for (const wchar_t* face : FallbackFontFamilies())
        if (gdip::GpFont* font = NewFontFromWideName(face, size, style, unit)) return font;
    return nullptr;
}

std::vector<wchar_t> ToUtf16(const char* text) { return ConvertToUtf16(936, text); }

std::vector<wchar_t> PathToUtf16(const char* path) { return ConvertToUtf16(CP_ACP, path); }

HICON IconFromIcoBytes(ByteSpan bytes, int index, std::int32_t* width, std::int32_t* height) {
    const std::optional<IcoImageEntry> entry = ReadIcoEntry(bytes, index);
    if (!entry) return nullptr;
    if (width) *width = entry->width;
    if (height) *height = entry->height;
    // CreateIconFromResource takes a non-const pointer but only reads.
    auto* data = const_cast<BYTE*>(bytes.data() + entry->offset);
    return CreateIconFromResource(data, entry->size, TRUE, 0x00030000);
}

HBITMAP BitmapFromBmpBytes(ByteSpan bytes) {
    const std::optional<BmpLayout> layout = ReadBmpLayout(bytes);
    if (!layout) return nullptr;
    // The header sits at an odd offset inside the file; the system gets an
    // aligned copy of it and of its colour table.
    const std::size_t headerBytes = layout->pixelOffset - layout->infoOffset;
    std::vector<std::uint32_t> header((headerBytes + 3) / 4);
    std::memcpy(header.data(), bytes.data() + layout->infoOffset, headerBytes);
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());

    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bytes.data() + layout->pixelOffset,
                                    info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace orvia
