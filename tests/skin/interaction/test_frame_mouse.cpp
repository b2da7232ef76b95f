// The mouse on real skinned frames: mouse messages are posted to the frame
// and go through its window procedure; what is redrawn (and in which order),
// posted, called and passed on is recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"
#include "skin/object/orvia_skin.h"
#include "tests/skin/interaction/interaction_util.h"

namespace {

using namespace interaction_test;
using harness::ExpectedMessage;
using orvia::FrameItem;
using orvia::FrameRecord;
using orvia::OrviaRoutine;

orvia::OrviaSkin* Skin() { return orvia::g_skin; }

// 400 × 300 with every caption button: Close 1, Maximize 2, Restore 3
// (hidden), Minimize 4, MainMenu 5, Help 6, the status item 7.
harness::AttachArgs AllButtons() {
    harness::AttachArgs a;
    a.minimizeBox = true;
    a.maximizeBox = true;
    a.helpButton = true;
    a.mainMenuButton = true;
    return a;
}
constexpr std::int32_t kClose = 1, kMaximize = 2, kRestore = 3, kMinimize = 4, kMainMenu = 5, kHelp = 6,
                       kStatus = 7;

std::vector<std::int32_t> Items(std::initializer_list<std::int32_t> items) { return items; }

std::vector<harness::RecordedMessage> PassedOnOnly(UINT message) {
    std::vector<harness::RecordedMessage> out;
    for (const auto& m : PassedOn())
        if (m.message == message) out.push_back(m);
    return out;
}

// A picture of item `index` as the window shows it.
std::vector<COLORREF> Look(HWND frame, std::int32_t index) {
    const RECT rc = orvia::FindFrame(frame)->Items[index - 1].rcBounds;
    const harness::Pixels p = harness::Pixels::FromWindow(frame);
    std::vector<COLORREF> look;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) look.push_back(p.At(x, y));
    return look;
}

// Routines the application would hand to the skin; they record their calls.
struct Call {
    std::string what;
    std::int32_t a, b, c;
    bool captureReleased;
    std::size_t redrawsBefore;
};
std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
}
HWND g_frame = nullptr;
RefreshLog* g_log = nullptr;
void Record(const char* what, std::int32_t a, std::int32_t b, std::int32_t c) {
    Calls().push_back({what, a, b, c, GetCapture() == nullptr, g_log ? g_log->For(g_frame).size() : 0});
}
void HelpRoutine(std::int32_t a, std::int32_t b, std::int32_t c) { Record("help", a, b, c); }
void MenuRoutine(std::int32_t a, std::int32_t b, std::int32_t c) { Record("menu", a, b, c); }
void TabRoutine(std::int32_t a, std::int32_t b, std::int32_t c) { Record("tab", a, b, c); }

std::int32_t AddPage(HWND frame, const char* title, std::optional<HWND> page = std::nullopt,
                     std::optional<OrviaRoutine> onClick = std::nullopt) {
    return Skin()->methods->AddPage(Skin(), frame, title, {}, page, onClick);
}

harness::TestWindow::Options PageWindow() {
    harness::TestWindow::Options o;
    o.style = WS_POPUP;
    o.show = false;
    return o;
}

class FrameMouse : public ::testing::Test {
protected:
    void SetUp() override {
        PassedOn().clear();
        Calls().clear();
    }
    void TearDown() override {
        g_frame = nullptr;
        g_log = nullptr;
    }
};

