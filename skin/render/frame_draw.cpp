// Drawing of the frame's single pieces: image parts, halo texts and items.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/render/frame_geometry.h"
#include "skin/render/render.h"
#include "skin/render/render_theme.h"

namespace orvia {

namespace {

// Halo offsets: the two vertical neighbours get no pass, which keeps the
// text's top and bottom crisp.
constexpr POINT kHaloOffsets[] = {{-1, -1}, {-1, 0}, {-1, 1}, {1, -1}, {1, 0}, {1, 1}};

// GDI+ lays a string out in a time that grows with the square of its length:
// a megabyte of status text would hold the window for most of an hour.  So
// only what can show is handed over: a box holds no more lines than one per
// 10 pixels of its height and no more characters on a line than one per 2
// pixels of its width (the frame fonts are 12 pixels high), and no window is
// larger than 32767 pixels; an unclipped text is a single line.
int DrawnLength(const wchar_t* text, int width, int height) {
    constexpr std::uint64_t kLargestWindow = 32767;
    const bool clipped = width > 0 && height > 0;
    const std::uint64_t w = clipped ? std::min<std::uint64_t>(static_cast<std::uint64_t>(width), kLargestWindow)
                                    : kLargestWindow;
    const std::uint64_t lines =
        clipped ? std::min<std::uint64_t>(static_cast<std::uint64_t>(height), kLargestWindow) / 10 + 2 : 1;
    const std::uint64_t limit = (w / 2 + 1) * lines;
    std::uint64_t n = 0;
    while (n < limit && text[n] != L'\0') ++n;
    // A character made of two units is kept whole or left out.
    if (n > 0 && text[n] != L'\0' && IS_HIGH_SURROGATE(text[n - 1])) --n;
    return static_cast<int>(n);
}

void DrawCaptionButton(const FrameItem& item, gdip::GpGraphics* graphics) {
    const DrawRect src = CaptionButtonSource(item);
    DrawImagePart(graphics, RenderTheme().skinImage, static_cast<float>(item.nLeft), static_cast<float>(item.nTop),
                  static_cast<float>(item.nWidth), static_cast<float>(item.nHeight), static_cast<float>(src.x),
                  static_cast<float>(src.y), static_cast<float>(src.width), static_cast<float>(src.height));
}

void DrawPageTab(const FrameItem& item, HDC dc, gdip::GpGraphics* graphics) {
    const OrviaTheme& theme = RenderTheme();
    if (const auto srcX = TabBackgroundSourceX(item)) {
        const auto left = static_cast<float>(item.nLeft), top = static_cast<float>(item.nTop);
        const auto width = static_cast<float>(item.nWidth), height = static_cast<float>(item.nHeight);
        DrawImagePart(graphics, theme.skinImage, left, top, width, height, static_cast<float>(*srcX),
                      static_cast<float>(skin_region::kTabY), width, height);
    }
    if (item.hIcon) {
        const POINT at = TabIconPosition(item);
        DrawIconEx(dc, at.x, at.y, item.hIcon, 32, 32, 0, nullptr, DI_NORMAL);
    }
    if (!item.sText.empty()) {
        const PixelBox box = TabTitleBox(item);
        DrawHaloText(graphics, item.sText.c_str(), theme.itemFont, box.left, box.top, box.width, box.height,
                     theme.centeredFormat);
    }
}

void DrawStatusText(const FrameItem& item, gdip::GpGraphics* graphics) {
    if (item.sText.empty()) return;
    const OrviaTheme& theme = RenderTheme();
    DrawHaloText(graphics, item.sText.c_str(), theme.itemFont, item.nLeft, item.nTop, item.nWidth, item.nHeight,
                 theme.leftFormat);
}

}  // namespace

void DrawImagePart(gdip::GpGraphics* graphics, gdip::GpImage* image, float dstX, float dstY, float dstWidth,
                   float dstHeight, float srcX, float srcY, float srcWidth, float srcHeight) {
    if (!graphics || !image) return;
    gdip::GdipDrawImageRectRect(graphics, image, dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight,
                                gdip::UnitPixel, nullptr, nullptr, nullptr);
}

void DrawHaloText(gdip::GpGraphics* graphics, const wchar_t* text, gdip::GpFont* font, int x, int y, int width,
                  int height, gdip::GpStringFormat* format) {
    if (!graphics || !text || !*text) return;
    const OrviaTheme& theme = RenderTheme();
    const int length = DrawnLength(text, width, height);
    auto pass = [&](gdip::GpSolidFill* brush, int dx, int dy) {
        const gdip::RectF layout{static_cast<float>(x) + static_cast<float>(dx),
                                 static_cast<float>(y) + static_cast<float>(dy), static_cast<float>(width),
                                 static_cast<float>(height)};
        gdip::GdipDrawString(graphics, text, length, font, &layout, format, gdip::AsBrush(brush));
    };
    for (const POINT& offset : kHaloOffsets) pass(theme.textHaloBrush, offset.x, offset.y);
    pass(theme.textBrush, 0, 0);
}

void DrawHaloText(gdip::GpGraphics* graphics, const char* text, gdip::GpFont* font, int x, int y, int width, int height,
                  gdip::GpStringFormat* format) {
    if (!text || !*text) return;
    const std::vector<wchar_t> wide = ToUtf16(text);
    DrawHaloText(graphics, wide.data(), font, x, y, width, height, format);
}

void DrawFrameItem(const FrameItem& item, HDC dc, gdip::GpGraphics* graphics) {
    switch (item.nKind) {
        case kItemCaptionButton: DrawCaptionButton(item, graphics); break;
        case kItemPageTab: DrawPageTab(item, dc, graphics); break;
        case kItemStatus: DrawStatusText(item, graphics); break;
        default: break;
    }
}

}  // namespace orvia
