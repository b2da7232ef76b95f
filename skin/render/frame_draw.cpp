// Drawing of the frame's single pieces: image parts, halo texts and items.
#include <vector>

#include "skin/render/frame_geometry.h"
#include "skin/render/render.h"
#include "skin/render/render_theme.h"

namespace orvia {

namespace {

// Halo offsets: the two vertical neighbours get no pass, which keeps the
// text's top and bottom crisp.
constexpr POINT kHaloOffsets[] = {{-1, -1}, {-1, 0}, {-1, 1}, {1, -1}, {1, 0}, {1, 1}};

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
    auto pass = [&](gdip::GpSolidFill* brush, int dx, int dy) {
        const gdip::RectF layout{static_cast<float>(x + dx), static_cast<float>(y + dy), static_cast<float>(width),
                                 static_cast<float>(height)};
        gdip::GdipDrawString(graphics, text, -1, font, &layout, format, gdip::AsBrush(brush));
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
