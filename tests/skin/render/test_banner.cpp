// The banner picture in the caption band: placement against the right edge,
// the fades in the skin colour, and the redraw of every frame when the
// picture or the colour changes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "tests/skin/render/render_support.h"

namespace {

using render_test::FrameSetup;
using render_test::kBlack;
using render_test::kWhite;
using render_test::Over;
using render_test::TestFrame;

constexpr COLORREF kSkin = RGB(30, 90, 160);
constexpr COLORREF kFade = RGB(0, 160, 0);
constexpr COLORREF kLeft = RGB(220, 40, 40);
constexpr COLORREF kRight = RGB(240, 200, 20);
constexpr int kTolerance = 2;
// Gradients are sampled somewhere inside each pixel: half a pixel of a
// 150-pixel fade is under one alpha step, of a 10-pixel fade about 13.
constexpr int kWideFadeTolerance = 3;
constexpr int kShortFadeTolerance = 8;

int GlossAlpha(int row) {
    if (row <= 7) return 128;
    if (row >= 89) return 0;
    return static_cast<int>(std::lround(114 - (row - 8) * 113 / 80.0));
}

// A 24-bit .bmp whose columns left of `split` are `left` and the rest `right`.
std::vector<std::uint8_t> TwoColourBmp(int width, int height, int split, COLORREF left, COLORREF right) {
    const int stride = (width * 3 + 3) & ~3;
    const auto imageSize = static_cast<std::uint32_t>(stride * height);
    const std::uint32_t offset = 54;
    std::vector<std::uint8_t> b(offset + imageSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, offset + imageSize);
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, imageSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = x < split ? left : right;
            std::uint8_t* p = &b[offset + y * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return b;
}

#define EXPECT_COLOUR_WITHIN(pixels, x, y, expected, tolerance)                                            \
    EXPECT_LE(harness::ColorDistance((pixels).At(x, y), (expected)), (tolerance))                          \
        << "at (" << (x) << ", " << (y) << "): got 0x" << std::hex << (pixels).At(x, y) << ", expected 0x" \
        << (expected) << std::dec

// The picture goes straight into the image object; the theme's sizes and
// colours are set by hand so that the skin colour of the fades differs from
// the base fill.
class Banner : public ::testing::Test {
protected:
    Banner() { colours_.Skin(kSkin); }
    ~Banner() override { orvia::g_bannerImage->methods->Release(orvia::g_bannerImage); }

    void Picture(int width, int height, int split = 1 << 30) {
        orvia::OrviaImage* banner = orvia::g_bannerImage;
        ASSERT_TRUE(banner->methods->LoadFromBytes(banner, TwoColourBmp(width, height, split, kLeft, kRight)));
        orvia::g_theme->bannerImageWidth = banner->methods->GetWidth(banner);
        orvia::g_theme->bannerImageHeight = banner->methods->GetHeight(banner);
        orvia::g_theme->skinColor = kFade;
    }
    render_test::ThemeColours colours_;
};

TEST_F(Banner, NarrowerPictureSitsAtTheRightEdgeAndFadesIn) {
    Picture(200, 205);
    TestFrame frame;
    const int W = frame.width(), dstX = W - 200, y = 40;
    const auto px = frame.CachePixels();
    const int gloss = GlossAlpha(y);
    EXPECT_COLOUR_WITHIN(px, dstX - 20, y, Over(kSkin, kWhite, gloss), kTolerance) << "skin colour on the left";
    EXPECT_COLOUR_WITHIN(px, dstX + 170, y, Over(kLeft, kWhite, gloss), kTolerance) << "the picture 1:1";
    // The left fade: opaque skin colour at the picture's left end, clear 150
    // pixels further.
    for (int dx : {1, 40, 75, 110, 148}) {
        const int alpha = static_cast<int>(std::lround(255 * (1 - (dx + 0.5) / 150.0)));
        EXPECT_COLOUR_WITHIN(px, dstX + dx, y, Over(Over(kLeft, kFade, alpha), kWhite, gloss), kWideFadeTolerance)
            << "fade at +" << dx;
    }
}

TEST_F(Banner, BottomFadeCoversTheTenRowsBelowTheCaptionBand) {
    Picture(200, 205);
    TestFrame frame;
    const int W = frame.width(), bh = 80;
    const auto px = frame.CachePixels();
    // Inside the frame the client area covers the fade; it shows under the
    // outline columns, beside the skin colour on the left and the picture on
    // the right.
    for (int y : {bh + 2, bh + 5, bh + 8}) {
        const int alpha = static_cast<int>(std::lround(255 * (y - bh + 0.5) / 10.0));
        const int gloss = GlossAlpha(y);
        EXPECT_COLOUR_WITHIN(px, 2, y, Over(Over(Over(kSkin, kFade, alpha), kWhite, gloss), kBlack, 150),
                             kShortFadeTolerance)
            << "left, row " << y;
        EXPECT_COLOUR_WITHIN(px, W - 3, y, Over(Over(Over(kLeft, kFade, alpha), kWhite, gloss), kBlack, 150),
                             kShortFadeTolerance)
            << "right, row " << y;
    }
}

TEST_F(Banner, WiderPictureShowsItsRightPartWithoutLeftFade) {
    Picture(800, 205, 400);  // x 288 of the picture lands on x 0: the colours change at 112
    TestFrame frame;
    const auto px = frame.CachePixels();
    const int y = 40, gloss = GlossAlpha(y);
    for (int x : {40, 80, 109}) EXPECT_COLOUR_WITHIN(px, x, y, Over(kLeft, kWhite, gloss), kTolerance) << x;
    for (int x : {115, 300, 405}) EXPECT_COLOUR_WITHIN(px, x, y, Over(kRight, kWhite, gloss), kTolerance) << x;
}

TEST_F(Banner, ShortPictureIsDrawnAtItsOwnHeight) {
    Picture(200, 50);
    TestFrame frame;
    const int dstX = frame.width() - 200;
    const auto px = frame.CachePixels();
    EXPECT_COLOUR_WITHIN(px, dstX + 170, 45, Over(kLeft, kWhite, GlossAlpha(45)), kTolerance);
    EXPECT_COLOUR_WITHIN(px, dstX + 170, 60, Over(kSkin, kWhite, GlossAlpha(60)), kTolerance) << "below the picture";
    const int alpha = static_cast<int>(std::lround(255 * 5.5 / 10.0));
    EXPECT_COLOUR_WITHIN(px, frame.width() - 3, 85,
                         Over(Over(Over(kSkin, kFade, alpha), kWhite, GlossAlpha(85)), kBlack, 150),
                         kShortFadeTolerance)
        << "the bottom fade still covers rows 80 to 89";
}

TEST_F(Banner, BackSurfaceKeepsThePicture) {
    Picture(200, 205);
    TestFrame frame;
    const auto back = frame.BackPixels();
    EXPECT_COLOUR_WITHIN(back, frame.width() - 30, 40, Over(kLeft, kWhite, GlossAlpha(40)), kTolerance);
}

// Through the skin object: a new picture and then a plain colour each redraw
// every registered frame.
TEST(BannerSlots, PictureAndSkinColourRedrawEveryFrame) {
    orvia::OrviaSkin* skin = orvia::g_skin;
    TestFrame a, b({.width = 420, .height = 300});
    const auto bytes = TwoColourBmp(406, 205, 203, kLeft, kRight);
    ASSERT_TRUE(skin->methods->SetImageFromBytes(skin, bytes));
    for (const TestFrame* f : {&a, &b}) {
        const auto px = f->CachePixels();
        EXPECT_COLOUR_WITHIN(px, f->width() - 30, 40, Over(kRight, kWhite, GlossAlpha(40)), kTolerance)
            << "the picture's right half at the right edge";
    }
    const COLORREF plain = RGB(90, 30, 120);
    ASSERT_TRUE(skin->methods->SetSkinColor(skin, plain));
    for (const TestFrame* f : {&a, &b}) {
        const auto px = f->CachePixels();
        EXPECT_COLOUR_WITHIN(px, f->width() - 30, 40, Over(plain, kWhite, GlossAlpha(40)), kTolerance)
            << "no picture: the plain colour";
    }
    skin->methods->SetSkinColor(skin, 0xD2B30E);  // the theme's initial colour
}

}  // namespace
