// The skinned button's window procedure: hover tracking, draw states, the
// check state it keeps for the owner-drawn control, and clicks as the
// parent sees them (BN_CLICKED).
#include <functional>
#include <memory>

#include "tests/skin/controls/controls_fixture.h"

namespace {

using namespace controls_test;
namespace prop = orvia::prop;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
void Press(HWND b, int x = 5, int y = 5) { SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
void Release(HWND b, int x = 5, int y = 5) { SendMessageW(b, WM_LBUTTONUP, 0, At(x, y)); }
void Click(HWND b) {
    Press(b);
    Release(b);
}
void Space(HWND b) {
    SetFocus(b);
    SendMessageW(b, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(b, WM_KEYUP, VK_SPACE, 0xC0390001);
}
LONG_PTR Check(HWND b) { return orvia::GetProperty(b, prop::kCheck); }
LONG_PTR DrawState(HWND b) { return orvia::GetProperty(b, prop::kDrawState); }
bool Invalidated(HWND b) { return GetUpdateRect(b, nullptr, FALSE) != FALSE; }
size_t Clicks(HWND b) { return NotificationsFrom(b, BN_CLICKED).size(); }

TRACKMOUSEEVENT TrackingNow() {
    TRACKMOUSEEVENT query{};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    return query;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) harness::PumpFor(10);
    return condition();
}

class ButtonProc : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        host_ = std::make_unique<harness::TestWindow>(HostOptions());
    }
    HWND Skinned(DWORD style, int x = 10, int y = 10) {
        HWND button = AddButton(*host_, style, L"Button", x, y, 80, 24);
        orvia::SkinChildControls(*host_);
        return button;
    }
    void PointAt(HWND button, int x, int y) {
        POINT point{x, y};
        ClientToScreen(button, &point);
        SetCursorPos(point.x, point.y);
    }
    std::unique_ptr<harness::TestWindow> host_;
};

TEST_F(ButtonProc, MouseTrackingIsArmedOnTheFirstMoveAndAgainOnlyAfterTheMouseLeft) {
    HWND button = Skinned(BS_PUSHBUTTON);
    // The system tracks only a window that is under the pointer.
    PointAt(button, 30, 12);
    auto cancel = [&] {
        TRACKMOUSEEVENT stop{};
        stop.cbSize = sizeof stop;
        stop.dwFlags = TME_CANCEL | TME_HOVER | TME_LEAVE;
        stop.hwndTrack = button;
        TrackMouseEvent(&stop);
    };

    SendMessageW(button, WM_MOUSEMOVE, 0, At(30, 12));
    EXPECT_EQ(orvia::GetProperty(button, prop::kTrackMouseEvent), 1);
    TRACKMOUSEEVENT tracking = TrackingNow();
    EXPECT_EQ(tracking.hwndTrack, button);
    EXPECT_EQ(tracking.dwFlags & (TME_HOVER | TME_LEAVE), static_cast<DWORD>(TME_HOVER | TME_LEAVE));
    EXPECT_EQ(tracking.dwHoverTime, 5u);

    // With tracking armed a second move does not ask for it again: take it
    // away behind the button's back and see that the move does not restore it.
    cancel();
    ASSERT_EQ(TrackingNow().hwndTrack, nullptr);
    ValidateRect(button, nullptr);
    SendMessageW(button, WM_MOUSEMOVE, 0, At(31, 12));
    EXPECT_EQ(TrackingNow().hwndTrack, nullptr);
    EXPECT_FALSE(Invalidated(button)) << "mouse moves alone never repaint";

    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(orvia::GetProperty(button, prop::kTrackMouseEvent), 0);
    SendMessageW(button, WM_MOUSEMOVE, 0, At(32, 12));
    EXPECT_EQ(TrackingNow().hwndTrack, button);
    EXPECT_EQ(orvia::GetProperty(button, prop::kTrackMouseEvent), 1);
    cancel();
}