TEST_F(FrameMouse, HoverRedrawsTheOldItemNormalThenTheNewOneHot) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    FrameRecord* record = frame.record();
    const std::vector<COLORREF> normal = Look(frame, kClose);
    PassedOn().clear();
    RefreshLog log;

    const POINT close = CentreOf(*record, kClose);
    Move(frame, close.x, close.y);
    EXPECT_EQ(log.For(frame), Items({kClose}));
    EXPECT_NE(Look(frame, kClose), normal) << "the hot look is on screen";
    Move(frame, close.x + 3, close.y + 2);
    EXPECT_EQ(log.For(frame), Items({kClose})) << "moving within the button redraws nothing";

    const POINT minimize = CentreOf(*record, kMinimize);
    Move(frame, minimize.x, minimize.y);
    EXPECT_EQ(log.For(frame), Items({kClose, kClose, kMinimize}));
    EXPECT_EQ(Look(frame, kClose), normal);
    EXPECT_TRUE(PassedOnOnly(WM_MOUSEMOVE).empty()) << "moves over items are finished by the skin";

    // The status text is never hot: it clears the hot item and the move goes on.
    const POINT status = CentreOf(*record, kStatus);
    Move(frame, status.x, status.y);
    EXPECT_EQ(log.For(frame), Items({kClose, kClose, kMinimize, kMinimize}));
    EXPECT_EQ(record->nHotItem, -1);
    EXPECT_EQ(record->Items[kStatus - 1].bHover, 0);
    ASSERT_EQ(PassedOnOnly(WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(PassedOnOnly(WM_MOUSEMOVE)[0].lParam, MAKELPARAM(status.x, status.y));
}

TEST_F(FrameMouse, LeaveTrackingIsRequestedOncePerVisit) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    FrameRecord* record = frame.record();
    SetPropA(frame, "Orvia_bTracking", nullptr);
    RefreshLog log;
    const POINT help = CentreOf(*record, kHelp);
    Move(frame, help.x, help.y);
    EXPECT_EQ(GetPropA(frame, "Orvia_bTracking"), reinterpret_cast<HANDLE>(1));
    PassedOn().clear();
    Leave(frame);
    EXPECT_EQ(GetPropA(frame, "Orvia_bTracking"), nullptr);
    EXPECT_EQ(log.For(frame), Items({kHelp, kHelp}));
    EXPECT_EQ(record->nHotItem, -1);
    EXPECT_EQ(record->Items[kHelp - 1].bHover, 0);
    EXPECT_EQ(PassedOnOnly(WM_MOUSELEAVE).size(), 1u) << "the leave goes on to the window";
    Move(frame, 150, 150);
    EXPECT_EQ(GetPropA(frame, "Orvia_bTracking"), reinterpret_cast<HANDLE>(1));
}

TEST_F(FrameMouse, AReleaseElsewhereDoesNothingAndMovesTheHotLook) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    FrameRecord* record = frame.record();
    harness::MessageRecorder recorder(frame);
    RefreshLog log;
    const POINT close = CentreOf(*record, kClose);
    const POINT minimize = CentreOf(*record, kMinimize);
    Move(frame, close.x, close.y);
    Down(frame, close.x, close.y);
    Move(frame, minimize.x, minimize.y);
    Move(frame, 150, 150);
    EXPECT_EQ(log.For(frame), Items({kClose, kClose})) << "drawn pressed until the release";
    EXPECT_EQ(record->Items[kClose - 1].bPressed, 1);
    Up(frame, minimize.x, minimize.y);
    EXPECT_EQ(log.For(frame), Items({kClose, kClose, kClose, kClose, kMinimize}));
    EXPECT_EQ(record->nHotItem, kMinimize);
    EXPECT_EQ(record->nPressedItem, -1);
    EXPECT_TRUE(recorder.Only({WM_SYSCOMMAND}).empty()) << "no action";
    EXPECT_TRUE(IsWindow(frame));
}

TEST_F(FrameMouse, AButtonHeldWhileThePointerLeavesStillClicksOnItsReturn) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    FrameRecord* record = frame.record();
    harness::MessageRecorder recorder(frame);
    const std::vector<COLORREF> normal = Look(frame, kMinimize);
    RefreshLog log;
    const POINT minimize = CentreOf(*record, kMinimize);
    const POINT close = CentreOf(*record, kClose);
    Move(frame, minimize.x, minimize.y);
    Down(frame, minimize.x, minimize.y);
    Leave(frame);
    EXPECT_EQ(log.For(frame), Items({kMinimize, kMinimize, kMinimize}));
    EXPECT_EQ(Look(frame, kMinimize), normal) << "drawn normal after the leave";
    log.Clear();
    Move(frame, close.x, close.y);
    Move(frame, minimize.x, minimize.y);
    EXPECT_TRUE(log.For(frame).empty()) << "nothing lights up while the button is held";
    Up(frame, minimize.x, minimize.y);
    EXPECT_EQ(log.For(frame), Items({kMinimize, kMinimize}));
    EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_MINIMIZE, 0}}), "");
    EXPECT_TRUE(IsIconic(frame));
}

