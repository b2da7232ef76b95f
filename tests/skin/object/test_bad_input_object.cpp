// Every slot called without an object (a null self): it acts as it does on
// an object with the default table.
#include <gtest/gtest.h>

#include "skin/image/image.h"
#include "tests/skin/image/image_support.h"
#include "tests/skin/object/test_bad_input_support.h"

namespace {

const orvia::OrviaSkinMethods& M() { return orvia::DefaultSkinMethods(); }

void Routine(std::int32_t, std::int32_t, std::int32_t) {}

gdip::ARGB SkinFill() {
    gdip::ARGB argb = 0;
    gdip::GdipGetSolidFillColor(orvia::g_theme->skinColorBrush, &argb);
    return argb;
}

TEST(NullObject, EverySlotActsAsOnTheDefaultTable) {
    bad_input::ParkPointer();
    struct Restore {
        bool childSwitch = orvia::g_childControlSwitch;
        ~Restore() {
            M().SetSkinColor(orvia::g_skin, 0xD2B30E);
            M().SetBackColor(orvia::g_skin, CLR_INVALID);
            orvia::g_childControlSwitch = childSwitch;
        }
    } restore;
    harness::SkinnedFrame frame;
    harness::TestWindow plain;
    const std::vector<std::uint8_t> red = image_test::SolidBmp(4, 4, RGB(200, 0, 0));
    const image_test::TempFile blue("orvia-null-object.bmp", image_test::SolidBmp(6, 6, RGB(0, 0, 200)));

    M().Destroy(nullptr);  // 0: nothing to release

    orvia::OrviaSkin* copy = M().Copy(nullptr);  // 1
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->methods, &M());
    orvia::FreeOrviaSkin(copy);

    // 2, 3, 4 and 5: the picture, its sizes and its colour.
    EXPECT_TRUE(M().SetImageFromBytes(nullptr, red));
    EXPECT_EQ(orvia::g_theme->bannerImageWidth, 4);
    EXPECT_EQ(orvia::g_theme->skinColor, RGB(200, 0, 0));
    EXPECT_TRUE(M().SetImageFromFile(nullptr, blue.path()));
    EXPECT_EQ(orvia::g_theme->bannerImageWidth, 6);
    EXPECT_EQ(orvia::g_theme->skinColor, RGB(0, 0, 200));
    orvia::g_theme->skinColor = 0;
    M().ApplyImage(nullptr);
    EXPECT_EQ(orvia::g_theme->skinColor, RGB(0, 0, 200));
    EXPECT_EQ(M().SampleImageColor(nullptr, orvia::g_bannerImage->image), RGB(0, 0, 200));

    EXPECT_TRUE(M().SetSkinColor(nullptr, 0x00FF00));  // 6
    EXPECT_EQ(SkinFill(), 0xFF00FF00u);
    EXPECT_EQ(orvia::g_bannerImage->image, nullptr);

    harness::TestWindow other;  // 7
    EXPECT_TRUE(M().AttachSkin(nullptr, other, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                               std::nullopt, std::nullopt, std::nullopt, std::nullopt));
    EXPECT_NE(orvia::FindFrame(other), nullptr);

    M().SkinAllChildControls(nullptr);  // 8
    EXPECT_TRUE(orvia::g_childControlSwitch);

    HDC cache = reinterpret_cast<HDC>(orvia::GetProperty(frame, orvia::prop::kCacheDC));  // 9
    SetPixel(cache, 200, 150, RGB(1, 2, 3));
    M().RedrawAllFrames(nullptr);
    cache = reinterpret_cast<HDC>(orvia::GetProperty(frame, orvia::prop::kCacheDC));
    EXPECT_NE(GetPixel(cache, 200, 150), RGB(1, 2, 3));

    orvia::FrameRecord& record = *frame.record();
    M().SetStatusText(nullptr, frame, "状态");  // 10
    EXPECT_EQ(record.Items[static_cast<std::size_t>(record.nStatusItem - 1)].sText, "状态");
    EXPECT_EQ(M().AddPage(nullptr, frame, "甲", {}, std::nullopt, std::nullopt), 1);  // 11
    EXPECT_EQ(M().AddPage(nullptr, frame, "乙", {}, std::nullopt, std::nullopt), 1);
    EXPECT_EQ(M().SelectPage(nullptr, frame, "乙"), 1);  // 12
    EXPECT_EQ(record.Items.back().bSelected, 1);
    EXPECT_EQ(M().RemovePage(nullptr, frame, "甲"), 1);  // 13
    EXPECT_EQ(record.Items.back().sText, "乙");
    const std::int32_t count = record.nItemCount;
    EXPECT_EQ(M().AddFrameItem(nullptr, record, orvia::kItemPageTab, 0, 5, 27, 60, 52, "丙", std::nullopt),
              count + 1);  // 14

    M().SetHelpClickRoutine(nullptr, plain, Routine);  // 15
    M().SetMainMenuClickRoutine(nullptr, plain, Routine);  // 16
    EXPECT_EQ(GetPropA(plain, orvia::prop::kHelpClick), reinterpret_cast<HANDLE>(&Routine));
    EXPECT_EQ(GetPropA(plain, orvia::prop::kMainMenuClick), reinterpret_cast<HANDLE>(&Routine));

    EXPECT_TRUE(M().SetSizable(nullptr, frame, std::nullopt, std::nullopt));  // 17
    EXPECT_EQ(orvia::GetIntProperty(frame, orvia::prop::kSizeBox), 1);

    M().SetBackColor(nullptr, 0x123456);  // 18 and 19
    EXPECT_EQ(M().GetBackColor(nullptr), 0x123456u);
}

}  // namespace