TEST_F(ButtonProc, RestingPointerHoversTheButtonUntilItLeaves) {
    HWND button = Skinned(BS_AUTOCHECKBOX);
    PointAt(button, 30, 12);
    SendMessageW(button, WM_MOUSEMOVE, 0, At(30, 12));
    EXPECT_TRUE(WaitFor([&] { return DrawState(button) == orvia::kDrawHover; }));
    SetCursorPos(1270, 1010);
    EXPECT_TRUE(WaitFor([&] { return DrawState(button) == orvia::kDrawNormal; }));
    EXPECT_EQ(orvia::GetProperty(button, prop::kTrackMouseEvent), 0);
}

TEST_F(ButtonProc, DrawStateFollowsHoverPressReleaseAndLeave) {
    HWND button = Skinned(BS_PUSHBUTTON);
    struct Step {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int drawState;
        bool repaint;
    };
    const Step steps[] = {
        {"hover", WM_MOUSEHOVER, 0, At(5, 5), orvia::kDrawHover, true},
        {"hover again", WM_MOUSEHOVER, 0, At(6, 5), orvia::kDrawHover, false},
        {"press", WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5), orvia::kDrawPressed, true},
        {"release", WM_LBUTTONUP, 0, At(5, 5), orvia::kDrawHover, true},
        {"leave", WM_MOUSELEAVE, 0, 0, orvia::kDrawNormal, true},
        {"leave again", WM_MOUSELEAVE, 0, 0, orvia::kDrawNormal, false},
    };
    for (const Step& step : steps) {
        harness::PumpMessages();
        ValidateRect(button, nullptr);
        SendMessageW(button, step.message, step.wParam, step.lParam);
        EXPECT_EQ(DrawState(button), step.drawState) << step.name;
        EXPECT_EQ(Invalidated(button), step.repaint) << step.name;
    }
    EXPECT_EQ(Check(button), 1) << "a click on a button whose check state was 0 leaves it 1";
}

TEST_F(ButtonProc, SetDrawStateRepaintsOnlyOnAChange) {
    HWND button = Skinned(BS_PUSHBUTTON);
    harness::PumpMessages();
    ValidateRect(button, nullptr);
    orvia::SetDrawState(button, orvia::kDrawNormal);  // an absent state reads as normal
    EXPECT_FALSE(Invalidated(button));
    orvia::SetDrawState(button, orvia::kDrawPressed);
    EXPECT_TRUE(Invalidated(button));
    EXPECT_EQ(DrawState(button), orvia::kDrawPressed);
    ValidateRect(button, nullptr);
    orvia::SetDrawState(button, orvia::kDrawPressed);
    EXPECT_FALSE(Invalidated(button));
}

TEST_F(ButtonProc, CheckStateIsKeptForTheOwnerDrawnControl) {
    struct Case {
        const char* name;
        DWORD style;
        WPARAM set;
        LONG_PTR kept;
    };
    const Case cases[] = {
        {"check box", BS_AUTOCHECKBOX, BST_CHECKED, 1},
        {"check box, indeterminate is more than it has", BS_CHECKBOX, BST_INDETERMINATE, 1},
        {"3-state, indeterminate", BS_AUTO3STATE, BST_INDETERMINATE, 2},
        {"3-state, out of range", BS_3STATE, 7, 2},
        {"radio button", BS_RADIOBUTTON, BST_CHECKED, 1},
        {"push button keeps what it is given", BS_PUSHBUTTON, BST_INDETERMINATE, 2},
    };
    for (const Case& c : cases) {
        HWND button = Skinned(c.style);
        harness::PumpMessages();
        ValidateRect(button, nullptr);
        SendMessageW(button, BM_SETCHECK, c.set, 0);
        EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.kept) << c.name;
        EXPECT_EQ(Check(button), c.kept) << c.name;
        EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & 3, c.kept) << c.name;
        EXPECT_TRUE(Invalidated(button)) << c.name << ": a new check state is repainted";
        ValidateRect(button, nullptr);
        SendMessageW(button, BM_SETCHECK, c.set, 0);
        EXPECT_FALSE(Invalidated(button)) << c.name << ": the same state again is not";
        DestroyWindow(button);
    }
}

