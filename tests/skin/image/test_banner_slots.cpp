#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"
#include "tests/harness/harness.h"
#include "tests/skin/image/image_support.h"

namespace {

using orvia::g_bannerImage;
using orvia::g_theme;
using orvia::OrviaSkin;
using orvia::OrviaSkinMethods;
using namespace image_test;

int g_redraws = 0;
int g_samples = 0;

gdip::ARGB FillColor(gdip::GpSolidFill* brush) {
    gdip::ARGB argb = 0;
    gdip::GdipGetSolidFillColor(brush, &argb);
    return argb;
}

// A skin whose redraw slot only counts, and whose sampling slot counts and
// then samples as usual, so that the tests see what goes through the table.
class BannerSlots : public ::testing::Test {
protected:
    void SetUp() override {
        methods_ = orvia::DefaultSkinMethods();
        methods_.RedrawAllFrames = [](OrviaSkin*) { ++g_redraws; };
        methods_.SampleImageColor = [](OrviaSkin* self, gdip::GpImage* image) {
            ++g_samples;
            return orvia::DefaultSkinMethods().SampleImageColor(self, image);
        };
        g_redraws = g_samples = 0;
    }
    // Back to the start-up look: no picture, the plain initial colour.
    void TearDown() override {
        orvia::DefaultSkinMethods().SetSkinColor(&skin_, 0xD2B30E);
        g_theme->skinColor = 0;
        g_theme->bannerImageWidth = g_theme->bannerImageHeight = 0;
    }
    bool FromBytes(orvia::ByteSpan bytes) { return methods_.SetImageFromBytes(&skin_, bytes); }
    gdip::GpImage* BannerPicture() const { return g_bannerImage->methods->GetImage(g_bannerImage); }

    OrviaSkinMethods methods_{};
    OrviaSkin skin_{&methods_};
};

TEST_F(BannerSlots, TheBannerJpegSetsSizesColourAndBrushThenRedrawsOnce) {
    ASSERT_TRUE(FromBytes(orvia::embedded::TestBannerJpeg()));
    ASSERT_NE(BannerPicture(), nullptr);
    EXPECT_EQ(g_theme->bannerImageWidth, kBannerWidth);
    EXPECT_EQ(g_theme->bannerImageHeight, kBannerHeight);
    EXPECT_EQ(g_samples, 1);
    EXPECT_EQ(g_theme->skinColor, orvia::DefaultSkinMethods().SampleImageColor(&skin_, BannerPicture()))
        << "the skin colour is the picture's one-pixel colour";
    EXPECT_EQ(FillColor(g_theme->skinColorBrush), orvia::ColorToArgb(g_theme->skinColor, 255));
    EXPECT_EQ(g_redraws, 1);
}

TEST_F(BannerSlots, TheSkinColourComesFromTheSamplingSlot) {
    methods_.SampleImageColor = [](OrviaSkin*, gdip::GpImage*) -> COLORREF { return 0x00112233; };
    ASSERT_TRUE(FromBytes(SolidBmp(8, 8, 0xFFFFFF)));
    EXPECT_EQ(g_theme->skinColor, 0x00112233u);
    EXPECT_EQ(FillColor(g_theme->skinColorBrush), 0xFF332211u);
    EXPECT_EQ(g_theme->bannerImageWidth, 8);
}

TEST_F(BannerSlots, BytesThatAreNoImageChangeNothingAndRedrawNothing) {
    ASSERT_TRUE(FromBytes(SolidBmp(5, 6, 0x0000FF)));
    g_redraws = 0;
    const COLORREF color = g_theme->skinColor;
    gdip::GpSolidFill* brush = g_theme->skinColorBrush;
    gdip::GpImage* picture = BannerPicture();

    const std::vector<std::uint8_t> garbage(300, 0xEE);
    EXPECT_FALSE(FromBytes(garbage));
    EXPECT_FALSE(FromBytes({}));
    EXPECT_FALSE(methods_.SetImageFromFile(&skin_, "Z:\\missing\\banner.jpg"));
    EXPECT_FALSE(methods_.SetImageFromFile(&skin_, nullptr));
    EXPECT_EQ(g_redraws, 0);
    EXPECT_EQ(BannerPicture(), picture);
    EXPECT_EQ(g_theme->skinColor, color);
    EXPECT_EQ(g_theme->skinColorBrush, brush);
    EXPECT_EQ(g_theme->bannerImageWidth, 5);
    EXPECT_EQ(g_theme->bannerImageHeight, 6);
}

TEST_F(BannerSlots, APictureFileWorksLikeItsBytes) {
    TempFile file("orvia_banner_test.bmp", SolidBmp(12, 10, 0x00FF00));
    ASSERT_TRUE(methods_.SetImageFromFile(&skin_, file.path()));
    EXPECT_EQ(g_theme->bannerImageWidth, 12);
    EXPECT_EQ(g_theme->bannerImageHeight, 10);
    EXPECT_EQ(g_theme->skinColor, 0x00FF00u);
    EXPECT_EQ(g_redraws, 1);
    g_bannerImage->methods->Release(g_bannerImage);  // lets go of the file
}

TEST_F(BannerSlots, SamplingAPlainPictureGivesItsColour) {
    for (COLORREF color : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0x336699u, 0xFFFFFFu, 0x000000u}) {
        gdip::GpImage* image = orvia::LoadImageFromBytes(SolidBmp(9, 5, color));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(orvia::DefaultSkinMethods().SampleImageColor(&skin_, image), color) << std::hex << color;
        gdip::GdipDisposeImage(image);
    }
    EXPECT_EQ(orvia::DefaultSkinMethods().SampleImageColor(&skin_, nullptr), 0u);
}

TEST_F(BannerSlots, APlainColourDropsThePictureButKeepsItsSizes) {
    ASSERT_TRUE(FromBytes(orvia::embedded::TestBannerJpeg()));
    const COLORREF sampled = g_theme->skinColor;
    const COLORREF back = skin_.methods->GetBackColor(&skin_);
    g_redraws = 0;

    EXPECT_TRUE(methods_.SetSkinColor(&skin_, 0x0080FF));
    EXPECT_EQ(BannerPicture(), nullptr);
    EXPECT_EQ(g_bannerImage->memory, nullptr);
    EXPECT_EQ(FillColor(g_theme->skinColorBrush), 0xFFFF8000u);
    EXPECT_EQ(g_theme->skinColor, sampled);
    EXPECT_EQ(g_theme->bannerImageWidth, kBannerWidth);
    EXPECT_EQ(g_theme->bannerImageHeight, kBannerHeight);
    EXPECT_EQ(g_redraws, 1);
    EXPECT_EQ(skin_.methods->GetBackColor(&skin_), back);

    EXPECT_TRUE(methods_.SetSkinColor(&skin_, 0x000000)) << "also without a picture";
    EXPECT_EQ(FillColor(g_theme->skinColorBrush), 0xFF000000u);
    EXPECT_EQ(g_redraws, 2);
}

}  // namespace
