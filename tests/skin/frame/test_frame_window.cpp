#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/frame/frame_window.h"
#include "skin/frame/registry.h"
#include "skin/theme/theme.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"
#include "tests/skin/frame/frame_support.h"

namespace {

using namespace frame_test;
using harness::AttachArgs;
using harness::SkinnedFrame;
namespace prop = orvia::prop;

LPARAM ScreenPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

struct HitCase {
    POINT point;  // relative to the window rectangle (100, 100, 500, 400)
    LRESULT code;
};

// HTNOWHERE: no sizing zone, the previous procedure answers.
const HitCase kHitCases[] = {
    {{110, 110}, HTTOPLEFT},    {{111, 102}, HTTOP},         {{103, 250}, HTLEFT},
    {{104, 250}, HTNOWHERE},    {{490, 390}, HTBOTTOMRIGHT}, {{497, 250}, HTRIGHT},
    {{100, 100}, HTTOPLEFT},    {{500, 400}, HTBOTTOMRIGHT}, {{490, 110}, HTTOPRIGHT},
    {{489, 110}, HTNOWHERE},    {{110, 390}, HTBOTTOMLEFT},  {{111, 390}, HTNOWHERE},
    {{250, 103}, HTTOP},        {{250, 104}, HTNOWHERE},     {{250, 397}, HTBOTTOM},
    {{250, 396}, HTNOWHERE},    {{496, 250}, HTNOWHERE},     {{90, 250}, HTLEFT},
    {{250, 410}, HTBOTTOM},     {{250, 250}, HTNOWHERE},
};

TEST(SizingHitTest, ZonesOfAWindowAnywhereOnTheDesktop) {
    const RECT primary{100, 100, 500, 400};
    const int shift = -1380;  // the same window on a monitor left of the primary one
    const RECT left{100 + shift, 100, 500 + shift, 400};
    for (const HitCase& c : kHitCases) {
        EXPECT_EQ(orvia::SizingHitTest(c.point, primary, true), c.code) << c.point.x << "," << c.point.y;
        EXPECT_EQ(orvia::SizingHitTest({c.point.x + shift, c.point.y}, left, true), c.code)
            << c.point.x + shift << "," << c.point.y;
        EXPECT_EQ(orvia::SizingHitTest(c.point, primary, false), HTNOWHERE) << "not sizable";
    }
}

TEST(SizingHitTest, EdgesAndCursorsOfEachCode) {
    struct Case {
        LRESULT code;
        int edge;
        int cursor;
    };
    const Case cases[] = {
        {HTLEFT, WMSZ_LEFT, 32644},           {HTRIGHT, WMSZ_RIGHT, 32644},
        {HTTOP, WMSZ_TOP, 32645},             {HTTOPLEFT, WMSZ_TOPLEFT, 32642},
        {HTTOPRIGHT, WMSZ_TOPRIGHT, 32643},   {HTBOTTOM, WMSZ_BOTTOM, 32645},
        {HTBOTTOMLEFT, WMSZ_BOTTOMLEFT, 32643}, {HTBOTTOMRIGHT, WMSZ_BOTTOMRIGHT, 32642},
        {HTCLIENT, 0, 32512},                 {HTCAPTION, 0, 32512},
        {HTBORDER, 0, 32512},                 {HTNOWHERE, 0, 32512},
        {static_cast<WORD>(HTERROR), 0, 32512},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orvia::SizingEdge(c.code), c.edge) << c.code;
        EXPECT_EQ(orvia::CursorForHitTest(c.code), c.cursor) << c.code;
    }
}

class FrameWindow : public FrameTest {};

TEST_F(FrameWindow, HitTestOfASizableFrame) {
    AttachArgs sizable;
    sizable.sizable = true;
    for (const int shift : {0, -1380}) {
        SkinnedFrame::Options o = SpiedFrame(sizable);
        o.rect = {100 + shift, 100, 500 + shift, 400};
        SkinnedFrame frame(o);
        RECT rect{};
        GetWindowRect(frame, &rect);
        ASSERT_EQ(rect.left, 100 + shift);
        for (const HitCase& c : kHitCases) {
            Spy().messages.clear();
            const LPARAM at = ScreenPoint(c.point.x + shift, c.point.y);
            const LRESULT result = SendMessageW(frame, WM_NCHITTEST, 0, at);
            if (c.code != HTNOWHERE) {
                EXPECT_EQ(result, c.code) << c.point.x + shift << "," << c.point.y;
                EXPECT_FALSE(Spy().Saw(frame, WM_NCHITTEST));
            } else {
                EXPECT_EQ(result, DefWindowProcW(frame, WM_NCHITTEST, 0, at)) << c.point.x + shift << "," << c.point.y;
                EXPECT_TRUE(Spy().Saw(frame, WM_NCHITTEST)) << "passed on";
            }
        }
    }
}

