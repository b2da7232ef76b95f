// The process-wide drawing resources that every skinned window shares, and
// the small conversion helpers the skin uses everywhere.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gdiplus/gdiplus_flat.h"
#include "skin/skin_types.h"

namespace orvia {

struct OrviaTheme {
    HICON appIcon = nullptr;
    gdip::GpImage* skinImage = nullptr;
    gdip::GpSolidFill* textHaloBrush = nullptr;
    gdip::GpSolidFill* textBrush = nullptr;
    gdip::GpPen* borderPen = nullptr;
    gdip::GpFont* captionFont = nullptr;
    gdip::GpFont* itemFont = nullptr;
    gdip::GpStringFormat* centeredFormat = nullptr;
    gdip::GpStringFormat* leftFormat = nullptr;
    HICON defaultPageIcon = nullptr;
    HDC spriteDC = nullptr;
    HFONT defaultControlFont = nullptr;
    COLORREF backColor = 0;
    HBRUSH backBrush = nullptr;
    gdip::GpSolidFill* backFill = nullptr;
    COLORREF skinColor = 0;
    gdip::GpSolidFill* skinColorBrush = nullptr;
    std::int32_t bannerImageWidth = 0;
    std::int32_t bannerImageHeight = 0;
};

// The one theme.  Created empty by the program entry (NewTheme) before any
// window exists and filled by BuildTheme; every skin operation that draws
// reads it and draws nothing while it is absent.
extern OrviaTheme* g_theme;

// Allocates the empty theme (all fields zero) when there is none.
void NewTheme();
// Frees the structure only: its GDI and GDI+ objects live until the process
// ends, because frames may still be drawing with them during shutdown.
void FreeTheme();

// Fills g_theme (no effect while it is absent).  Run once, before the first
// window is loaded.
void BuildTheme();

// The face that frame texts ask for first; see BuildTheme for the fallback.
inline constexpr char kFrameFontFace[] = "\xcb\xce\xcc\xe5";  // 宋体 in code page 936

// Chinese-capable families tried, in order, when the frame face is missing, so
// that titles and the status text never vanish.
std::span<const wchar_t* const> FallbackFontFamilies();

// NewFont of `faceName`, or of the first installed fallback family when that
// face is missing.  Null only when none of them is installed.
gdip::GpFont* NewFontWithFallback(const char* faceName, float size, int style, int unit);

ByteSpan AssembleSkinImage();

// Decodes an image from bytes.  The memory block and stream stay alive with
// the image for the life of the process (the theme's images are never
// released); when the bytes do not decode both are released at once.
gdip::GpImage* LoadImageFromBytes(ByteSpan bytes, std::int32_t* width = nullptr,
                                  std::int32_t* height = nullptr);

constexpr std::uint32_t ColorToArgb(COLORREF color, std::uint8_t alpha) {
    const std::uint32_t red = color & 0xFF;
    const std::uint32_t green = (color >> 8) & 0xFF;
    const std::uint32_t blue = (color >> 16) & 0xFF;
    return static_cast<std::uint32_t>(alpha) << 24 | red << 16 | green << 8 | blue;
}

gdip::GpSolidFill* NewSolidFill(std::uint32_t argb);

// A GDI+ font of the named family (8-bit text, code page 936), or null when
// the family is not installed.
gdip::GpFont* NewFont(const char* faceName, float size, int style, int unit);

// UTF-16 of a skin text.  Skin texts (titles, status text, face names) are
// code page 936 whatever the system's ANSI code page is, so they are
// converted from 936 explicitly.  Null reads as the empty text.  The result
// always ends in one terminating zero.
std::vector<wchar_t> ToUtf16(const char* text);
// UTF-16 of a file name, which like every ANSI path is in the system's ANSI
// code page.
std::vector<wchar_t> PathToUtf16(const char* path);

// An icon from image `index` of .ico file bytes; null when the directory has
// no such entry or its image range lies outside the buffer.  Sizes are
// reported as stored when an entry was found.
HICON IconFromIcoBytes(ByteSpan bytes, int index, std::int32_t* width = nullptr,
                       std::int32_t* height = nullptr);

// A device-dependent bitmap from .bmp file bytes; null for anything that is
// not a complete, uncompressed (or bit-field) bitmap.
HBITMAP BitmapFromBmpBytes(ByteSpan bytes);

}  // namespace orvia