TEST_F(FrameMouse, LeavingClearsAHotItemThatIsNotThePressedOne) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    FrameRecord* record = frame.record();
    const std::vector<COLORREF> normal = Look(frame, kClose);
    RefreshLog log;
    const POINT close = CentreOf(*record, kClose);
    const POINT help = CentreOf(*record, kHelp);
    Move(frame, close.x, close.y);
    Down(frame, help.x, help.y);  // a press that no move announced
    ASSERT_EQ(record->nHotItem, kClose);
    ASSERT_EQ(record->nPressedItem, kHelp);
    log.Clear();
    Leave(frame);
    EXPECT_EQ(log.For(frame), Items({kHelp, kClose}));
    EXPECT_EQ(record->Items[kClose - 1].bHover, 0);
    EXPECT_EQ(record->Items[kHelp - 1].bPressed, 0);
    EXPECT_EQ(Look(frame, kClose), normal) << "no hot look stays behind";
}

TEST_F(FrameMouse, CaptionButtonsPostTheirSystemCommands) {
    {
        harness::SkinnedFrame frame(FrameOptions(AllButtons()));
        RestPointerInside(frame);
        harness::MessageRecorder recorder(frame);
        const POINT maximize = CentreOf(*frame.record(), kMaximize);
        Click(frame, maximize.x, maximize.y);
        EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_MAXIMIZE, 0}}), "");
        ASSERT_TRUE(IsZoomed(frame));
        // Restore has taken Maximize's place.
        const POINT restore = CentreOf(*frame.record(), kRestore);
        EXPECT_EQ(frame.record()->Items[kRestore - 1].bVisible, 1);
        recorder.Clear();
        Click(frame, restore.x, restore.y);
        EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_RESTORE, 0}}), "");
        EXPECT_FALSE(IsZoomed(frame));
    }
    {
        harness::SkinnedFrame frame(FrameOptions(AllButtons()));
        RestPointerInside(frame);
        const HWND window = frame.hwnd();
        harness::MessageRecorder recorder(window);
        const std::int32_t frames = orvia::g_registryCount;
        const POINT close = CentreOf(*frame.record(), kClose);
        Click(window, close.x, close.y);
        EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_CLOSE, 0}}), "");
        EXPECT_FALSE(IsWindow(window)) << "the close went through";
        EXPECT_EQ(orvia::g_registryCount, frames - 1);
    }
}

TEST_F(FrameMouse, HelpAndMainMenuCallTheirRoutinesOncePerClick) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    harness::MessageRecorder recorder(frame);
    const POINT help = CentreOf(*frame.record(), kHelp);
    const POINT menu = CentreOf(*frame.record(), kMainMenu);
    Click(frame, help.x, help.y);
    Click(frame, menu.x, menu.y);
    EXPECT_TRUE(Calls().empty()) << "no routine set: nothing to call";

    Skin()->methods->SetHelpClickRoutine(Skin(), frame, HelpRoutine);
    Skin()->methods->SetMainMenuClickRoutine(Skin(), frame, MenuRoutine);
    Click(frame, help.x, help.y);
    Click(frame, menu.x, menu.y);
    Click(frame, help.x, help.y);
    ASSERT_EQ(Calls().size(), 3u);
    const char* order[] = {"help", "menu", "help"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Calls()[i].what, order[i]);
        EXPECT_EQ(Calls()[i].a, 0);
        EXPECT_EQ(Calls()[i].b, 0);
        EXPECT_EQ(Calls()[i].c, 0);
    }
    EXPECT_TRUE(recorder.Only({WM_SYSCOMMAND}).empty());
}