TEST_F(FrameWindow, HitTestOfAFixedFrameIsThePreviousProcedures) {
    SkinnedFrame frame(SpiedFrame());
    Spy().answers[WM_NCHITTEST] = 0x66;
    for (const HitCase& c : kHitCases)
        EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, ScreenPoint(c.point.x, c.point.y)), 0x66);
    EXPECT_EQ(Spy().Of(frame, {WM_NCHITTEST}).size(), std::size(kHitCases));
}

TEST_F(FrameWindow, SetCursorShowsTheSizingCursorsOfANormalFrame) {
    SkinnedFrame frame(SpiedFrame());
    Spy().messages.clear();
    const LRESULT codes[] = {HTTOP,    HTBOTTOM,     HTLEFT,       HTRIGHT,   HTTOPLEFT, HTBOTTOMRIGHT,
                             HTTOPRIGHT, HTBOTTOMLEFT, HTCLIENT, HTCAPTION, HTNOWHERE};
    for (LRESULT code : codes) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        const LRESULT result = SendMessageW(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(frame.hwnd()),
                                            MAKELPARAM(code, WM_MOUSEMOVE));
        EXPECT_EQ(result, TRUE) << code;
        const int expected = orvia::CursorForHitTest(code);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(expected))) << code;
    }
    EXPECT_FALSE(Spy().Saw(frame, WM_SETCURSOR));
}

TEST_F(FrameWindow, SetCursorLeavesMaximizedFramesAndChildrenToThePreviousProcedure) {
    SkinnedFrame frame(SpiedFrame());
    harness::TestWindow child({.style = WS_CHILD | WS_VISIBLE, .parent = frame.hwnd()});
    Spy().answers[WM_SETCURSOR] = 0x55;
    HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));

    SetCursor(hand);
    EXPECT_EQ(SendMessageW(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(child.hwnd()), MAKELPARAM(HTLEFT, 0)),
              0x55);
    EXPECT_EQ(GetCursor(), hand) << "over a child";

    ShowWindow(frame, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(frame));
    for (LRESULT code : {HTLEFT, HTBOTTOMRIGHT, HTTOP}) {
        SetCursor(hand);
        EXPECT_EQ(SendMessageW(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(frame.hwnd()), MAKELPARAM(code, 0)),
                  0x55);
        EXPECT_EQ(GetCursor(), hand) << "a maximized frame cannot be sized: " << code;
    }
    EXPECT_EQ(Spy().Of(frame, {WM_SETCURSOR}).size(), 4u);
}

TEST(MinMaxInfo, AMaximizedFrameCoversItsMonitorsWorkArea) {
    struct Case {
        const char* name;
        RECT monitor, work;
        POINT size, position;
    };
    const Case cases[] = {
        {"primary, taskbar below", {0, 0, 1280, 1024}, {0, 0, 1280, 984}, {1280, 984}, {0, 0}},
        {"primary, taskbar on the left", {0, 0, 1280, 1024}, {60, 0, 1280, 1024}, {1220, 1024}, {60, 0}},
        {"left of the primary", {-1280, 0, 0, 1024}, {-1280, 0, 0, 1000}, {1280, 1000}, {0, 0}},
        {"left of the primary, bar on top", {-1280, -200, 0, 824}, {-1280, -170, 0, 824}, {1280, 994}, {0, 30}},
    };
    for (const Case& c : cases) {
        MINMAXINFO info{};
        info.ptReserved = {7, 8};
        info.ptMaxTrackSize = {9999, 8888};
        orvia::FillMinMaxInfo(info, c.monitor, c.work, 150, 100);
        EXPECT_EQ(info.ptMaxSize.x, c.size.x) << c.name;
        EXPECT_EQ(info.ptMaxSize.y, c.size.y) << c.name;
        EXPECT_EQ(info.ptMaxPosition.x, c.position.x) << c.name;
        EXPECT_EQ(info.ptMaxPosition.y, c.position.y) << c.name;
        EXPECT_EQ(info.ptMinTrackSize.x, 150);
        EXPECT_EQ(info.ptMinTrackSize.y, 100);
        EXPECT_EQ(info.ptReserved.x, 7);
        EXPECT_EQ(info.ptMaxTrackSize.x, 9999);
        EXPECT_EQ(info.ptMaxTrackSize.y, 8888);
    }
}

