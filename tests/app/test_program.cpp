#include <gtest/gtest.h>

#include <optional>
#include <type_traits>
#include <string>
#include <vector>

#include "app/browser_menu.h"
#include "app/connection_test.h"
#include "app/embedded_pictures.h"
#include "app/program.h"
#include "app/query_page.h"
#include "forms/form_layer.h"
#include "skin/image/image.h"
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

// A skin method table that notes each call the program makes, with its
// arguments, in the start-up log, then runs the skin's own method.
void Note(std::string call) {
    if (tovrin::g_lifecycleLog) tovrin::g_lifecycleLog->push_back(std::move(call));
}

std::string Name(HWND window) {
    if (!window) return "null";
    if (window == forms::WindowHandle(L"MainWindow")) return "main";
    if (window == forms::WindowHandle(L"QueryPage")) return "page";
    return "another window";
}

std::string Name(orvia::ByteSpan bytes) {
    const auto same = [bytes](orvia::ByteSpan other) {
        return bytes.data() == other.data() && bytes.size() == other.size();
    };
    if (same(orvia::embedded::BannerJpeg())) return "banner";
    if (same(orvia::embedded::PageHouseIco())) return "house icon";
    return std::to_string(bytes.size()) + " bytes";
}

template <typename T>
std::string Name(std::optional<T> value) {
    if (!value) return "-";
    if constexpr (std::is_same_v<T, HWND>) return Name(*value);
    else if constexpr (std::is_same_v<T, orvia::OrviaRoutine>) return "routine";
    else return std::to_string(static_cast<long long>(*value));
}

const orvia::OrviaSkinMethods& Skin() { return orvia::DefaultSkinMethods(); }

orvia::OrviaSkinMethods RecordingMethods() {
    using orvia::OrviaSkin;
    orvia::OrviaSkinMethods m = orvia::DefaultSkinMethods();
    m.SetImageFromBytes = [](OrviaSkin* self, orvia::ByteSpan bytes) {
        Note("SetImageFromBytes(" + Name(bytes) + ")");
        return Skin().SetImageFromBytes(self, bytes);
    };
    m.AttachSkin = [](OrviaSkin* self, HWND window, std::optional<std::int32_t> banner,
                      std::optional<std::int32_t> status, std::optional<bool> minimize, std::optional<bool> maximize,
                      std::optional<bool> help, std::optional<bool> mainMenu, std::optional<bool> sizable,
                      std::optional<std::int32_t> minWidth, std::optional<std::int32_t> minHeight) {
        Note("AttachSkin(" + Name(window) + ", " + Name(banner) + ", " + Name(status) + ", " + Name(minimize) + ", " +
             Name(maximize) + ", " + Name(help) + ", " + Name(mainMenu) + ", " + Name(sizable) + ", " +
             Name(minWidth) + ", " + Name(minHeight) + ")");
        return Skin().AttachSkin(self, window, banner, status, minimize, maximize, help, mainMenu, sizable, minWidth,
                                 minHeight);
    };
    m.SkinAllChildControls = [](OrviaSkin* self) {
        Note("SkinAllChildControls()");
        Skin().SkinAllChildControls(self);
    };
    m.SetStatusText = [](OrviaSkin* self, HWND window, const char* text) {
        Note("SetStatusText(" + Name(window) + ", " + (text ? text : "null") + ")");
        Skin().SetStatusText(self, window, text);
    };
    m.AddPage = [](OrviaSkin* self, HWND window, const char* title, orvia::ByteSpan icon, std::optional<HWND> page,
                   std::optional<orvia::OrviaRoutine> onClick) {
        Note("AddPage(" + Name(window) + ", " + (title ? title : "null") + ", " + Name(icon) + ", " + Name(page) +
             ", " + Name(onClick) + ")");
        return Skin().AddPage(self, window, title, icon, page, onClick);
    };
    m.SelectPage = [](OrviaSkin* self, HWND window, const char* title) {
        Note("SelectPage(" + Name(window) + ", " + (title ? title : "null") + ")");
        return Skin().SelectPage(self, window, title);
    };
    return m;
}
const orvia::OrviaSkinMethods g_recordingMethods = RecordingMethods();

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen = {};
        tovrin::g_lifecycleLog = &log_;
        saved_ = tovrin::g_connectionProbe;
        savedStart_ = tovrin::g_browserStartPage;
        tovrin::g_browserStartPage = L"about:blank";  // no outside address
    }
    void TearDown() override {
        tovrin::g_lifecycleLog = nullptr;
        tovrin::g_connectionProbe = saved_;
        tovrin::g_browserStartPage = savedStart_;
    }
    std::vector<std::string> log_;
    tovrin::ConnectionProbe saved_ = nullptr;
    const wchar_t* savedStart_ = nullptr;
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
        "initialise window layer", "create skin object", "create theme", "create hook table",
        "create banner image", "create frame registry",
        "register exit clean-up",
        "build theme", "load main window", "connection test", "offline message", "destroy main window",
        "message loop", "free skin object", "free theme", "free hook table", "free banner image",
        "free frame registry",
    };
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(orvia::g_skin, nullptr);
    EXPECT_EQ(orvia::g_theme, nullptr);
    EXPECT_EQ(orvia::g_bannerImage, nullptr);
}

TEST_F(Program, OnlineSetsUpTheSkinAndKeepsTheMainWindowUntilItIsClosed) {
    // The probe runs first in the main window's "created" handler: the one
    // moment at which the test reaches the skin object that start-up made.
    tovrin::g_connectionProbe = [] {
        orvia::g_skin->methods = &g_recordingMethods;
        return true;
    };
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
        "initialise window layer", "create skin object", "create theme", "create hook table",
        "create banner image", "create frame registry",
        "register exit clean-up",
        "build theme", "load main window", "connection test", "online",
        "SetImageFromBytes(banner)",
        "AttachSkin(main, -, -, 1, 0, 0, 0, 0, -, -)",
        "SkinAllChildControls()",
        "SetStatusText(main, 返回查询请点右上角选择公司按钮-Pindra出品,必属精品)",
        "load query page",
        "AddPage(main, 快递查询, house icon, page, -)",
        "SelectPage(main, 快递查询)",
        "message loop",
        "free skin object", "free theme", "free hook table", "free banner image", "free frame registry",
    };
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(orvia::g_skin, nullptr);
    EXPECT_EQ(tovrin::g_hookTable, nullptr);
    EXPECT_EQ(forms::WindowHandle(L"QueryPage"), nullptr) << "the page window ends with the program";
}

// The skin takes code page 936 texts; converted explicitly they are the
// program's texts whatever the system's own code page is.
TEST(ProgramTexts, SkinTextsAreCodePage936) {
    const auto decode = [](const char* text) {
        wchar_t wide[128] = {};
        MultiByteToWideChar(936, 0, text, -1, wide, 128);
        return std::wstring(wide);
    };
    EXPECT_EQ(decode(tovrin::kStatusText), L"返回查询请点右上角选择公司按钮-Pindra出品,必属精品");
    EXPECT_EQ(decode(tovrin::kPageTitle), L"快递查询");
    EXPECT_STREQ(tovrin::kPageTitle, "\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf");
}


}  // namespace