TEST_F(FrameMouse, ClickingATabRunsItsRoutineThenSwitchesPages) {
    harness::SkinnedFrame frame(FrameOptions());  // tabs are items 6, 7 and 8
    RestPointerInside(frame);
    harness::TestWindow p1(PageWindow()), p2(PageWindow());
    AddPage(frame, "one", p1.hwnd(), TabRoutine);
    AddPage(frame, "two", p2.hwnd(), TabRoutine);
    AddPage(frame, "routine only", std::nullopt, TabRoutine);
    Skin()->methods->SelectPage(Skin(), frame, "one");
    FrameRecord* record = frame.record();
    RefreshLog log;
    g_log = &log;
    g_frame = frame;

    const POINT two = CentreOf(*record, 7);
    Move(frame, two.x, two.y);
    Down(frame, two.x, two.y);
    SetCapture(frame);
    Up(frame, two.x, two.y);
    // Hot, pressed, released; then, in index order, "one" deselected and "two" selected.
    EXPECT_EQ(log.For(frame), Items({7, 7, 7, 6, 7}));
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(Calls()[0].captureReleased);
    EXPECT_EQ(Calls()[0].redrawsBefore, 3u) << "the routine runs before the selection changes";
    EXPECT_TRUE(IsWindowVisible(p2));
    EXPECT_FALSE(IsWindowVisible(p1));
    EXPECT_EQ(record->Items[5].bSelected, 0);
    EXPECT_EQ(record->Items[6].bSelected, 1);

    // The selected tab ignores clicks: no routine, no page shown.
    ShowWindow(p2, SW_HIDE);
    log.Clear();
    Down(frame, two.x, two.y);
    Up(frame, two.x, two.y);
    EXPECT_EQ(log.For(frame), Items({7, 7}));
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_FALSE(IsWindowVisible(p2));

    // A tab without a page window only runs its routine.
    log.Clear();
    Click(frame, CentreOf(*record, 8).x, CentreOf(*record, 8).y);
    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(log.For(frame), Items({7, 8, 8, 8}));
    EXPECT_EQ(record->Items[6].bSelected, 1);
    EXPECT_EQ(record->Items[7].bSelected, 0);
}

// Routines that change the frame under the click that runs them.
enum class Change { DestroyFrame, RemoveEarlierTab, RemoveClickedTab, AddManyTabs };
Change g_change;
void ChangingRoutine(std::int32_t, std::int32_t, std::int32_t) {
    Record("changing", 0, 0, 0);
    switch (g_change) {
    case Change::DestroyFrame: DestroyWindow(g_frame); break;
    case Change::RemoveEarlierTab: Skin()->methods->RemovePage(Skin(), g_frame, "one"); break;
    case Change::RemoveClickedTab: Skin()->methods->RemovePage(Skin(), g_frame, "two"); break;
    case Change::AddManyTabs:
        // Enough to move the item list to new memory.
        for (int i = 0; i < 16; ++i) Skin()->methods->AddPage(Skin(), g_frame, "more", {}, std::nullopt, std::nullopt);
        break;
    }
}

TEST_F(FrameMouse, ARoutineThatChangesTheFrameLeavesNothingDangling) {
    struct Case {
        Change change;
        bool frameLives;
        const char* selectedTitle;  // the one selected tab afterwards
        bool pageShown;
    };
    const Case cases[] = {
        {Change::DestroyFrame, false, "", false},
        {Change::RemoveEarlierTab, true, "two", true},
        {Change::RemoveClickedTab, true, "one", false},
        {Change::AddManyTabs, true, "two", true},
    };
    for (const Case& c : cases) {
        Calls().clear();
        harness::SkinnedFrame frame(FrameOptions());
        RestPointerInside(frame);
        const HWND window = frame.hwnd();
        harness::TestWindow p1(PageWindow()), p2(PageWindow());
        AddPage(window, "one", p1.hwnd());
        AddPage(window, "two", p2.hwnd(), ChangingRoutine);
        Skin()->methods->SelectPage(Skin(), window, "one");
        g_frame = window;
        g_change = c.change;
        const std::int32_t frames = orvia::g_registryCount;
        const FrameItem* itemsBefore = frame.record()->Items.data();
        const POINT two = CentreOf(*frame.record(), 7);
        Click(window, two.x, two.y);

        const int which = static_cast<int>(c.change);
        ASSERT_EQ(Calls().size(), 1u) << which;
        EXPECT_EQ(IsWindow(window) != FALSE, c.frameLives) << which;
        EXPECT_EQ(orvia::g_registryCount, c.frameLives ? frames : frames - 1) << which;
        if (!c.frameLives) continue;
        const FrameRecord* record = frame.record();
        if (c.change == Change::AddManyTabs) {
            EXPECT_NE(record->Items.data(), itemsBefore) << "the items moved";
        }
        std::vector<std::string> selected;
        for (const FrameItem& item : record->Items)
            if (item.nKind == orvia::kItemPageTab && item.bSelected) selected.push_back(item.sText);
        EXPECT_EQ(selected, std::vector<std::string>({c.selectedTitle})) << which;
        EXPECT_EQ(IsWindowVisible(p2) != FALSE, c.pageShown) << which;
        for (const FrameItem& item : record->Items) EXPECT_EQ(item.bPressed, 0) << which;
    }
}