TEST_F(FrameWindow, GetMinMaxInfoFillsTheFramesLimitsAndPassesThemOn) {
    AttachArgs limits;
    limits.minWidth = 333;
    limits.minHeight = 222;
    SkinnedFrame frame(SpiedFrame(limits));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);

    MINMAXINFO info{};
    info.ptMaxTrackSize = {4321, 1234};
    SendMessageW(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxSize.x, monitor.rcWork.right - monitor.rcWork.left);
    EXPECT_EQ(info.ptMaxSize.y, monitor.rcWork.bottom - monitor.rcWork.top);
    EXPECT_EQ(info.ptMaxPosition.x, monitor.rcWork.left - monitor.rcMonitor.left);
    EXPECT_EQ(info.ptMaxPosition.y, monitor.rcWork.top - monitor.rcMonitor.top);
    EXPECT_EQ(info.ptMinTrackSize.x, 333);
    EXPECT_EQ(info.ptMinTrackSize.y, 222);
    EXPECT_EQ(info.ptMaxTrackSize.x, 4321);
    EXPECT_EQ(info.ptMaxTrackSize.y, 1234);
    const auto passed = Spy().Of(frame, {WM_GETMINMAXINFO});
    ASSERT_FALSE(passed.empty());
    EXPECT_EQ(passed.back().lParam, reinterpret_cast<LPARAM>(&info)) << "the filled structure is passed on";

    ShowWindow(frame, SW_MAXIMIZE);
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_TRUE(EqualRect(&rect, &monitor.rcWork)) << "maximized: " << rect.left << "," << rect.top << ","
                                                   << rect.right << "," << rect.bottom;
}

TEST_F(FrameWindow, AFrameWithoutPropertiesHasNoMinimumSize) {
    harness::TestWindow window({.className = SpyClass()});
    orvia::SubclassOnce(window, orvia::FrameWindowProc);  // running the procedure, never attached
    MINMAXINFO info{};
    info.ptMinTrackSize = {50, 50};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 0);
    EXPECT_EQ(info.ptMinTrackSize.y, 0);
    EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0), 0);
    EXPECT_TRUE(IsZoomed(window)) << "system commands still work";
}

// Each command goes on to the system with its own wParam; the skin's
// bookkeeping follows the state the command leads to.
TEST_F(FrameWindow, SystemCommandsKeepButtonsAndMinimizedFlagInStep) {
    SkinnedFrame frame(SpiedFrame());
    orvia::FrameRecord* record = frame.record();
    ASSERT_NE(record, nullptr);
    enum State { Normal, Zoomed, Iconic };
    struct Step {
        WPARAM command;
        State state;
        std::int32_t minimized, maximized;
    };
    const Step steps[] = {
        {0xF032, Zoomed, 0, 1},  // SC_MAXIMIZE with low bits set
        {SC_RESTORE, Normal, 0, 0},
        {SC_MINIMIZE, Iconic, 1, 0},
        {SC_RESTORE, Normal, 0, 0},
        {SC_MAXIMIZE, Zoomed, 0, 1},
        {SC_MINIMIZE | 3, Iconic, 1, 1},
        {SC_RESTORE | 2, Zoomed, 0, 1},  // back to maximized: Restore stays shown
        {SC_RESTORE, Normal, 0, 0},
    };
    for (const Step& s : steps) {
        Spy().messages.clear();
        SendMessageW(frame, WM_SYSCOMMAND, s.command, 0);
        const std::string at = "after " + std::to_string(s.command);
        EXPECT_EQ(IsZoomed(frame) != FALSE, s.state == Zoomed) << at;
        EXPECT_EQ(IsIconic(frame) != FALSE, s.state == Iconic) << at;
        EXPECT_EQ(Prop(frame, prop::kMinimize), s.minimized) << at;
        EXPECT_EQ(Prop(frame, prop::kMaximize), s.maximized) << at;
        EXPECT_EQ(record->Items[1].bVisible, s.maximized ? 0 : 1) << at << ": Maximize";
        EXPECT_EQ(record->Items[2].bVisible, s.maximized ? 1 : 0) << at << ": Restore";
        const auto passed = Spy().Of(frame, {WM_SYSCOMMAND});
        ASSERT_FALSE(passed.empty()) << at;
        EXPECT_EQ(passed.front().wParam, s.command) << at;
    }
}

