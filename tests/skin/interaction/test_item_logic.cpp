// The window-free rules of the frame's items: hit testing, the hot/pressed
// state machine, the drag and double-click bands, tab layout, the page area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/interaction/item_logic.h"

namespace {

using namespace orvia;

// A 400 × 300 frame as attaching lays it out: Close, Maximize, Restore
// (hidden), Minimize, Help, the status item, then two page tabs.
FrameRecord SampleFrame() {
    FrameRecord r;
    AddFrameItem(r, kItemCaptionButton, kButtonClose, 355, 1, 40, 19, "");
    AddFrameItem(r, kItemCaptionButton, kButtonMaximize, 328, 1, 27, 19, "");
    AddFrameItem(r, kItemCaptionButton, kButtonRestore, 328, 1, 27, 19, "");
    r.Items[2].bVisible = 0;
    AddFrameItem(r, kItemCaptionButton, kButtonMinimize, 301, 1, 27, 19, "");
    AddFrameItem(r, kItemCaptionButton, kButtonHelp, 274, 1, 27, 19, "");
    r.nStatusItem = AddFrameItem(r, kItemStatus, 0, 5, 271, 390, 26, "status");
    AddFrameItem(r, kItemPageTab, 0, 5, 27, 60, 52, "one");
    AddFrameItem(r, kItemPageTab, 0, 67, 27, 60, 52, "two");
    return r;
}

TEST(ItemLogic, MousePointTakesXUnsignedAndYSigned) {
    struct Case {
        LPARAM lParam;
        LONG x, y;
    };
    const Case cases[] = {
        {MAKELPARAM(10, 20), 10, 20},
        {static_cast<LPARAM>(0xFFFF0005u), 5, -1},
        {static_cast<LPARAM>(0x0000FFFFu), 65535, 0},
        {static_cast<LPARAM>(0x8000FFFEu), 65534, -32768},
        // Bits above the low 32 are not part of the position.
        {static_cast<LPARAM>(0x1234567800070009ull), 9, 7},
    };
    for (const Case& c : cases) {
        const POINT p = MousePoint(c.lParam);
        EXPECT_EQ(p.x, c.x) << std::hex << c.lParam;
        EXPECT_EQ(p.y, c.y) << std::hex << c.lParam;
    }
}

TEST(ItemLogic, HitTestFindsTheFirstVisibleItemExceptTheStatusText) {
    FrameRecord r = SampleFrame();
    // An item laid over the status text: the status text still hides it.
    AddFrameItem(r, kItemCaptionButton, kButtonClose, 5, 271, 40, 19, "");
    struct Case {
        int x, y, hit;
        const char* what;
    };
    const Case cases[] = {
        {355, 1, 1, "Close, top-left corner"},
        {394, 19, 1, "Close, bottom-right pixel"},
        {395, 10, -1, "right edge is outside"},
        {355, 20, -1, "bottom edge is outside"},
        {340, 10, 2, "Maximize, not the hidden Restore at the same place"},
        {280, 5, 5, "Help"},
        {10, 280, -1, "status text is never a hit and hides the item below"},
        {5, 27, 7, "first tab"},
        {126, 78, 8, "second tab, last pixel"},
        {65, 40, -1, "gap between tabs"},
        {200, 150, -1, "client area"},
    };
    for (const Case& c : cases) EXPECT_EQ(HitTestItems(r, c.x, c.y), c.hit) << c.what;

    // Lower indices win where visible items overlap; a hidden one is skipped.
    r.Items[1].bVisible = 0;
    r.Items[2].bVisible = 1;
    EXPECT_EQ(HitTestItems(r, 340, 10), 3);
    EXPECT_EQ(HitTestItems(FrameRecord{}, 0, 0), -1);
}

// One step of the state machine: the message and hit index, and what must
// follow: the redraws in order, the new hot and pressed indexes, the click.
struct Step {
    UINT message;
    std::int32_t hit;
    std::vector<std::int32_t> redraws;
    std::int32_t hot, pressed, click;
    const char* what;
};

// `pressedLook`: whether the pressed item is expected to look pressed (it does
// not after the pointer left the window).
void RunSteps(FrameRecord& r, const std::vector<Step>& steps, bool pressedLook = true) {
    for (const Step& s : steps) {
        std::vector<std::int32_t> redraws;
        const std::int32_t click =
            ApplyMouseTransition(r, s.message, s.hit, [&](std::int32_t i) { redraws.push_back(i); });
        EXPECT_EQ(redraws, s.redraws) << s.what;
        EXPECT_EQ(r.nHotItem, s.hot) << s.what;
        EXPECT_EQ(r.nPressedItem, s.pressed) << s.what;
        EXPECT_EQ(click, s.click) << s.what;
        // The flags follow the indexes: only the hot item is drawn hot and
        // only the pressed item pressed.
        for (std::int32_t i = 1; i <= r.nItemCount; ++i) {
            EXPECT_EQ(r.Items[i - 1].bHover, i == r.nHotItem ? 1 : 0) << s.what << ", item " << i;
            EXPECT_EQ(r.Items[i - 1].bPressed, pressedLook && i == r.nPressedItem ? 1 : 0) << s.what << ", item " << i;
        }
    }
}

TEST(ItemLogic, HoverMovesFromItemToItem) {
    FrameRecord r = SampleFrame();
    RunSteps(r, {
                    {WM_MOUSEMOVE, 1, {1}, 1, -1, -1, "onto Close"},
                    {WM_MOUSEMOVE, 1, {}, 1, -1, -1, "within Close"},
                    {WM_MOUSEMOVE, 2, {1, 2}, 2, -1, -1, "old normal first, then new hot"},
                    {WM_MOUSEMOVE, -1, {2}, -1, -1, -1, "off every item"},
                    {WM_MOUSEMOVE, -1, {}, -1, -1, -1, "still off"},
                    {WM_LBUTTONDBLCLK, 2, {}, -1, -1, -1, "double-click changes nothing"},
                });
}

TEST(ItemLogic, PressAndReleaseOnTheSameItemClicks) {
    FrameRecord r = SampleFrame();
    RunSteps(r, {
                    {WM_MOUSEMOVE, 4, {4}, 4, -1, -1, "hover Minimize"},
                    {WM_LBUTTONDOWN, 4, {4}, 4, 4, -1, "press"},
                    {WM_LBUTTONDOWN, 4, {}, 4, 4, -1, "second press on it: not redrawn"},
                    {WM_LBUTTONUP, 4, {4}, 4, -1, 4, "release: redrawn once, click"},
                    {WM_LBUTTONUP, 4, {}, 4, -1, -1, "release with nothing pressed"},
                });
}

TEST(ItemLogic, ReleaseElsewhereDoesNotClickAndMovesTheHotItem) {
    FrameRecord r = SampleFrame();
    RunSteps(r, {
                    {WM_MOUSEMOVE, 1, {1}, 1, -1, -1, "hover Close"},
                    {WM_LBUTTONDOWN, 1, {1}, 1, 1, -1, "press Close"},
                    {WM_MOUSEMOVE, 5, {}, 1, 1, -1, "moves change nothing while pressed"},
                    {WM_MOUSEMOVE, -1, {}, 1, 1, -1, "not even off all items"},
                    {WM_LBUTTONUP, 5, {1, 1, 5}, 5, -1, -1, "unpressed, unhovered, Help hot"},
                    {WM_LBUTTONDOWN, -1, {}, 5, -1, -1, "press on nothing"},
                    {WM_LBUTTONUP, -1, {}, 5, -1, -1, "release on nothing"},
                });
}

TEST(ItemLogic, ASelectedTabIgnoresClicks) {
    FrameRecord r = SampleFrame();
    r.Items[6].bSelected = 1;
    RunSteps(r, {
                    {WM_MOUSEMOVE, 7, {7}, 7, -1, -1, "hover the selected tab"},
                    {WM_LBUTTONDOWN, 7, {7}, 7, 7, -1, "press draws it pressed"},
                    {WM_LBUTTONUP, 7, {7}, 7, -1, -1, "release redraws it, no click"},
                    {WM_MOUSEMOVE, 8, {7, 8}, 8, -1, -1, "the other tab"},
                    {WM_LBUTTONDOWN, 8, {8}, 8, 8, -1, ""},
                    {WM_LBUTTONUP, 8, {8}, 8, -1, 8, "an unselected tab clicks"},
                });
}

TEST(ItemLogic, PressWithoutAPrecedingMoveLeavesTheHotItemAlone) {
    FrameRecord r = SampleFrame();
    RunSteps(r, {
                    {WM_MOUSEMOVE, 1, {1}, 1, -1, -1, "hover Close"},
                    {WM_LBUTTONDOWN, 4, {4}, 1, 4, -1, "a press elsewhere"},
                    {WM_LBUTTONDOWN, 5, {4, 5}, 1, 5, -1, "another press moves the pressed look"},
                    {WM_LBUTTONUP, 5, {5, 1, 5}, 5, -1, 5, "release clicks and takes the hot look along"},
                });
}

struct LeaveCase {
    std::int32_t hot, pressed;
    std::vector<std::int32_t> redraws;
    const char* what;
};

TEST(ItemLogic, LeavingClearsEveryLookButKeepsThePressedIndex) {
    const LeaveCase cases[] = {
        {-1, -1, {}, "nothing to clear"},
        {2, -1, {2}, "hot only"},
        {2, 2, {2}, "pressed and hot"},
        {-1, 4, {4}, "pressed only"},
        {1, 4, {4, 1}, "pressed and a different hot item: both are cleared"},
    };
    for (const LeaveCase& c : cases) {
        FrameRecord r = SampleFrame();
        if (c.hot != -1) SetHotItem(r, c.hot, [](std::int32_t) {});
        if (c.pressed != -1) SetPressedItem(r, c.pressed, [](std::int32_t) {});
        std::vector<std::int32_t> redraws;
        ApplyLeave(r, [&](std::int32_t i) { redraws.push_back(i); });
        EXPECT_EQ(redraws, c.redraws) << c.what;
        EXPECT_EQ(r.nHotItem, -1) << c.what;
        EXPECT_EQ(r.nPressedItem, c.pressed) << c.what;
        for (const FrameItem& item : r.Items) {
            EXPECT_EQ(item.bHover, 0) << c.what;
            EXPECT_EQ(item.bPressed, 0) << c.what;
        }
    }
}

TEST(ItemLogic, AfterLeavingWithAPressedItemOnlyItsReleaseCounts) {
    FrameRecord r = SampleFrame();
    RunSteps(r, {
                    {WM_MOUSEMOVE, 1, {1}, 1, -1, -1, "hover Close"},
                    {WM_LBUTTONDOWN, 1, {1}, 1, 1, -1, "press Close"},
                });
    ApplyLeave(r, [](std::int32_t) {});
    RunSteps(r, {
                    {WM_MOUSEMOVE, 4, {}, -1, 1, -1, "back in, over Minimize: nothing lights up"},
                    {WM_MOUSEMOVE, 1, {}, -1, 1, -1, "over Close: still nothing"},
                },
             false);
    RunSteps(r, {{WM_LBUTTONUP, 1, {1, 1}, 1, -1, 1, "release over Close clicks it"}});
}

TEST(ItemLogic, StaleIndexesAreRedrawnButTouchNoItem) {
    FrameRecord r = SampleFrame();
    r.nHotItem = 42;  // names an item that no longer exists
    r.nPressedItem = 0;
    std::vector<std::int32_t> redraws;
    ApplyLeave(r, [&](std::int32_t i) { redraws.push_back(i); });
    EXPECT_EQ(redraws, (std::vector<std::int32_t>{0, 42}));
    EXPECT_EQ(ApplyMouseTransition(r, WM_LBUTTONUP, -1, [](std::int32_t) {}), -1);
    EXPECT_EQ(r.nPressedItem, -1);
}

TEST(ItemLogic, ForgettingHotAndPressedClearsTheirLooks) {
    struct Case {
        std::int32_t hot, pressed;
        std::vector<std::int32_t> redraws;
    };
    const Case cases[] = {{-1, -1, {}}, {7, -1, {7}}, {7, 7, {7}}, {5, 8, {5, 8}}, {30, -1, {}}};
    for (const Case& c : cases) {
        FrameRecord r = SampleFrame();
        if (FrameItem* hot = ItemAt(r, c.hot)) hot->bHover = 1;
        if (FrameItem* pressed = ItemAt(r, c.pressed)) pressed->bPressed = 1;
        r.nHotItem = c.hot;
        r.nPressedItem = c.pressed;
        std::vector<std::int32_t> redraws;
        ForgetHotAndPressed(r, [&](std::int32_t i) { redraws.push_back(i); });
        EXPECT_EQ(redraws, c.redraws) << c.hot << "/" << c.pressed;
        EXPECT_EQ(r.nHotItem, -1);
        EXPECT_EQ(r.nPressedItem, -1);
        for (const FrameItem& item : r.Items) EXPECT_EQ(item.bHover + item.bPressed, 0);
    }
}

TEST(ItemLogic, BandsExcludeTheirInnerEdges) {
    // A 400-high frame with an 80-pixel caption band and a 26-pixel status band.
    struct Case {
        std::int32_t y;
        bool inBand;
    };
    const Case cases[] = {{-5, true}, {0, true}, {79, true}, {80, false}, {200, false},
                          {374, false}, {375, true}, {399, true}};
    for (const Case& c : cases) EXPECT_EQ(InCaptionOrStatusBand(c.y, 400, 80, 26), c.inBand) << "y " << c.y;
    // Without a status band no row of the window lies in it.
    EXPECT_FALSE(InCaptionOrStatusBand(399, 400, 80, 0));
    EXPECT_FALSE(InCaptionOrStatusBand(400, 400, 80, 0));
}

TEST(ItemLogic, PressesDragAndDoubleClicksToggleOnlyOffItemsInABand) {
    EXPECT_TRUE(PressDragsWindow(false, true, 0));
    EXPECT_FALSE(PressDragsWindow(true, true, 0));
    EXPECT_FALSE(PressDragsWindow(false, false, 0));
    EXPECT_FALSE(PressDragsWindow(false, true, 1));

    struct Case {
        LONG_PTR maximizeBox;
        bool hit, inBand, zoomed;
        WPARAM command;
    };
    const Case cases[] = {
        {1, false, true, false, SC_MAXIMIZE}, {1, false, true, true, SC_RESTORE}, {1, true, true, false, 0},
        {1, false, false, false, 0},          {0, false, true, false, 0},         {2, false, true, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DoubleClickCommand(c.maximizeBox, c.hit, c.inBand, c.zoomed), c.command)
            << c.maximizeBox << c.hit << c.inBand << c.zoomed;
}

TEST(ItemLogic, TabsCloseUpFromTheLeft) {
    FrameRecord r = SampleFrame();
    AddFrameItem(r, kItemPageTab, 0, 300, 27, 60, 52, "three");
    r.Items[7].nLeft = 999;  // wherever the tabs were, they start again at 5
    LayOutTabs(r);
    const std::int32_t lefts[] = {5, 67, 129};
    for (int t = 0; t < 3; ++t) {
        const FrameItem& tab = r.Items[6 + t];
        EXPECT_EQ(tab.nLeft, lefts[t]);
        EXPECT_EQ(tab.rcBounds.left, lefts[t]);
        EXPECT_EQ(tab.rcBounds.right, lefts[t] + 60);
        EXPECT_EQ(tab.rcBounds.top, 27);
        EXPECT_EQ(tab.rcBounds.bottom, 79);
    }
    EXPECT_EQ(r.nNextTabLeft, 191);
    EXPECT_EQ(r.Items[0].nLeft, 355) << "caption buttons stay where they are";
    EXPECT_EQ(r.Items[5].nLeft, 5) << "so does the status item";

    FrameRecord none;
    none.nNextTabLeft = 77;
    LayOutTabs(none);
    EXPECT_EQ(none.nNextTabLeft, 5);
}

TEST(ItemLogic, PageAreaLiesBetweenTheBands) {
    struct Case {
        std::int32_t w, h, b, s;
        PageArea area;
    };
    const Case cases[] = {
        {500, 400, 80, 24, {3, 81, 494, 292}},
        {500, 400, 80, 26, {3, 81, 494, 290}},
        {500, 400, 80, 0, {3, 81, 494, 316}},
        {500, 400, 80, -40, {3, 81, 494, 316}},  // a negative status band is none
        {4, 60, 80, 26, {3, 81, 0, 0}},          // too small for any page
    };
    for (const Case& c : cases) {
        const PageArea a = PageAreaOf(c.w, c.h, c.b, c.s);
        EXPECT_EQ(a.x, c.area.x);
        EXPECT_EQ(a.y, c.area.y);
        EXPECT_EQ(a.width, c.area.width) << c.w << "x" << c.h << " s " << c.s;
        EXPECT_EQ(a.height, c.area.height) << c.w << "x" << c.h << " s " << c.s;
    }
}

TEST(ItemLogic, FourIconBytesAreASignExtendedHandle) {
    const std::uint8_t positive[] = {0x78, 0x56, 0x34, 0x12};
    const std::uint8_t negative[] = {0xFE, 0xFF, 0xFF, 0xFF};
    const std::uint8_t five[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(IconHandleFromBytes(positive)), 0x12345678);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(IconHandleFromBytes(negative)), -2);
    EXPECT_EQ(IconHandleFromBytes(ByteSpan(positive, 3)), nullptr);
    EXPECT_EQ(IconHandleFromBytes(five), nullptr);
    EXPECT_EQ(IconHandleFromBytes(ByteSpan{}), nullptr);
}

void RoutineA(std::int32_t, std::int32_t, std::int32_t) {}

TEST(ItemLogic, ATabIsFoundAgainByIdentityAfterTheListChanged) {
    FrameRecord r = SampleFrame();
    r.Items[7].pfnOnClick = RoutineA;
    const TabIdentity two = IdentityOf(r.Items[7]);
    EXPECT_EQ(FindTab(r, two), 8);

    // The first tab goes and a new one comes: the new one takes the old
    // position number, but only "two" matches.
    r.Items.erase(r.Items.begin() + 6);
    r.nItemCount = static_cast<std::int32_t>(r.Items.size());
    AddFrameItem(r, kItemPageTab, 0, 129, 27, 60, 52, "two");
    EXPECT_EQ(FindTab(r, two), 7);

    r.Items.erase(r.Items.begin() + 6);
    r.nItemCount = static_cast<std::int32_t>(r.Items.size());
    EXPECT_EQ(FindTab(r, two), -1) << "a tab with the same title but other content is another tab";
}

TEST(ItemLogic, TitlesCompareByteForByte) {
    FrameRecord r = SampleFrame();
    AddFrameItem(r, kItemPageTab, 0, 129, 27, 60, 52, "One");
    AddFrameItem(r, kItemPageTab, 0, 191, 27, 60, 52, "");
    EXPECT_EQ(FindTabByTitle(r, "one"), 7);
    EXPECT_EQ(FindTabByTitle(r, "One"), 9);
    EXPECT_EQ(FindTabByTitle(r, "one", 8), -1);
    EXPECT_EQ(FindTabByTitle(r, nullptr), 10);
    EXPECT_EQ(FindTabByTitle(r, "status"), -1) << "only page tabs have titles";
}

}  // namespace