TEST_F(FrameMouse, ARoutineThatDestroysTheFrameFromHelp) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    const HWND window = frame.hwnd();
    g_frame = window;
    g_change = Change::DestroyFrame;
    Skin()->methods->SetHelpClickRoutine(Skin(), window, ChangingRoutine);
    const POINT help = CentreOf(*frame.record(), kHelp);
    Click(window, help.x, help.y);
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_FALSE(IsWindow(window));
}

// The frame's move loop would wait for a real button: the drag request is caught.
TEST_F(FrameMouse, PressingTheBandsDragsTheFrame) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));  // 300 high, bands 80 and 26
    RestPointerInside(frame);
    Interceptor catcher(frame, {WM_NCLBUTTONDOWN});
    struct Case {
        int x, y;
        bool drags;
    };
    const Case cases[] = {
        {150, 40, true},  {150, 79, true},  {150, 80, false}, {150, 150, false},
        {150, 274, false}, {150, 275, true}, {150, 299, true},
        {CentreOf(*frame.record(), kHelp).x, CentreOf(*frame.record(), kHelp).y, false},  // an item
        {CentreOf(*frame.record(), kStatus).x, 290, true},  // the status text is no item
    };
    for (const Case& c : cases) {
        catcher.Clear();
        PassedOn().clear();
        SetCapture(frame);
        Down(frame, c.x, c.y);
        Up(frame, c.x, c.y);
        if (c.drags) {
            EXPECT_EQ(harness::CompareMessages(catcher.caught(), {{WM_NCLBUTTONDOWN, HTCAPTION, 0}}), "")
                << c.x << "," << c.y;
            EXPECT_EQ(GetCapture(), nullptr);
            EXPECT_TRUE(PassedOnOnly(WM_LBUTTONDOWN).empty());
        } else {
            EXPECT_TRUE(catcher.caught().empty()) << c.x << "," << c.y;
            ReleaseCapture();
        }
    }

    // Not while the skin has the frame maximized.
    SetCapture(nullptr);
    PostMessageW(frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    harness::PumpMessages();
    ASSERT_EQ(GetPropA(frame, "Orvia_Maximize"), reinterpret_cast<HANDLE>(1));
    catcher.Clear();
    PassedOn().clear();
    Down(frame, 150, 40);
    EXPECT_TRUE(catcher.caught().empty());
    EXPECT_EQ(PassedOnOnly(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(FrameMouse, DoubleClickingABandTogglesMaximize) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    harness::MessageRecorder recorder(frame);
    Mouse(frame, WM_LBUTTONDBLCLK, 150, 40);
    EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_MAXIMIZE, 0}}), "");
    ASSERT_TRUE(IsZoomed(frame));

    RECT rc{};
    GetWindowRect(frame, &rc);
    recorder.Clear();
    Mouse(frame, WM_LBUTTONDBLCLK, 150, rc.bottom - rc.top - 26 + 1);  // status band, first row
    EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_SYSCOMMAND}), {{WM_SYSCOMMAND, SC_RESTORE, 0}}), "");
    EXPECT_FALSE(IsZoomed(frame));

    // Off the bands, or on an item, the double-click only goes on.
    recorder.Clear();
    PassedOn().clear();
    const POINT close = CentreOf(*frame.record(), kClose);
    Mouse(frame, WM_LBUTTONDBLCLK, 150, 150);
    Mouse(frame, WM_LBUTTONDBLCLK, 150, 300 - 26);
    Mouse(frame, WM_LBUTTONDBLCLK, close.x, close.y);
    EXPECT_TRUE(recorder.Only({WM_SYSCOMMAND}).empty());
    EXPECT_EQ(PassedOnOnly(WM_LBUTTONDBLCLK).size(), 3u);
    EXPECT_EQ(frame.record()->nPressedItem, -1);
    EXPECT_EQ(frame.record()->Items[kClose - 1].bHover, 0) << "a double-click changes no item";

    // A frame without the Maximize/Restore pair never toggles.
    harness::AttachArgs noMaximize = AllButtons();
    noMaximize.maximizeBox = false;
    harness::SkinnedFrame plain(FrameOptions(noMaximize));
    harness::MessageRecorder plainRecorder(plain);
    PassedOn().clear();
    Mouse(plain, WM_LBUTTONDBLCLK, 150, 40);
    EXPECT_TRUE(plainRecorder.Only({WM_SYSCOMMAND}).empty());
    EXPECT_EQ(PassedOnOnly(WM_LBUTTONDBLCLK).size(), 1u);
}