TEST_F(ButtonProc, CheckStateSetByTheApplicationShowsOnScreen) {
    HWND radio = Skinned(BS_RADIOBUTTON);
    const COLORREF unselected = SpriteCell(7, 47, 1, 1).At(0, 0);
    const COLORREF selected = SpriteCell(67, 47, 1, 1).At(0, 0);
    ASSERT_NE(unselected, selected);
    EXPECT_EQ(Repainted(radio).At(7, 7), unselected);
    SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    UpdateWindow(radio);
    EXPECT_EQ(harness::Pixels::FromWindow(radio).At(7, 7), selected);
}

TEST_F(ButtonProc, ClicksChangeTheCheckStateAsTheSystemButtonWould) {
    enum Action { kClick, kReleasedElsewhere, kReleaseOnly, kSpace, kBmClick, kDoubleClick, kDisabledClick, kDisabledSpace };
    struct Case {
        const char* name;
        DWORD style;
        WPARAM initial;
        Action action;
        LONG_PTR check;
        size_t clicks;
    };
    const Case cases[] = {
        {"auto check box", BS_AUTOCHECKBOX, 0, kClick, 1, 1},
        {"auto check box, checked", BS_AUTOCHECKBOX, 1, kClick, 0, 1},
        {"released elsewhere", BS_AUTOCHECKBOX, 0, kReleasedElsewhere, 0, 0},
        {"released over it after a press elsewhere", BS_AUTOCHECKBOX, 0, kReleaseOnly, 0, 0},
        {"space bar", BS_AUTOCHECKBOX, 0, kSpace, 1, 1},
        {"BM_CLICK", BS_AUTOCHECKBOX, 0, kBmClick, 1, 1},
        {"double click counts twice", BS_AUTOCHECKBOX, 0, kDoubleClick, 0, 2},
        {"disabled, clicked", BS_AUTOCHECKBOX, 0, kDisabledClick, 0, 0},
        {"disabled, space bar", BS_AUTOCHECKBOX, 0, kDisabledSpace, 0, 0},
        {"plain check box leaves it to the application", BS_CHECKBOX, 0, kClick, 0, 1},
        {"auto 3-state, indeterminate", BS_AUTO3STATE, 2, kClick, 0, 1},
        {"plain 3-state", BS_3STATE, 1, kClick, 1, 1},
        {"auto radio button", BS_AUTORADIOBUTTON, 0, kClick, 1, 1},
        {"auto radio button stays selected", BS_AUTORADIOBUTTON, 1, kClick, 1, 1},
        {"plain radio button", BS_RADIOBUTTON, 0, kSpace, 0, 1},
        {"plain radio button, double click is one click", BS_RADIOBUTTON, 0, kDoubleClick, 0, 1},
        {"push-like auto check box", BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, kClick, 1, 1},
        {"push button", BS_PUSHBUTTON, 0, kClick, 1, 1},
        {"push button with BS_NOTIFY, double click is one click", BS_PUSHBUTTON | BS_NOTIFY, 0, kDoubleClick, 1, 1},
    };
    for (const Case& c : cases) {
        HWND button = Skinned(c.style);
        SendMessageW(button, BM_SETCHECK, c.initial, 0);
        Notifications().clear();
        switch (c.action) {
        case kClick: Click(button); break;
        case kReleasedElsewhere:
            Press(button);
            Release(button, -20, 5);
            break;
        case kReleaseOnly: Release(button); break;
        case kSpace: Space(button); break;
        case kBmClick: SendMessageW(button, BM_CLICK, 0, 0); break;
        case kDoubleClick:
            Click(button);
            SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
            Release(button);
            break;
        case kDisabledClick:
            EnableWindow(button, FALSE);
            Click(button);
            break;
        case kDisabledSpace:
            EnableWindow(button, FALSE);
            Space(button);
            break;
        }
        EXPECT_EQ(Check(button), c.check) << c.name;
        EXPECT_EQ(Clicks(button), c.clicks) << c.name;
        if (c.clicks) {
            EXPECT_EQ(NotificationsFrom(button, BN_CLICKED).back().checkSeen, c.check) << c.name << ": seen by the parent";
        }
        EXPECT_NE(GetCapture(), button) << c.name;
        DestroyWindow(button);
    }
}