TEST_F(FrameWindow, SizeChangesRepaintUnlessMinimized) {
    SkinnedFrame frame(SpiedFrame());
    for (const std::int32_t minimized : {0, 1, 0}) {
        orvia::SetProperty(frame, prop::kMinimize, minimized);
        harness::PumpMessages();
        ValidateRect(frame, nullptr);
        Spy().messages.clear();
        SendMessageW(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(390, 290));
        EXPECT_EQ(GetUpdateRect(frame, nullptr, FALSE) != FALSE, minimized == 0) << "minimized " << minimized;
        EXPECT_EQ(harness::CompareMessages(Spy().Of(frame, {WM_SIZE}), {{WM_SIZE, SIZE_RESTORED, MAKELPARAM(390, 290)}}),
                  "")
            << "always passed on";
    }
}

bool TimerPending(HWND window) {
    // Killing tells whether it was there; the caller restarts it if needed.
    return KillTimer(window, orvia::kRepaintTimerId) != FALSE;
}

TEST_F(FrameWindow, ActivationChangesStartTheRepaintTimer) {
    SkinnedFrame frame(SpiedFrame());
    TimerPending(frame);
    struct Case {
        UINT message;
        WPARAM wParam;
        bool starts;
    };
    const Case cases[] = {
        {WM_ACTIVATE, WA_ACTIVE, true}, {WM_KILLFOCUS, 0, true}, {WM_NCACTIVATE, TRUE, true}, {0xAE, 0, false},
        {WM_PAINT, 0, false},
    };
    for (const Case& c : cases) {
        Spy().messages.clear();
        SendMessageW(frame, c.message, c.wParam, 0);
        EXPECT_EQ(TimerPending(frame), c.starts) << harness::MessageName(c.message);
        if (c.message != WM_PAINT) {
            EXPECT_TRUE(Spy().Saw(frame, c.message)) << harness::MessageName(c.message);
        }
    }
}

TEST_F(FrameWindow, TheRepaintTimerStopsAtItsFirstTick) {
    SkinnedFrame frame(SpiedFrame());
    SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
    Spy().messages.clear();
    EXPECT_EQ(SendMessageW(frame, WM_TIMER, 77, 0), 0);
    EXPECT_TRUE(Spy().Saw(frame, WM_TIMER)) << "another timer goes on";
    EXPECT_TRUE(TimerPending(frame)) << "and leaves the repaint timer running";

    SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
    Spy().messages.clear();
    EXPECT_EQ(SendMessageW(frame, WM_TIMER, orvia::kRepaintTimerId, 0), 0);
    EXPECT_FALSE(Spy().Saw(frame, WM_TIMER));
    EXPECT_FALSE(TimerPending(frame)) << "the tick killed it";
}

TEST_F(FrameWindow, TheRepaintTimerTicksOnceAfterActivation) {
    SkinnedFrame frame(SpiedFrame());
    harness::MessageRecorder recorder(frame);
    SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
    auto ticks = [&] {
        int n = 0;
        for (const auto& m : recorder.Only({WM_TIMER})) n += m.wParam == orvia::kRepaintTimerId;
        return n;
    };
    for (int waited = 0; ticks() == 0 && waited < 3000; waited += 50) harness::PumpFor(50);
    ASSERT_EQ(ticks(), 1);
    const std::size_t afterTick = recorder.messages().size();
    harness::PumpFor(4 * orvia::kRepaintTimerMs);
    // Only an activation change that the system itself sent meanwhile may
    // start the timer again.
    bool reactivated = false;
    for (std::size_t i = afterTick; i < recorder.messages().size(); ++i) {
        const UINT m = recorder.messages()[i].message;
        reactivated = reactivated || m == WM_ACTIVATE || m == WM_KILLFOCUS || m == WM_NCACTIVATE;
    }
    if (!reactivated) {
        EXPECT_EQ(ticks(), 1) << "no second tick without a new activation";
    }
}

