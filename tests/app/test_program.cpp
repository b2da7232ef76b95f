#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/connection_test.h"
#include "app/program.h"
#include "forms/form_layer.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"

namespace {

struct Observed {
    bool sawDialog = false;
    std::wstring dialogText;
    int buttons = 0;
    bool hasOk = false;
    HWND dialogOwner = nullptr;
    bool mainVisibleDuringDialog = false;
    bool sawMain = false;
    RECT mainRect{};
    std::wstring mainCaption;
    bool mainVisible = false;
};
Observed g_seen;

BOOL CALLBACK CountButton(HWND child, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (std::wstring(cls) == L"Button" && IsWindowVisible(child)) ++g_seen.buttons;
    return TRUE;
}

BOOL CALLBACK FindOfflineDialog(HWND window, LPARAM found) {
    wchar_t cls[32] = {}, caption[64] = {};
    GetClassNameW(window, cls, 32);
    GetWindowTextW(window, caption, 64);
    if (std::wstring(cls) != L"#32770" || std::wstring(caption) != tovrin::kOfflineCaption) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK DismissOfflineMessage(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOfflineDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, id);
    g_seen.sawDialog = true;
    wchar_t text[128] = {};
    GetDlgItemTextW(dialog, 0xFFFF, text, 128);
    g_seen.dialogText = text;
    EnumChildWindows(dialog, CountButton, 0);
    g_seen.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    g_seen.dialogOwner = GetWindow(dialog, GW_OWNER);
    HWND main = forms::WindowHandle(L"MainWindow");
    g_seen.mainVisibleDuringDialog = main && IsWindowVisible(main);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR id, DWORD) {
    HWND main = forms::WindowHandle(L"MainWindow");
    if (!main) return;
    KillTimer(nullptr, id);
    g_seen.sawMain = true;
    GetWindowRect(main, &g_seen.mainRect);
    wchar_t caption[64] = {};
    GetWindowTextW(main, caption, 64);
    g_seen.mainCaption = caption;
    g_seen.mainVisible = IsWindowVisible(main);
    PostMessageW(main, WM_CLOSE, 0, 0);
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen = {};
        tovrin::g_lifecycleLog = &log_;
        saved_ = tovrin::g_connectionProbe;
    }
    void TearDown() override {
        tovrin::g_lifecycleLog = nullptr;
        tovrin::g_connectionProbe = saved_;
    }
    std::vector<std::string> log_;
    tovrin::ConnectionProbe saved_ = nullptr;
};

TEST_F(Program, OfflineShowsTheMessageThenEndsWithZero) {
    tovrin::g_connectionProbe = [] { return false; };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DismissOfflineMessage);
    const int code = tovrin::ProgramMain(GetModuleHandleW(nullptr));
    KillTimer(nullptr, timer);

    EXPECT_EQ(code, 0);
    ASSERT_TRUE(g_seen.sawDialog);
    EXPECT_EQ(g_seen.dialogText, L"请先连接到网络!");
    EXPECT_EQ(g_seen.buttons, 1) << "OK only";
    EXPECT_TRUE(g_seen.hasOk);
    EXPECT_EQ(g_seen.dialogOwner, nullptr);
    EXPECT_FALSE(g_seen.mainVisibleDuringDialog) << "the main window is never shown offline";
    EXPECT_EQ(forms::WindowHandle(L"MainWindow"), nullptr);

    const std::vector<std::string> expected = {
        "initialise window layer", "create skin object", "create theme", "create frame registry",
        "register exit clean-up",
        "build theme", "load main window", "connection test", "offline message", "destroy main window",
        "message loop", "free skin object", "free theme", "free frame registry",
    };
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(orvia::g_skin, nullptr);
    EXPECT_EQ(orvia::g_theme, nullptr);
}

TEST_F(Program, OnlineKeepsTheMainWindowUntilItIsClosed) {
    tovrin::g_connectionProbe = [] { return true; };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMainWindow);
    const int code = tovrin::ProgramMain(GetModuleHandleW(nullptr));
    KillTimer(nullptr, timer);

    EXPECT_EQ(code, 0);
    ASSERT_TRUE(g_seen.sawMain);
    EXPECT_TRUE(g_seen.mainVisible);
    EXPECT_EQ(g_seen.mainCaption, L"TovrinV1.0");
    EXPECT_EQ(g_seen.mainRect.left, 50);
    EXPECT_EQ(g_seen.mainRect.top, 50);
    EXPECT_EQ(g_seen.mainRect.right - g_seen.mainRect.left, 512);
    EXPECT_EQ(g_seen.mainRect.bottom - g_seen.mainRect.top, 411);

    const std::vector<std::string> expected = {
        "initialise window layer", "create skin object", "create theme", "create frame registry",
        "register exit clean-up",
        "build theme", "load main window", "connection test", "online", "message loop",
        "free skin object", "free theme", "free frame registry",
    };
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(orvia::g_skin, nullptr);
}

}  // namespace