TEST_F(FrameMouse, HoverAndPressNeverRenderOrInvalidateTheFrame) {
    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    RestPointerInside(frame);
    AddPage(frame, "one");
    AddPage(frame, "two");
    FrameRecord* record = frame.record();
    harness::PumpMessages();
    ValidateRect(frame, nullptr);
    // A full render would paint over this pixel of the client area.
    const HDC cache = reinterpret_cast<HDC>(GetPropA(frame, "OrviaCacheDC"));
    SetPixel(cache, 200, 200, RGB(255, 0, 255));
    for (int round = 0; round < 3; ++round)
        for (std::int32_t i = 1; i <= record->nItemCount; ++i) {
            if (!record->Items[i - 1].bVisible) continue;
            const POINT p = CentreOf(*record, i);
            Move(frame, p.x, p.y);
            if (record->Items[i - 1].nKind == orvia::kItemPageTab) {
                Down(frame, p.x, p.y);
                Up(frame, p.x + 60, p.y);  // released off the tab: no click
            }
        }
    EXPECT_EQ(GetPixel(cache, 200, 200), RGB(255, 0, 255)) << "the frame was rendered again";
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(frame, &update, FALSE)) << "the window was invalidated";
}

TEST_F(FrameMouse, AWindowThatIsNotAFrameGetsEveryMessagePassedOn) {
    harness::TestWindow::Options o;
    o.className = OwnClass();
    harness::TestWindow plain(o);
    SetPropA(plain, "Brelin_WndProc", reinterpret_cast<HANDLE>(&OwnProc));
    PassedOn().clear();
    const UINT messages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSELEAVE};
    for (UINT m : messages) orvia::HandleFrameMouse(plain, m, 0, MAKELPARAM(380, 5));
    ASSERT_EQ(PassedOn().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(PassedOn()[i].message, messages[i]);
    EXPECT_FALSE(orvia::UpdateItemStates(plain, WM_MOUSEMOVE, 380, 5));
    orvia::ClearItemStates(plain);
    orvia::ClickItem(plain, 1);
    orvia::FireFrameEvent(plain, "Orvia_Event_HelpClick");
    orvia::CallRoutine(nullptr);

    harness::SkinnedFrame frame(FrameOptions(AllButtons()));
    harness::MessageRecorder recorder(frame);
    for (std::int32_t index : {-1, 0, 99}) orvia::ClickItem(frame, index);
    harness::PumpMessages();
    EXPECT_TRUE(recorder.Only({WM_SYSCOMMAND}).empty());
}

}  // namespace
