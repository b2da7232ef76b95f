#include <gtest/gtest.h>

#include <cstddef>

#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"
#include "tests/harness/harness.h"

namespace {

using orvia::OrviaSkin;
using orvia::OrviaSkinMethods;

TEST(SkinObject, SlotsLieInTheirFixedOrder) {
    struct Slot {
        std::size_t offset;
        int slot;
    };
    const Slot slots[] = {
        {offsetof(OrviaSkinMethods, Destroy), 0},
        {offsetof(OrviaSkinMethods, Copy), 1},
        {offsetof(OrviaSkinMethods, SetImageFromBytes), 2},
        {offsetof(OrviaSkinMethods, SetImageFromFile), 3},
        {offsetof(OrviaSkinMethods, ApplyImage), 4},
        {offsetof(OrviaSkinMethods, SampleImageColor), 5},
        {offsetof(OrviaSkinMethods, SetSkinColor), 6},
        {offsetof(OrviaSkinMethods, AttachSkin), 7},
        {offsetof(OrviaSkinMethods, SkinAllChildControls), 8},
        {offsetof(OrviaSkinMethods, RedrawAllFrames), 9},
        {offsetof(OrviaSkinMethods, SetStatusText), 10},
        {offsetof(OrviaSkinMethods, AddPage), 11},
        {offsetof(OrviaSkinMethods, SelectPage), 12},
        {offsetof(OrviaSkinMethods, RemovePage), 13},
        {offsetof(OrviaSkinMethods, AddFrameItem), 14},
        {offsetof(OrviaSkinMethods, SetHelpClickRoutine), 15},
        {offsetof(OrviaSkinMethods, SetMainMenuClickRoutine), 16},
        {offsetof(OrviaSkinMethods, SetSizable), 17},
        {offsetof(OrviaSkinMethods, SetBackColor), 18},
        {offsetof(OrviaSkinMethods, GetBackColor), 19},
    };
    for (const Slot& s : slots) EXPECT_EQ(s.offset, s.slot * sizeof(void*)) << "slot " << s.slot;
    const auto* table = reinterpret_cast<void* const*>(&orvia::DefaultSkinMethods());
    for (int i = 0; i < 20; ++i) EXPECT_NE(table[i], nullptr) << "slot " << i << " is empty";
}

TEST(SkinObject, CopyMakesANewInstanceWithTheSameTable) {
    OrviaSkin* skin = orvia::NewOrviaSkin();
    OrviaSkin* copy = skin->methods->Copy(skin);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, skin);
    EXPECT_EQ(copy->methods, skin->methods);
    orvia::FreeOrviaSkin(copy);
    orvia::FreeOrviaSkin(skin);
    orvia::FreeOrviaSkin(nullptr);
}

void RoutineA(std::int32_t, std::int32_t, std::int32_t) {}
void RoutineB(std::int32_t, std::int32_t, std::int32_t) {}

TEST(SkinObject, ClickRoutinesAreStoredOnAnyWindow) {
    harness::TestWindow plain;  // not skinned: the property is set all the same
    OrviaSkin* skin = orvia::g_skin;
    skin->methods->SetHelpClickRoutine(skin, plain, RoutineA);
    skin->methods->SetMainMenuClickRoutine(skin, plain, RoutineB);
    EXPECT_EQ(GetPropA(plain, "Orvia_Event_HelpClick"), reinterpret_cast<HANDLE>(&RoutineA));
    EXPECT_EQ(GetPropA(plain, "Orvia_Event_MainMenuClick"), reinterpret_cast<HANDLE>(&RoutineB));
    skin->methods->SetHelpClickRoutine(skin, plain, nullptr);
    EXPECT_EQ(GetPropA(plain, "Orvia_Event_HelpClick"), nullptr);
    EXPECT_EQ(GetPropA(plain, "Orvia_Event_MainMenuClick"), reinterpret_cast<HANDLE>(&RoutineB));
    // A handle that names no window changes nothing and does not crash.
    skin->methods->SetHelpClickRoutine(skin, reinterpret_cast<HWND>(0x1234), RoutineA);
    skin->methods->SetHelpClickRoutine(skin, nullptr, RoutineA);
}

// A skin whose redraw slot counts its calls, to see that the background
// colour reaches slot 9 through the table and not directly.
int g_redraws = 0;
OrviaSkinMethods CountingMethods() {
    OrviaSkinMethods m = orvia::DefaultSkinMethods();
    m.RedrawAllFrames = [](OrviaSkin*) { ++g_redraws; };
    return m;
}

class BackColor : public ::testing::Test {
protected:
    void SetUp() override {
        g_redraws = 0;
        skin_.methods->SetBackColor(&skin_, CLR_INVALID);
        g_redraws = 0;
    }
    void TearDown() override { skin_.methods->SetBackColor(&skin_, CLR_INVALID); }
    OrviaSkinMethods methods_ = CountingMethods();
    OrviaSkin skin_{&methods_};
};

TEST_F(BackColor, SystemColourOnAFreshThemeChangesAndRedrawsNothing) {
    HBRUSH brush = orvia::g_theme->backBrush;
    gdip::GpSolidFill* fill = orvia::g_theme->backFill;
    skin_.methods->SetBackColor(&skin_, CLR_INVALID);
    EXPECT_EQ(g_redraws, 0);
    EXPECT_EQ(orvia::g_theme->backBrush, brush);
    EXPECT_EQ(orvia::g_theme->backFill, fill);
    EXPECT_EQ(skin_.methods->GetBackColor(&skin_), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BackColor, ANewColourReplacesBothBrushesAndRedrawsOnce) {
    skin_.methods->SetBackColor(&skin_, 0x123456);
    EXPECT_EQ(g_redraws, 1);
    EXPECT_EQ(skin_.methods->GetBackColor(&skin_), 0x123456u);
    LOGBRUSH lb{};
    GetObjectW(orvia::g_theme->backBrush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, 0x123456u);
    gdip::ARGB argb = 0;
    gdip::GdipGetSolidFillColor(orvia::g_theme->backFill, &argb);
    EXPECT_EQ(argb, 0xFF563412u);

    skin_.methods->SetBackColor(&skin_, 0x123456);
    EXPECT_EQ(g_redraws, 1) << "the same colour again redraws nothing";
    skin_.methods->SetBackColor(&skin_, CLR_INVALID);
    EXPECT_EQ(g_redraws, 2);
    EXPECT_EQ(skin_.methods->GetBackColor(&skin_), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
