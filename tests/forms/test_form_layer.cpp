#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/web_browser_host.h"
#include "forms/form_layer.h"
#include "tests/browser/browser_probe.h"
#include "tests/forms/menu_probe.h"
#include "tests/forms/placement.h"
#include "tests/harness/harness.h"

namespace {

const forms::WindowLayout kLayout = {L"Sample", 60, 70, 300, 200, L"Sample caption", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0};

std::vector<int> g_chosen;
int g_documents = 0;

// A window like a page that holds a browser: a container, the browser in it
// at a negative offset, a control whose parent does not exist, and a menu.
forms::WindowLayout PageLayout() {
    return {
        L"Page", 30, 40, 508, 355, L"", WS_POPUP | WS_CLIPCHILDREN, 0,
        {
            {L"box", forms::ControlKind::Container, nullptr, -8, 0, 512, 304},
            {L"web", forms::ControlKind::Browser, L"box", -144, -32, 840, 448, L"about:blank", [] { ++g_documents; }},
            {L"orphan", forms::ControlKind::Container, L"nowhere", 0, 0, 10, 10},
            {L"inner", forms::ControlKind::Container, L"box", 10, 10, 50, 50},
        },
        {
            {L"menu", {{L"第一项", [] { g_chosen.push_back(1); }}, {L"第二项", [] { g_chosen.push_back(2); }}}},
        },
    };
}

using test_place::ExpectPlace;

std::vector<std::wstring> ItemTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class FormLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(forms::Initialise(GetModuleHandleW(nullptr)));
        g_chosen.clear();
        g_documents = 0;
    }
};

TEST_F(FormLayer, LoadsTheLayoutAndRunsCreatedBeforeShowing) {
    bool visibleInHandler = true;
    HWND inHandler = nullptr;
    HWND w = forms::LoadWindow(kLayout, [&](HWND h) {
        inHandler = h;
        visibleInHandler = IsWindowVisible(h);
    }, false);
    ASSERT_TRUE(w);
    EXPECT_EQ(inHandler, w);
    EXPECT_FALSE(visibleInHandler);
    EXPECT_TRUE(IsWindowVisible(w));
    ExpectPlace(w, nullptr, 60, 70, 300, 200);
    wchar_t text[64] = {};
    GetWindowTextW(w, text, 64);
    EXPECT_STREQ(text, L"Sample caption");
    EXPECT_TRUE(IsWindowUnicode(w));
    EXPECT_EQ(forms::WindowHandle(L"Sample"), w);
    EXPECT_EQ(forms::WindowHandle(L"Nothing"), nullptr);
    EXPECT_EQ(forms::WindowHandle(nullptr), nullptr);
    forms::DestroyFormWindow(w);
    EXPECT_EQ(forms::WindowHandle(L"Sample"), nullptr);
    forms::DestroyFormWindow(w);  // already gone: nothing happens
}

TEST_F(FormLayer, AHandlerThatDestroysTheWindowLeavesNothingShown) {
    HWND w = forms::LoadWindow(kLayout, [](HWND h) { DestroyWindow(h); }, false);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(forms::WindowHandle(L"Sample"), nullptr);
}

TEST_F(FormLayer, PlacesControlsInTheirParentsAndGivesThemByName) {
    HWND w = forms::LoadWindow(PageLayout(), nullptr, false);
    ASSERT_TRUE(w);
    EXPECT_FALSE(IsWindowVisible(w)) << "loaded hidden without WS_VISIBLE";
    ExpectPlace(w, nullptr, 30, 40, 508, 355);

    HWND box = forms::ControlHandle(w, L"box");
    ASSERT_TRUE(box);
    EXPECT_EQ(GetParent(box), w);
    EXPECT_TRUE(IsWindowUnicode(box));
    ExpectPlace(box, w, -8, 0, 512, 304);

    HWND web = forms::ControlHandle(w, L"web");
    ASSERT_TRUE(web);
    EXPECT_EQ(GetParent(web), box);
    ExpectPlace(web, box, -144, -32, 840, 448);
    ASSERT_TRUE(forms::BrowserControl(w, L"web"));
    EXPECT_EQ(forms::BrowserControl(w, L"web")->window(), web);

    EXPECT_EQ(GetParent(forms::ControlHandle(w, L"inner")), box);
    EXPECT_EQ(forms::ControlHandle(w, L"orphan"), nullptr) << "its parent is no control of the window";

    struct Unknown {
        HWND window;
        const wchar_t* control;
    };
    for (const Unknown& u : {Unknown{w, L"none"}, Unknown{w, nullptr}, Unknown{nullptr, L"box"}}) {
        EXPECT_EQ(forms::ControlHandle(u.window, u.control), nullptr);
        EXPECT_EQ(forms::BrowserControl(u.window, u.control), nullptr);
    }
    EXPECT_EQ(forms::BrowserControl(w, L"box"), nullptr) << "a container is no browser";

    forms::DestroyFormWindow(w);
    EXPECT_FALSE(IsWindow(web));
    EXPECT_EQ(forms::ControlHandle(w, L"box"), nullptr);
}

