// Where every layer of a frame goes, as plain functions of the window size,
// the band heights and the item fields, so that the layout can be checked
// without a window or a surface.  All values are window coordinates in
// pixels; GDI+ later receives them as floats.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "skin/frame/frame_types.h"

namespace orvia {

struct DrawRect {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const DrawRect&) const = default;
};

// One piece of an image drawn into a destination rectangle.
struct ImagePart {
    DrawRect dst;
    DrawRect src;
    bool operator==(const ImagePart&) const = default;
};

// A rectangle filled with a two-colour linear gradient of one colour whose
// alpha runs from `fromAlpha` at `from` to `toAlpha` at `to`.
struct GradientBand {
    DrawRect fill;
    double fromX = 0, fromY = 0, toX = 0, toY = 0;
    std::uint8_t fromAlpha = 0, toAlpha = 0;
    bool operator==(const GradientBand&) const = default;
};

// Integer box of an item or a copy (left, top, width, height).
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelBox&) const = default;
};

// Regions of the skin image.
namespace skin_region {
inline constexpr DrawRect kBannerGloss{0, 0, 150, 90};
inline constexpr DrawRect kStatusGloss{180, 0, 20, 26};
inline constexpr DrawRect kSizeGrip{180, 26, 12, 12};
inline constexpr double kBorderGridX = 0, kBorderGridY = 90, kBorderCell = 5;
inline constexpr double kTabHotX = 60, kTabDownX = 120, kTabY = 90;
inline constexpr double kButtonRowNormal = 145, kButtonRowHover = 165, kButtonRowPressed = 185;
inline constexpr double kButtonHeight = 19;
}  // namespace skin_region

// The banner picture is right-aligned and drawn 1:1: a picture narrower than
// the window leaves the skin colour on its left, a wider one shows its right
// part.  Its drawn height is the caption band plus 10, or less for a short
// picture.
struct BannerPlacement {
    double srcX = 0, dstX = 0, width = 0, height = 0;
    bool operator==(const BannerPlacement&) const = default;
};
BannerPlacement PlaceBanner(int windowWidth, int bannerHeight, int imageWidth, int imageHeight);
ImagePart BannerPart(const BannerPlacement& placement);
// The 150-pixel fade from the skin colour into the picture's left end; none
// when the picture starts at the window's left edge.
std::optional<GradientBand> LeftFade(const BannerPlacement& placement, int bannerHeight);
// The 10-pixel fade below the caption band, from clear into the skin colour.
GradientBand BottomFade(int windowWidth, int bannerHeight);

// Caption gloss: always 90 high, whatever the caption band's height.
ImagePart CaptionGloss(int windowWidth);
ImagePart StatusGloss(int windowWidth, int windowHeight, int statusHeight);
PixelBox StatusItemBox(int windowWidth, int windowHeight, int statusHeight, bool sizable);
bool ShowsSizeGrip(int statusHeight, bool sizable, bool maximized);
ImagePart SizeGrip(int windowWidth, int windowHeight);

// A status height of 0 or less means no status band.
DrawRect ClientFill(int windowWidth, int windowHeight, int bannerHeight, int statusHeight);
DrawRect ClientOutline(int windowWidth, int windowHeight, int bannerHeight, int statusHeight);

// The frame border from the corners and edge cells of the border grid, in
// drawing order: top-left, top, top-right, left, right, bottom-left, bottom,
// bottom-right.
std::array<ImagePart, 8> FrameBorder(int windowWidth, int windowHeight);

// Caption icon and title.
inline constexpr int kCaptionIconX = 8, kCaptionIconY = 6, kCaptionIconSize = 16;
inline constexpr int kTitleY = 9;
int TitleLeft(bool hasIcon);

// Moves an item and rebuilds its bounds from the new geometry.
void PlaceItem(FrameItem& item, int left, int top, int width, int height);

// Lays the caption buttons out from the right edge: Close ends 5 pixels from
// it and each further button sits 27 pixels to the left, except that the
// button after Maximize (Restore) shares its place.  Hidden buttons are laid
// out too, so that showing one needs no new layout.
void LayoutCaptionButtons(std::span<FrameItem> items, int windowWidth);

// Source rectangle in the skin image of a caption button in its current state.
DrawRect CaptionButtonSource(const FrameItem& item);
// Source x of a page tab's background, none for a tab in its normal look.
std::optional<double> TabBackgroundSourceX(const FrameItem& item);
POINT TabIconPosition(const FrameItem& item);
PixelBox TabTitleBox(const FrameItem& item);

// The two 3-pixel columns between the caption band and the status band that
// the system may paint over.
struct SideEdgeStrips {
    PixelBox left, right;
};
SideEdgeStrips SideEdges(int windowWidth, int windowHeight, int bannerHeight, int statusHeight);

}  // namespace orvia