TEST_F(ButtonProc, DisabledButtonKeepsItsLook) {
    HWND button = Skinned(BS_PUSHBUTTON);
    EnableWindow(button, FALSE);
    Press(button);
    EXPECT_EQ(DrawState(button), orvia::kDrawNormal);
    EXPECT_EQ(CompareBlock(Repainted(button), 0, 0, SpriteCell(120, 0, 5, 5), 0, 0, 5, 5), "");
}

TEST_F(ButtonProc, ReleaseAwayFromTheButtonEndsThePressWithoutAClick) {
    HWND button = Skinned(BS_AUTOCHECKBOX);
    Press(button);
    ASSERT_EQ(GetCapture(), button);
    // While held, the look says whether letting go would click.
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(-10, 5));
    EXPECT_EQ(DrawState(button), orvia::kDrawNormal);
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(10, 5));
    EXPECT_EQ(DrawState(button), orvia::kDrawPressed);
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(200, 5));
    Release(button, 200, 5);
    EXPECT_EQ(DrawState(button), orvia::kDrawNormal);
    EXPECT_EQ(Check(button), 0);
    EXPECT_EQ(Clicks(button), 0u);

    // Coming back over it before letting go still clicks.
    Press(button);
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(-10, 5));
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(10, 5));
    Release(button, 10, 5);
    EXPECT_EQ(Check(button), 1);
    EXPECT_EQ(Clicks(button), 1u);
}

TEST_F(ButtonProc, LosingThePointerCancelsThePress) {
    HWND button = Skinned(BS_AUTOCHECKBOX);
    Press(button);
    ReleaseCapture();
    EXPECT_EQ(DrawState(button), orvia::kDrawNormal);
    Release(button);
    EXPECT_EQ(Check(button), 0);
    EXPECT_EQ(Clicks(button), 0u);
}

TEST_F(ButtonProc, AutoRadioButtonClearsTheOthersOfItsGroupOnly) {
    HWND r1 = Skinned(BS_AUTORADIOBUTTON | WS_GROUP, 10, 10);
    HWND r2 = Skinned(BS_AUTORADIOBUTTON, 10, 40);
    HWND r3 = Skinned(BS_AUTORADIOBUTTON, 10, 70);
    HWND plain = Skinned(BS_RADIOBUTTON, 10, 100);
    HWND r4 = Skinned(BS_AUTORADIOBUTTON | WS_GROUP, 100, 10);
    // Created after the walk: the system's own radio button in the second group.
    HWND system = AddButton(*host_, BS_AUTORADIOBUTTON, L"System", 100, 40, 80, 24);
    SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(plain, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(r4, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(system, BM_SETCHECK, BST_CHECKED, 0);
    auto checks = [&] {
        return std::vector<LRESULT>{SendMessageW(r1, BM_GETCHECK, 0, 0), SendMessageW(r2, BM_GETCHECK, 0, 0),
                                    SendMessageW(r3, BM_GETCHECK, 0, 0), SendMessageW(plain, BM_GETCHECK, 0, 0),
                                    SendMessageW(r4, BM_GETCHECK, 0, 0), SendMessageW(system, BM_GETCHECK, 0, 0)};
    };

    Click(r2);
    EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 1, 0, 1, 1, 1}));
    ASSERT_EQ(Clicks(r2), 1u);
    EXPECT_EQ(NotificationsFrom(r2, BN_CLICKED)[0].checkSeen, 1);
    UpdateWindow(r1);
    EXPECT_EQ(harness::Pixels::FromWindow(r1).At(7, 7), SpriteCell(7, 47, 1, 1).At(0, 0)) << "r1 shows unselected";

    Click(r2);
    EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 1, 0, 1, 1, 1})) << "clicking the selected one keeps it";

    SendMessageW(r3, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 0, 1, 1, 1, 1})) << "the application's choice clears the group too";

    Click(r4);
    EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 0, 1, 1, 1, 0})) << "the second group, system radio included";
}

}  // namespace