TEST_F(FrameWindow, NonClientAreaIsTheSkins) {
    SkinnedFrame frame(SpiedFrame());
    Spy().messages.clear();  // what the window's creation sent
    const RECT proposed{100, 100, 500, 400};
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = proposed;
    EXPECT_EQ(SendMessageW(frame, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), 1);
    EXPECT_TRUE(EqualRect(&params.rgrc[0], &proposed)) << "the whole window is client area";
    EXPECT_FALSE(Spy().Saw(frame, WM_NCCALCSIZE));
    RECT rect{100, 100, 500, 400};
    SendMessageW(frame, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    EXPECT_TRUE(Spy().Saw(frame, WM_NCCALCSIZE));

    EXPECT_EQ(SendMessageW(frame, WM_NCPAINT, 1, 0), 0);
    EXPECT_FALSE(Spy().Saw(frame, WM_NCPAINT));
    EXPECT_EQ(SendMessageW(frame, WM_PAINT, 0, 0), 0);
    EXPECT_FALSE(Spy().Saw(frame, WM_PAINT));
    HDC dc = GetDC(frame);
    EXPECT_EQ(SendMessageW(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(frame, dc);
    EXPECT_FALSE(Spy().Saw(frame, WM_ERASEBKGND));
}

TEST_F(FrameWindow, DialogLikeChildrenGetTheSkinsBackground) {
    SkinnedFrame frame(SpiedFrame());
    Spy().messages.clear();
    ASSERT_NE(orvia::g_theme->backBrush, nullptr);
    const LRESULT brush = reinterpret_cast<LRESULT>(orvia::g_theme->backBrush);
    for (UINT m : {WM_CTLCOLORMSGBOX, WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSTATIC}) {
        HDC dc = GetDC(frame);
        EXPECT_EQ(SendMessageW(frame, m, reinterpret_cast<WPARAM>(dc), 0), brush) << harness::MessageName(m);
        ReleaseDC(frame, dc);
        EXPECT_FALSE(Spy().Saw(frame, m));
    }
    Spy().answers[WM_CTLCOLOREDIT] = Spy().answers[WM_CTLCOLORLISTBOX] = Spy().answers[WM_CTLCOLORSCROLLBAR] = 0x33;
    for (UINT m : {WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORSCROLLBAR}) {
        EXPECT_EQ(SendMessageW(frame, m, 0, 0), 0x33) << harness::MessageName(m);
        EXPECT_TRUE(Spy().Saw(frame, m));
    }
}

// The spy answers the sizing command and the click itself, so no system
// sizing loop runs; what matters is what reaches it, in which order.
TEST_F(FrameWindow, ALeftClickOnAnEdgeStartsSizingUnlessMaximized) {
    SkinnedFrame frame(SpiedFrame());
    Spy().answers[WM_SYSCOMMAND] = 0;
    Spy().answers[WM_NCLBUTTONDOWN] = 0;
    const LPARAM at = ScreenPoint(101, 250);
    struct Case {
        WPARAM code;
        WPARAM command;  // 0: no sizing command
    };
    const Case cases[] = {
        {HTLEFT, SC_SIZE + 1},  {HTRIGHT, SC_SIZE + 2},      {HTTOP, SC_SIZE + 3},
        {HTTOPLEFT, SC_SIZE + 4}, {HTTOPRIGHT, SC_SIZE + 5}, {HTBOTTOM, SC_SIZE + 6},
        {HTBOTTOMLEFT, SC_SIZE + 7}, {HTBOTTOMRIGHT, SC_SIZE + 8}, {HTCAPTION, 0}, {HTCLIENT, 0},
    };
    for (const Case& c : cases) {
        Spy().messages.clear();
        SendMessageW(frame, WM_NCLBUTTONDOWN, c.code, at);
        // A click that started sizing is finished: passed on, it would size again.
        std::vector<harness::ExpectedMessage> expected;
        if (c.command) expected.push_back({WM_SYSCOMMAND, c.command, at});
        if (!c.command) expected.push_back({WM_NCLBUTTONDOWN, c.code, at});
        EXPECT_EQ(harness::CompareMessages(Spy().Of(frame, {WM_SYSCOMMAND, WM_NCLBUTTONDOWN}), expected), "")
            << "hit code " << c.code;
    }

    ShowWindow(frame, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(frame));
    for (WPARAM code : {HTLEFT, HTBOTTOMRIGHT}) {
        Spy().messages.clear();
        SendMessageW(frame, WM_NCLBUTTONDOWN, code, at);
        EXPECT_EQ(harness::CompareMessages(Spy().Of(frame, {WM_SYSCOMMAND, WM_NCLBUTTONDOWN}),
                                           {{WM_NCLBUTTONDOWN, code, at}}),
                  "")
            << "a maximized frame starts no sizing: " << code;
    }
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    }
    SendInput(1, &input, sizeof input);
}

void CALLBACK DragLeftEdge(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 71, 250);
}
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SendMouse(MOUSEEVENTF_LEFTUP);
}
// Ends a sizing loop that would otherwise wait for the next click.
void CALLBACK PressEscape(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

// A real press, drag and release on the left edge of a sizable frame.
TEST_F(FrameWindow, DraggingAnEdgeSizesTheFrameOnce) {
    AttachArgs sizable;
    sizable.sizable = true;
    SkinnedFrame frame(SpiedFrame(sizable));
    SetForegroundWindow(frame);
    harness::PumpMessages();
    Spy().messages.clear();

    SetCursorPos(101, 250);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SetTimer(nullptr, 0, 100, DragLeftEdge);
    SetTimer(nullptr, 0, 200, ReleaseButton);
    const UINT_PTR safety = SetTimer(nullptr, 0, 1500, PressEscape);
    harness::PumpFor(600);
    KillTimer(nullptr, safety);
    harness::PumpMessages();

    EXPECT_EQ(Spy().Of(frame, {WM_ENTERSIZEMOVE}).size(), 1u) << "one sizing loop per press";
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_NEAR(rect.left, 71, 2);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.bottom, 400);
}

