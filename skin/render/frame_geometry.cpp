#include "skin/render/frame_geometry.h"

#include <algorithm>
#include <climits>

namespace orvia {

namespace {

constexpr double kFadeWidth = 150;
constexpr double kFadeDepth = 10;
constexpr int kCloseRightGap = 45;  // Close is 40 wide and ends 5 pixels from the right
constexpr int kButtonStep = 27;

// A status height of 0 or less is no band at all.
int BandHeight(int statusHeight) { return std::max(statusHeight, 0); }

}  // namespace

BannerPlacement PlaceBanner(int windowWidth, int bannerHeight, int imageWidth, int imageHeight) {
    BannerPlacement p;
    if (imageWidth < windowWidth) {
        p.srcX = 0;
        p.dstX = static_cast<double>(windowWidth) - imageWidth;
    } else {
        p.srcX = static_cast<double>(imageWidth) - windowWidth;
        p.dstX = 0;
    }
    p.width = imageWidth - p.srcX;
    p.height = std::min(static_cast<double>(bannerHeight) + kFadeDepth, static_cast<double>(imageHeight));
    return p;
}

ImagePart BannerPart(const BannerPlacement& p) {
    return {{p.dstX, 0, p.width, p.height}, {p.srcX, 0, p.width, p.height}};
}

std::optional<GradientBand> LeftFade(const BannerPlacement& p, int bannerHeight) {
    if (p.dstX <= 0) return std::nullopt;
    GradientBand band;
    band.fill = {p.dstX, 0, kFadeWidth, bannerHeight + kFadeDepth};
    band.fromX = p.dstX;
    band.toX = p.dstX + kFadeWidth;
    band.fromAlpha = 255;
    band.toAlpha = 0;
    return band;
}

GradientBand BottomFade(int windowWidth, int bannerHeight) {
    GradientBand band;
    band.fill = {0, static_cast<double>(bannerHeight), static_cast<double>(windowWidth), kFadeDepth};
    band.fromY = bannerHeight;
    band.toY = bannerHeight + kFadeDepth;
    band.fromAlpha = 0;
    band.toAlpha = 255;
    return band;
}

ImagePart CaptionGloss(int windowWidth) {
    return {{0, 0, static_cast<double>(windowWidth), 90}, skin_region::kBannerGloss};
}

ImagePart StatusGloss(int windowWidth, int windowHeight, int statusHeight) {
    return {{2, static_cast<double>(windowHeight) - statusHeight - 3, static_cast<double>(windowWidth) - 4,
             static_cast<double>(statusHeight)},
            skin_region::kStatusGloss};
}

PixelBox StatusItemBox(int windowWidth, int windowHeight, int statusHeight, bool sizable) {
    // A sizable frame keeps the size grip's corner free of text.  The top in
    // 64 bits: a status band near the 32-bit limit over a tiny window must
    // not wrap round to the bottom.
    const auto top =
        static_cast<int>(std::max<long long>(static_cast<long long>(windowHeight) - statusHeight - 3, INT_MIN));
    return {5, top, windowWidth - 10 - (sizable ? 10 : 0), statusHeight};
}

bool ShowsSizeGrip(int statusHeight, bool sizable, bool maximized) { return statusHeight > 0 && sizable && !maximized; }

ImagePart SizeGrip(int windowWidth, int windowHeight) {
    return {{static_cast<double>(windowWidth) - 14, static_cast<double>(windowHeight) - 14, 12, 12},
            skin_region::kSizeGrip};
}

DrawRect ClientFill(int windowWidth, int windowHeight, int bannerHeight, int statusHeight) {
    const int sh = BandHeight(statusHeight);
    return {3, static_cast<double>(bannerHeight) + 1, static_cast<double>(windowWidth) - 6,
            static_cast<double>(windowHeight) - bannerHeight - sh - 4};
}

DrawRect ClientOutline(int windowWidth, int windowHeight, int bannerHeight, int statusHeight) {
    const int sh = BandHeight(statusHeight);
    return {2, static_cast<double>(bannerHeight), static_cast<double>(windowWidth) - 5,
            static_cast<double>(windowHeight) - bannerHeight - sh - 3};
}

std::array<ImagePart, 8> FrameBorder(int windowWidth, int windowHeight) {
    const double W = windowWidth, H = windowHeight, c = skin_region::kBorderCell;
    const double gx = skin_region::kBorderGridX, gy = skin_region::kBorderGridY;
    // Far corner cells of the 60 x 52 grid.
    const double right = gx + 55, bottom = gy + 47;
    auto part = [c](double dx, double dy, double dw, double dh, double sx, double sy) {
        return ImagePart{{dx, dy, dw, dh}, {sx, sy, c, c}};
    };
    return {{
        part(0, 0, c, c, gx, gy),
        part(c, 0, W - 2 * c, c, gx + c, gy),
        part(W - c, 0, c, c, right, gy),
        part(0, c, c, H - 2 * c, gx, gy + c),
        part(W - c, c, c, H - 2 * c, right, gy + c),
        part(0, H - c, c, c, gx, bottom),
        part(c, H - c, W - 2 * c, c, gx + c, bottom),
        part(W - c, H - c, c, c, right, bottom),
    }};
}

int TitleLeft(bool hasIcon) { return hasIcon ? kCaptionIconX + kCaptionIconSize + 4 : kCaptionIconX; }

void PlaceItem(FrameItem& item, int left, int top, int width, int height) {
    item.nLeft = left;
    item.nTop = top;
    item.nWidth = width;
    item.nHeight = height;
    item.rcBounds = {left, top, left + width, top + height};
}

void LayoutCaptionButtons(std::span<FrameItem> items, int windowWidth) {
    int x = windowWidth - kCloseRightGap;
    for (FrameItem& item : items) {
        if (item.nKind != kItemCaptionButton) continue;
        PlaceItem(item, x, item.nTop, item.nWidth, item.nHeight);
        if (item.nId != kButtonMaximize) x -= kButtonStep;
    }
}

DrawRect CaptionButtonSource(const FrameItem& item) {
    double x = 0;
    switch (item.nId) {
        case kButtonClose: x = 162; break;
        case kButtonRestore: x = 135; break;
        case kButtonMaximize: x = 108; break;
        case kButtonMinimize: x = 81; break;
        case kButtonMainMenu: x = 54; break;
        case kButtonList: x = 27; break;
        default: x = 0; break;  // Help, and any id without a cell of its own
    }
    const double width = item.nId == kButtonClose ? 40 : 27;
    double y = skin_region::kButtonRowNormal;
    if (item.bPressed)
        y = skin_region::kButtonRowPressed;
    else if (item.bHover)
        y = skin_region::kButtonRowHover;
    return {x, y, width, skin_region::kButtonHeight};
}

std::optional<double> TabBackgroundSourceX(const FrameItem& item) {
    if (item.bPressed || item.bSelected) return skin_region::kTabDownX;
    if (item.bHover) return skin_region::kTabHotX;
    return std::nullopt;
}

POINT TabIconPosition(const FrameItem& item) {
    const double x = item.nLeft + (item.nWidth - 32) / 2.0;
    return {static_cast<LONG>(x), item.nTop + 2};
}

PixelBox TabTitleBox(const FrameItem& item) { return {item.nLeft, item.nTop + item.nHeight - 16, item.nWidth, 16}; }

SideEdgeStrips SideEdges(int windowWidth, int windowHeight, int bannerHeight, int statusHeight) {
    // In 64 bits: two bands near the 32-bit limit must not wrap round into a
    // strip of positive height.
    const auto cy = static_cast<int>(std::clamp<long long>(
        static_cast<long long>(windowHeight) - bannerHeight - BandHeight(statusHeight), INT_MIN, INT_MAX));
    return {{0, bannerHeight, 3, cy}, {windowWidth - 3, bannerHeight, 3, cy}};
}

}  // namespace orvia