TEST_F(FormLayer, KeepsMenusAsPopupsNotAsAMenuBar) {
    HWND w = forms::LoadWindow(PageLayout(), nullptr, false);
    ASSERT_TRUE(w);
    EXPECT_EQ(GetMenu(w), nullptr);
    HMENU menu = forms::MenuHandle(w, L"menu");
    ASSERT_TRUE(IsMenu(menu));
    EXPECT_EQ(ItemTexts(menu), (std::vector<std::wstring>{L"第一项", L"第二项"}));
    EXPECT_EQ(forms::MenuHandle(w, L"none"), nullptr);
    EXPECT_EQ(forms::MenuHandle(w, nullptr), nullptr);
    EXPECT_EQ(forms::MenuHandle(nullptr, L"menu"), nullptr);
    forms::DestroyFormWindow(w);
    EXPECT_FALSE(IsMenu(menu)) << "the menu goes with its window";
}

TEST_F(FormLayer, PopsUpAMenuWithItsCornerAtThePointAndRunsTheChosenItem) {
    HWND w = forms::LoadWindow(PageLayout(), nullptr, false);
    ASSERT_TRUE(w);

    UINT_PTR timer = test_menu::WatchNextMenu();
    EXPECT_TRUE(forms::PopUpMenu(w, L"menu", {200, 150}));
    KillTimer(nullptr, timer);
    const test_menu::Seen seen = test_menu::LastSeen();
    ASSERT_TRUE(seen.open);
    EXPECT_EQ(seen.rect.left, 200);
    EXPECT_EQ(seen.rect.top, 150);
    EXPECT_EQ(seen.menu, forms::MenuHandle(w, L"menu"));
    harness::PumpMessages();
    EXPECT_TRUE(g_chosen.empty()) << "closed with Esc: nothing chosen";

    timer = test_menu::WatchNextMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(forms::PopUpMenu(w, L"menu", {210, 160}));
    KillTimer(nullptr, timer);
    harness::PumpMessages();
    EXPECT_EQ(g_chosen, (std::vector<int>{2}));

    // Commands that are no item of the window's menus run nothing.
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(9999, 0), 0);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(GetMenuItemID(forms::MenuHandle(w, L"menu"), 0), 1), 0);
    EXPECT_EQ(g_chosen, (std::vector<int>{2}));

    EXPECT_FALSE(forms::PopUpMenu(w, L"none", {200, 150}));
    EXPECT_FALSE(forms::PopUpMenu(nullptr, L"menu", {200, 150}));
    forms::DestroyFormWindow(w);
}

TEST_F(FormLayer, ABrowserReportsEveryFinishedDocumentToItsHandler) {
    HWND w = forms::LoadWindow(PageLayout(), nullptr, false);
    ASSERT_TRUE(w);
    browser::WebBrowserHost* web = forms::BrowserControl(w, L"web");
    ASSERT_TRUE(web);
    ASSERT_TRUE(test_browser::DeliverDocumentComplete(web->browser()));
    ASSERT_TRUE(test_browser::DeliverDocumentComplete(web->browser()));
    EXPECT_EQ(g_documents, 2);
    forms::DestroyFormWindow(w);
}

TEST_F(FormLayer, LoopEndsWithTheStartWindowAndRunsExitHandlersOnceInOrder) {
    std::vector<int> order;
    HWND leftOpen = forms::LoadWindow(PageLayout(), nullptr, false);
    bool leftOpenGoneAtExit = false;
    forms::OnExit([&] {
        order.push_back(1);
        leftOpenGoneAtExit = !IsWindow(leftOpen) && !forms::WindowHandle(L"Page");
    });
    forms::OnExit([&] { order.push_back(2); });
    HWND start = forms::LoadWindow(kLayout, nullptr, true);
    HWND other = forms::LoadWindow({L"Other", 0, 0, 100, 100, L"", WS_OVERLAPPED, 0}, nullptr, false);
    ASSERT_TRUE(start && other && leftOpen);
    PostMessageW(other, WM_CLOSE, 0, 0);  // another window closing does not end the loop
    PostMessageW(start, WM_CLOSE, 0, 0);
    EXPECT_EQ(forms::RunMessageLoop(), 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_FALSE(IsWindow(start));
    EXPECT_FALSE(IsWindow(other));
    EXPECT_TRUE(leftOpenGoneAtExit) << "windows still open go before the exit handlers run";
    // Handlers ran once: a later loop runs none of them again.
    HWND again = forms::LoadWindow(kLayout, nullptr, true);
    PostMessageW(again, WM_CLOSE, 0, 0);
    forms::RunMessageLoop();
    EXPECT_EQ(order.size(), 2u);
}

}  // namespace
