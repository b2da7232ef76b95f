#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/browser_menu.h"
#include "app/query_page.h"
#include "browser/web_browser_host.h"
#include "forms/form_layer.h"
#include "tests/browser/browser_probe.h"
#include "tests/forms/menu_probe.h"
#include "tests/forms/placement.h"
#include "tests/harness/harness.h"

namespace {

struct ShellCall {
    HWND owner;
    std::string verb, file;
    bool parameters, directory;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT show) {
    g_shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters != nullptr, directory != nullptr,
                            show});
    return reinterpret_cast<HINSTANCE>(42);
}

using test_place::ExpectPlace;

// The page window loaded as the program loads it, with a browser that is
// kept from outside addresses.
class QueryPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(forms::Initialise(GetModuleHandleW(nullptr)));
        savedStart_ = tovrin::g_browserStartPage;
        savedShell_ = tovrin::g_shellOpen;
        savedTable_ = tovrin::g_hookTable;
        tovrin::g_browserStartPage = L"about:blank";
        tovrin::g_shellOpen = RecordShellOpen;
        tovrin::NewHookTable();
        g_shellCalls.clear();
        page_ = tovrin::LoadQueryPage();
        ASSERT_TRUE(page_);
    }
    void TearDown() override {
        forms::DestroyFormWindow(page_);
        tovrin::FreeHookTable();
        tovrin::g_hookTable = savedTable_;
        tovrin::g_browserStartPage = savedStart_;
        tovrin::g_shellOpen = savedShell_;
    }
    HWND Browser() const { return forms::ControlHandle(page_, tovrin::kBrowserName); }
    HMENU Menu() const { return forms::MenuHandle(page_, tovrin::kMenuName); }

    HWND page_ = nullptr;
    const wchar_t* savedStart_ = nullptr;
    tovrin::ShellOpen savedShell_ = nullptr;
    tovrin::HookTable* savedTable_ = nullptr;
};

TEST_F(QueryPage, LoadsItsLayoutHiddenWithTheBrowserCroppedInItsContainer) {
    EXPECT_EQ(forms::WindowHandle(L"QueryPage"), page_);
    EXPECT_FALSE(IsWindowVisible(page_)) << "the frame shows it as its page";
    EXPECT_EQ(GetParent(page_), nullptr);
    EXPECT_EQ(GetWindow(page_, GW_OWNER), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(page_, GWL_STYLE) & WS_CHILD);
    ExpectPlace(page_, nullptr, 50, 50, 508, 355);
    EXPECT_EQ(GetWindowTextLengthW(page_), 0) << "no caption";

    HWND container = forms::ControlHandle(page_, L"外形框1");
    ASSERT_TRUE(container);
    EXPECT_EQ(GetParent(container), page_);
    ExpectPlace(container, page_, -8, 0, 512, 304);

    HWND control = Browser();
    ASSERT_TRUE(control);
    EXPECT_EQ(GetParent(control), container);
    ExpectPlace(control, container, -144, -32, 840, 448);
}

TEST_F(QueryPage, HasItsPopupMenuWithTheTwoItems) {
    EXPECT_EQ(GetMenu(page_), nullptr) << "a popup menu, not a menu bar";
    ASSERT_TRUE(IsMenu(Menu()));
    ASSERT_EQ(GetMenuItemCount(Menu()), 2);
    const wchar_t* expected[] = {L"打开网页版", L"我要提意见"};
    for (int i = 0; i < 2; ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(Menu(), i, text, 32, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i]);
    }
}

TEST_F(QueryPage, MenuItemsOpenTheirPagesInTheDefaultBrowser) {
    for (int i = 0; i < 2; ++i)
        SendMessageW(page_, WM_COMMAND, MAKEWPARAM(GetMenuItemID(Menu(), i), 0), 0);
    ASSERT_EQ(g_shellCalls.size(), 2u);
    for (const ShellCall& c : g_shellCalls) {
        EXPECT_EQ(c.owner, nullptr);
        EXPECT_EQ(c.verb, "open");
        EXPECT_FALSE(c.parameters);
        EXPECT_FALSE(c.directory);
        EXPECT_EQ(c.show, SW_SHOWNORMAL);
        EXPECT_EQ(c.file.rfind("https://", 0), 0u) << c.file;
    }
    // The web version: the app platform's host, path /app/enter, the one
    // query parameter appid=101074.
    const std::string& web = g_shellCalls[0].file;
    const std::size_t path = web.find('/', std::string("https://").size());
    ASSERT_NE(path, std::string::npos);
    EXPECT_GT(path, std::string("https://").size()) << "a host";
    EXPECT_EQ(web.substr(path), "/app/enter?appid=101074");
    EXPECT_NE(g_shellCalls[1].file, web);
}

