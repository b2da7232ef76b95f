// The walk over a window's child tree: which controls become skinned
// buttons, which become containers, and what their styles and properties are
// afterwards.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/frame/frame_window.h"
#include "skin/object/orvia_skin.h"
#include "tests/skin/controls/controls_fixture.h"

namespace {

using namespace controls_test;
namespace prop = orvia::prop;

LONG_PTR ProcOf(HWND window) { return GetWindowLongPtrW(window, GWLP_WNDPROC); }
LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
const LONG_PTR kButtonProc = reinterpret_cast<LONG_PTR>(&orvia::ButtonWindowProc);
const LONG_PTR kContainerProc = reinterpret_cast<LONG_PTR>(&orvia::ContainerWindowProc);

// A button class that is not exactly "Button", built on the system's one.
const wchar_t* FancyButtonClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW button{};
        button.cbSize = sizeof button;
        GetClassInfoExW(nullptr, L"Button", &button);
        button.hInstance = GetModuleHandleW(nullptr);
        button.lpszClassName = L"FancyButton";
        RegisterClassExW(&button);
        return L"FancyButton";
    }();
    return name;
}

// Registers a window in the frame registry by hand, as attaching does, and
// takes it out again.
class RegisteredFrame {
public:
    explicit RegisteredFrame(HWND window) : window_(window) {
        auto record = std::make_unique<orvia::FrameRecord>();
        record->hWnd = window;
        orvia::SetProperty(window, prop::kDuiIndex, orvia::AppendFrame(std::move(record)));
    }
    ~RegisteredFrame() { orvia::RemoveFrame(window_); }

private:
    HWND window_;
};

// Everything the walk may change on a window.
struct WindowState {
    LONG_PTR style, proc;
    LONG_PTR props[5];
    bool operator==(const WindowState&) const = default;
};

WindowState StateOf(HWND window) {
    return {Style(window),
            ProcOf(window),
            {orvia::GetProperty(window, prop::kWndProc), orvia::GetProperty(window, prop::kWindowType),
             orvia::GetProperty(window, prop::kCheck), orvia::GetProperty(window, prop::kButtonStyle),
             orvia::GetProperty(window, prop::kDrawState)}};
}

void CollectTree(HWND window, std::vector<HWND>& out) {
    out.push_back(window);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) CollectTree(child, out);
}

TEST_F(ControlsTest, WalkSkinsEachControlByItsClassAndStyle) {
    harness::TestWindow host(HostOptions());
    HWND groupBox = AddButton(host, BS_GROUPBOX, L"Group", 200, 0, 150, 100);
    HWND panel = AddControl(host, L"Static", 0, L"", 200, 110, 150, 100);
    HWND innerPanel = AddControl(panel, L"Static", 0, L"", 0, 0, 150, 100);

    struct Case {
        const char* name;
        const wchar_t* className;
        LONG_PTR style;
        HWND parent;
        WPARAM checkBefore;
        int type;  // 0: not a skinned button
        HWND window = nullptr;
        LONG_PTR styleBefore = 0;  // as the control left it after creation and set-up
    };
    Case cases[] = {
        {"push button", L"Button", BS_PUSHBUTTON | WS_TABSTOP, host, 0, 5},
        {"default push button", L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP | BS_MULTILINE, host, 0, 5},
        {"check box", L"Button", BS_CHECKBOX, host, 0, 6},
        {"auto check box, checked", L"Button", BS_AUTOCHECKBOX | BS_LEFTTEXT, host, BST_CHECKED, 6},
        {"3-state", L"Button", BS_3STATE, host, 0, 6},
        {"auto 3-state, indeterminate", L"Button", BS_AUTO3STATE, host, BST_INDETERMINATE, 6},
        {"push-like check box", L"Button", BS_AUTOCHECKBOX | BS_PUSHLIKE, host, BST_CHECKED, 5},
        {"radio button", L"Button", BS_RADIOBUTTON, host, 0, 7},
        {"auto radio button, checked", L"Button", BS_AUTORADIOBUTTON | WS_GROUP, host, BST_CHECKED, 7},
        {"push-like radio button", L"Button", BS_RADIOBUTTON | BS_PUSHLIKE, host, 0, 5},
        {"group box", L"Button", BS_GROUPBOX, host, 0, 0},
        {"application's owner-drawn button", L"Button", BS_OWNERDRAW, host, 0, 0},
        {"edit", L"Edit", ES_AUTOHSCROLL | WS_BORDER, host, 0, 0},
        {"button class by another name", FancyButtonClass(), BS_PUSHBUTTON, host, 0, 0},
        {"button inside a group box", L"Button", BS_PUSHBUTTON, groupBox, 0, 5},
        {"check box two containers deep", L"Button", BS_AUTOCHECKBOX, innerPanel, BST_CHECKED, 6},
    };
    int y = 0;
    for (Case& c : cases) {
        c.window = AddControl(c.parent, c.className, static_cast<DWORD>(c.style), L"x", 0, y, 180, 12);
        ASSERT_TRUE(c.window) << c.name;
        if (c.checkBefore) SendMessageW(c.window, BM_SETCHECK, c.checkBefore, 0);
        c.styleBefore = Style(c.window);
        y += 12;
    }

    orvia::SkinChildControls(host);

    for (const Case& c : cases) {
        const LONG_PTR style = c.styleBefore;
        if (c.type) {
            EXPECT_EQ(Style(c.window), (style & ~BS_TYPEMASK) | BS_OWNERDRAW) << c.name;
            EXPECT_EQ(orvia::GetProperty(c.window, prop::kWindowType), c.type) << c.name;
            EXPECT_EQ(orvia::GetProperty(c.window, prop::kCheck), c.checkBefore ? 1 : 0) << c.name;
            EXPECT_EQ(ProcOf(c.window), kButtonProc) << c.name;
        } else {
            EXPECT_EQ(Style(c.window), style) << c.name;
            EXPECT_EQ(orvia::GetProperty(c.window, prop::kWindowType), 0) << c.name;
            EXPECT_EQ(ProcOf(c.window), kContainerProc) << c.name;
        }
        EXPECT_NE(orvia::GetProperty(c.window, prop::kWndProc), 0) << c.name;
        EXPECT_NE(orvia::GetProperty(c.window, prop::kWndProc), ProcOf(c.window)) << c.name;
    }
    for (HWND container : {host.hwnd(), groupBox, panel, innerPanel})
        EXPECT_EQ(ProcOf(container), kContainerProc);

    // A second walk finds nothing left to do.
    std::vector<HWND> tree;
    CollectTree(host, tree);
    std::map<HWND, WindowState> before;
    for (HWND window : tree) before[window] = StateOf(window);
    orvia::SkinChildControls(host);
    for (HWND window : tree) EXPECT_TRUE(StateOf(window) == before[window]) << "window " << window;
}