TEST_F(FrameWindow, DestroyingAFrameRestoresItsProcedureAndRenumbersTheOthers) {
    std::vector<std::unique_ptr<SkinnedFrame>> frames;
    for (int i = 0; i < 3; ++i) frames.push_back(std::make_unique<SkinnedFrame>(SpiedFrame()));
    const std::int32_t first = Prop(*frames[0], prop::kDuiIndex);
    HWND second = frames[1]->hwnd();

    frames[1]->Destroy();
    ASSERT_EQ(Spy().destroys.size(), 1u);
    const DestroySeen& seen = Spy().destroys[0];
    EXPECT_EQ(seen.window, second);
    EXPECT_EQ(seen.procedure, reinterpret_cast<LONG_PTR>(&SpyProc)) << "the previous procedure is back";
    EXPECT_EQ(seen.position, 0) << "out of the registry before the previous procedure sees WM_DESTROY";
    EXPECT_EQ(Prop(*frames[0], prop::kDuiIndex), first);
    EXPECT_EQ(Prop(*frames[2], prop::kDuiIndex), first + 1);
    EXPECT_EQ(frames[2]->record()->hWnd, frames[2]->hwnd());
}

// The surfaces exist only where the frame rendering is part of the build.
TEST_F(FrameWindow, DestroyingAFrameReleasesItsSurfaces) {
    SkinnedFrame frame(SpiedFrame());
    const auto cacheDC = reinterpret_cast<HDC>(orvia::GetProperty(frame, prop::kCacheDC));
    const auto backDC = reinterpret_cast<HDC>(orvia::GetProperty(frame, prop::kBackDC));
    const auto cacheBitmap = reinterpret_cast<HGDIOBJ>(orvia::GetProperty(frame, prop::kCacheBitmap));
    if (!cacheDC) GTEST_SKIP() << "frames are not rendered in this build";
    ASSERT_NE(GetObjectType(cacheDC), 0u);
    frame.Destroy();
    EXPECT_EQ(GetObjectType(cacheDC), 0u);
    EXPECT_EQ(GetObjectType(backDC), 0u);
    EXPECT_EQ(GetObjectType(cacheBitmap), 0u);
}

}  // namespace