TEST_F(QueryPage, FinishedDocumentsHookTheBrowserTreeOnce) {
    harness::PumpFor(100);  // the control makes its document window after navigating
    HWND control = Browser();
    HWND view = FindWindowExW(control, nullptr, L"Shell DocObject View", nullptr);
    ASSERT_TRUE(view);
    browser::WebBrowserHost* host = forms::BrowserControl(page_, tovrin::kBrowserName);
    ASSERT_TRUE(host);
    ASSERT_TRUE(test_browser::DeliverDocumentComplete(host->browser()));
    ASSERT_TRUE(test_browser::DeliverDocumentComplete(host->browser()));  // a page in two parts

    std::vector<HWND> hooked;
    for (const tovrin::HookEntry& e : tovrin::g_hookTable->entries) {
        hooked.push_back(e.hookedWindow);
        EXPECT_EQ(e.callback, &tovrin::ShowBrowserMenu);
    }
    ASSERT_GE(hooked.size(), 2u);
    EXPECT_EQ(hooked[0], control);
    EXPECT_EQ(hooked[1], view);
    for (HWND w : hooked) EXPECT_TRUE(IsChild(page_, w) || w == control);
    for (std::size_t i = 0; i < hooked.size(); ++i)
        for (std::size_t j = i + 1; j < hooked.size(); ++j) EXPECT_NE(hooked[i], hooked[j]) << "hooked twice";
}

TEST_F(QueryPage, ARightClickOnThePageOpensTheProgramsMenuAtTheCursor) {
    harness::PumpFor(100);
    HWND view = FindWindowExW(Browser(), nullptr, L"Shell DocObject View", nullptr);
    ASSERT_TRUE(view);
    harness::MessageRecorder seenByBrowser(view);  // the browser's own procedure, as the hook sees it
    tovrin::OnDocumentLoaded();

    // A real right-click on the visible page.
    ShowWindow(page_, SW_SHOWNOACTIVATE);
    UpdateWindow(page_);
    POINT inside{200, 100};
    ClientToScreen(page_, &inside);
    ASSERT_EQ(WindowFromPoint(inside), view) << "the point lies on the browser's document window";
    SetCursorPos(inside.x, inside.y);
    harness::PumpMessages();

    const UINT_PTR timer = test_menu::WatchNextMenu();
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    harness::PumpFor(300);
    KillTimer(nullptr, timer);

    const test_menu::Seen seen = test_menu::LastSeen();
    ASSERT_TRUE(seen.open) << "a menu opened";
    EXPECT_EQ(seen.menu, Menu()) << "the program's menu, not the browser's";
    EXPECT_EQ(seen.items, (std::vector<std::wstring>{L"打开网页版", L"我要提意见"}));
    EXPECT_EQ(seen.rect.left, inside.x);
    EXPECT_EQ(seen.rect.top, inside.y);
    EXPECT_TRUE(seenByBrowser.Only({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}).empty());
    EXPECT_TRUE(g_shellCalls.empty()) << "closed without a choice";
}

TEST_F(QueryPage, ChoosingFromThePoppedUpMenuRunsTheItem) {
    SetCursorPos(300, 200);
    const UINT_PTR timer = test_menu::WatchNextMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    tovrin::ShowBrowserMenu(0, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(test_menu::LastSeen().rect.left, 300);
    EXPECT_EQ(test_menu::LastSeen().rect.top, 200);
    harness::PumpMessages();
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].file.find("/app/enter"), std::string::npos) << "the second item: the forum";
}

TEST_F(QueryPage, TheMenuStillWorksOnceTheFrameHasAdoptedThePage) {
    harness::TestWindow frame;
    SetParent(page_, frame);
    SetWindowLongPtrW(page_, GWL_STYLE, (GetWindowLongPtrW(page_, GWL_STYLE) & ~WS_POPUP) | WS_CHILD | WS_VISIBLE);
    SetCursorPos(250, 180);
    const UINT_PTR timer = test_menu::WatchNextMenu({VK_DOWN, VK_RETURN});
    tovrin::ShowBrowserMenu(0, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(test_menu::LastSeen().rect.left, 250);
    EXPECT_EQ(test_menu::LastSeen().rect.top, 180);
    harness::PumpMessages();
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_NE(g_shellCalls[0].file.find("/app/enter?appid=101074"), std::string::npos) << "the first item";
}

}  // namespace