TEST_F(ControlsTest, WindowsAlreadySubclassedKeepTheirProcedure) {
    harness::TestWindow host(HostOptions());
    HWND button = AddButton(host, BS_PUSHBUTTON, L"OK", 0, 0, 60, 20);
    // As attaching leaves a frame: its own procedure installed, the one before it stored.
    const LONG_PTR hostProc = ProcOf(host);
    orvia::SetProperty(host, prop::kWndProc, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    orvia::SetProperty(button, prop::kWndProc, ProcOf(button));
    const LONG_PTR buttonProc = ProcOf(button);

    orvia::SkinChildControls(host);

    EXPECT_EQ(ProcOf(host), hostProc);
    EXPECT_EQ(ProcOf(button), buttonProc);
    // The button is restyled all the same, so its parent can paint it.
    EXPECT_EQ(Style(button) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(orvia::GetProperty(button, prop::kWindowType), 5);
}

TEST_F(ControlsTest, WalkIgnoresHandlesThatAreNoWindows) {
    orvia::SkinChildControls(nullptr);
    orvia::SkinChildControls(reinterpret_cast<HWND>(0x5678));
    EXPECT_EQ(orvia::GetProperty(GetDesktopWindow(), prop::kWndProc), 0);
}

TEST_F(ControlsTest, ContainerFillsItsBackgroundWithTheSkinColour) {
    harness::TestWindow host(HostOptions());
    HWND panel = AddControl(host, L"Static", 0, L"", 10, 10, 30, 20);
    orvia::SkinChildControls(host);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 40, 30, BLACKNESS);
    EXPECT_EQ(SendMessageW(panel, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    const harness::Pixels pixels = harness::Pixels::FromDC(dc, 0, 0, 40, 30);
    EXPECT_TRUE(pixels.AllEqual(0, 0, 30, 20, orvia::g_theme->backColor));
    EXPECT_TRUE(pixels.AllEqual(30, 0, 10, 30, RGB(0, 0, 0))) << "only the window's own size is filled";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(ControlsTest, ButtonInsideAContainerIsPaintedByTheContainer) {
    harness::TestWindow host(HostOptions());
    HWND groupBox = AddButton(host, BS_GROUPBOX, L"", 10, 10, 100, 60);
    HWND button = AddButton(groupBox, BS_PUSHBUTTON, L"", 20, 20, 40, 23);
    orvia::SkinChildControls(host);
    orvia::SetProperty(button, prop::kDrawState, orvia::kDrawHover);
    EXPECT_EQ(CompareBlock(Repainted(button), 0, 0, SpriteCell(40, 0, 40, 23), 0, 0, 40, 23), "");
}

// Owner-draw requests that are not for a skinned button reach the previous procedure.
int g_previousCalls = 0;
LRESULT CALLBACK CountingProc(HWND, UINT, WPARAM, LPARAM) {
    ++g_previousCalls;
    return 77;
}

TEST_F(ControlsTest, OwnerDrawOfAnythingButASkinnedButtonGoesToThePreviousProcedure) {
    harness::TestWindow host(HostOptions());
    HWND plain = AddButton(host, BS_OWNERDRAW, L"", 0, 0, 40, 23);
    HWND skinned = AddButton(host, BS_PUSHBUTTON, L"", 50, 0, 40, 23);
    orvia::SkinChildControls(host);
    orvia::SetProperty(host, prop::kWndProc, reinterpret_cast<LONG_PTR>(&CountingProc));
    g_previousCalls = 0;

    HDC dc = GetDC(host);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = dc;
    item.hwndItem = plain;
    EXPECT_EQ(orvia::HandleOwnerDraw(host, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), 77);
    item.CtlType = ODT_STATIC;
    item.hwndItem = skinned;
    EXPECT_EQ(orvia::HandleOwnerDraw(host, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), 77);
    EXPECT_EQ(orvia::HandleOwnerDraw(host, WM_DRAWITEM, 0, 0), 77) << "no structure";
    EXPECT_EQ(g_previousCalls, 3);
    item.CtlType = ODT_BUTTON;
    EXPECT_EQ(orvia::HandleOwnerDraw(host, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(g_previousCalls, 3) << "a skinned button is painted without the previous procedure";
    ReleaseDC(host, dc);
    orvia::SetProperty(host, prop::kWndProc, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
}

TEST_F(ControlsTest, SkinAllChildControlsWithoutFramesOnlyTurnsTheSwitchOn) {
    ASSERT_EQ(orvia::g_registryCount, 0);
    orvia::g_childControlSwitch = false;
    harness::TestWindow host(HostOptions());
    HWND button = AddButton(host, BS_PUSHBUTTON, L"OK", 0, 0, 60, 20);
    orvia::g_skin->methods->SkinAllChildControls(orvia::g_skin);
    EXPECT_TRUE(orvia::g_childControlSwitch);
    EXPECT_EQ(orvia::GetProperty(button, prop::kWindowType), 0);
    EXPECT_EQ(orvia::GetProperty(host, prop::kWndProc), 0);
}

TEST_F(ControlsTest, SkinAllChildControlsWalksEveryRegisteredFrameAndRepaintsTheVisibleOnes) {
    harness::TestWindow first(HostOptions());
    harness::TestWindow::Options hidden = HostOptions();
    hidden.show = false;
    harness::TestWindow second(hidden);
    harness::TestWindow unregistered(HostOptions());
    HWND a = AddButton(first, BS_PUSHBUTTON, L"A", 0, 0, 60, 20);
    HWND panel = AddControl(second, L"Static", 0, L"", 0, 0, 100, 100);
    HWND b = AddButton(panel, BS_AUTORADIOBUTTON, L"B", 0, 0, 60, 20);
    HWND c = AddButton(unregistered, BS_PUSHBUTTON, L"C", 0, 0, 60, 20);
    RegisteredFrame registerFirst(first);
    RegisteredFrame registerSecond(second);
    harness::PumpMessages();
    ValidateRect(first, nullptr);

    orvia::g_skin->methods->SkinAllChildControls(orvia::g_skin);

    EXPECT_TRUE(orvia::g_childControlSwitch);
    EXPECT_EQ(orvia::GetProperty(a, prop::kWindowType), 5);
    EXPECT_EQ(orvia::GetProperty(b, prop::kWindowType), 7);
    EXPECT_EQ(orvia::GetProperty(c, prop::kWindowType), 0);
    EXPECT_EQ(ProcOf(panel), kContainerProc);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(first, &update, FALSE)) << "the visible frame is invalidated";
}

}  // namespace

namespace {

TEST_F(ControlsTest, AttachingWhileTheSwitchIsOnSkinsTheFramesButtons) {
    orvia::g_childControlSwitch = true;
    harness::TestWindow frame;
    HWND push = AddButton(frame, BS_PUSHBUTTON, L"", 20, 120, 40, 23);
    HWND groupBox = AddButton(frame, BS_GROUPBOX, L"Group", 20, 150, 150, 60);
    HWND radio = AddButton(groupBox, BS_AUTORADIOBUTTON, L"Radio", 10, 20, 100, 18);

    ASSERT_TRUE(orvia::g_skin->methods->AttachSkin(orvia::g_skin, frame, std::nullopt, std::nullopt, std::nullopt,
                                                   std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                                   std::nullopt, std::nullopt));

    EXPECT_EQ(orvia::GetProperty(push, prop::kWindowType), 5);
    EXPECT_EQ(orvia::GetProperty(radio, prop::kWindowType), 7);
    EXPECT_EQ(ProcOf(groupBox), kContainerProc);
    EXPECT_EQ(ProcOf(frame), reinterpret_cast<LONG_PTR>(&orvia::FrameWindowProc)) << "the frame keeps its own procedure";
    // The frame itself answers the owner-draw request of its button.
    orvia::SetProperty(push, prop::kDrawState, orvia::kDrawPressed);
    EXPECT_EQ(CompareBlock(Repainted(push), 0, 0, SpriteCell(80, 0, 40, 23), 0, 0, 40, 23), "");

    frame.Destroy();
    EXPECT_EQ(orvia::g_registryCount, 0);
}

}  // namespace
