#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/browser_menu.h"
#include "skin/frame/registry.h"
#include "tests/harness/harness.h"

namespace {

using tovrin::HookEntry;

constexpr UINT kAnswerMe = WM_USER + 5;
constexpr LRESULT kAnswer = 4242;
int g_finalDestroys = 0;

// The windows' own procedure: a distinctive answer for one message, and a
// count of the last message each window gets.
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAnswerMe) return kAnswer;
    if (message == WM_NCDESTROY) ++g_finalDestroys;
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Call {
    std::int32_t x, y, zero;
    bool operator==(const Call&) const = default;
};
std::vector<Call> g_calls;
void Record(std::int32_t x, std::int32_t y, std::int32_t zero) { g_calls.push_back({x, y, zero}); }
void Other(std::int32_t, std::int32_t, std::int32_t) {}

// A window tree made for the test; each window's text is its name.
//   top ─┬─ A ─┬─ A1 ── A1a
//        │     └─ A2
//        └─ B
class Tree {
public:
    Tree() {
        top_ = Make(L"top", nullptr);
        Make(L"A", L"top");
        Make(L"A1", L"A");
        Make(L"A1a", L"A1");
        Make(L"A2", L"A");
        Make(L"B", L"top");
    }
    HWND Make(const wchar_t* name, const wchar_t* parent) {
        harness::TestWindow::Options o;
        o.className = harness::TestWindowClass(L"HookTestWindow", OwnProc);
        o.text = name;
        o.show = false;
        if (parent) {
            o.parent = (*this)[parent];
            o.style = WS_CHILD | WS_VISIBLE;
            o.x = o.y = 0;
            o.width = o.height = 50;
        }
        windows_.push_back(std::make_unique<harness::TestWindow>(o));
        return *windows_.back();
    }
    HWND operator[](const std::wstring& name) const {
        for (const auto& w : windows_)
            if (IsWindow(*w) && Name(*w) == name) return *w;
        return nullptr;
    }
    HWND top() const { return top_; }
    static std::wstring Name(HWND window) {
        wchar_t text[32] = {};
        GetWindowTextW(window, text, 32);
        return text;
    }

private:
    HWND top_ = nullptr;
    std::vector<std::unique_ptr<harness::TestWindow>> windows_;
};

// The names of the hooked windows, in table order.
std::vector<std::wstring> Table() {
    std::vector<std::wstring> names;
    for (const HookEntry& e : tovrin::g_hookTable->entries) names.push_back(Tree::Name(e.hookedWindow));
    return names;
}

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

class Hook : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = tovrin::g_hookTable;
        tovrin::NewHookTable();
        g_calls.clear();
        g_finalDestroys = 0;
    }
    void TearDown() override {
        tovrin::FreeHookTable();
        tovrin::g_hookTable = saved_;
    }
    tovrin::HookTable* saved_ = nullptr;
};

TEST_F(Hook, HooksEveryWindowOfTheTreeOnceDepthFirst) {
    Tree tree;
    const WNDPROC own = ProcOf(tree.top());
    tovrin::HookWindowTree(tree.top(), Record);
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"top", L"A", L"A1", L"A1a", L"A2", L"B"}));
    for (const HookEntry& e : tovrin::g_hookTable->entries) {
        EXPECT_EQ(ProcOf(e.hookedWindow), &tovrin::HookWindowProc) << Tree::Name(e.hookedWindow);
        EXPECT_EQ(e.previousProc, own) << Tree::Name(e.hookedWindow);
        EXPECT_EQ(e.callback, &Record) << Tree::Name(e.hookedWindow);
        EXPECT_TRUE(IsWindowUnicode(e.hookedWindow)) << "subclassing keeps the window Unicode";
    }
    HookEntry copy;
    ASSERT_TRUE(tovrin::FindHookEntry(tree[L"A1a"], copy));
    EXPECT_EQ(copy.hookedWindow, tree[L"A1a"]);
}

TEST_F(Hook, AnotherWalkHooksOnlyWhatIsNewAndKeepsEveryEntry) {
    Tree tree;
    tovrin::HookWindowTree(tree.top(), Record);
    const std::vector<HookEntry> before = tovrin::g_hookTable->entries;

    tovrin::HookWindowTree(tree.top(), Other);
    tovrin::HookWindowTree(tree[L"A"]);
    ASSERT_EQ(tovrin::g_hookTable->entries.size(), before.size()) << "a second walk changes nothing";

    // The tree grows, as the browser's does when a document loads.
    tree.Make(L"A3", L"A");
    tree.Make(L"A1b", L"A1");
    tree.Make(L"B1", L"B");
    tovrin::HookWindowTree(tree.top(), Other);
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"top", L"A", L"A1", L"A1a", L"A2", L"B", L"A1b", L"A3", L"B1"}));
    const auto& entries = tovrin::g_hookTable->entries;
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(entries[i].hookedWindow, before[i].hookedWindow);
        EXPECT_EQ(entries[i].previousProc, before[i].previousProc);
        EXPECT_EQ(entries[i].callback, &Record) << "an old entry keeps its callback";
    }
    for (std::size_t i = before.size(); i < entries.size(); ++i) EXPECT_EQ(entries[i].callback, &Other);
}

TEST_F(Hook, RightButtonPressCallsTheRoutineWithTheSignedPositionAndIsSwallowed) {
    Tree tree;
    HWND w = tree[L"A1"];
    harness::MessageRecorder seenByBrowser(w);  // the procedure the hook passes to
    tovrin::HookWindowTree(tree.top(), Record);

    struct Case {
        LPARAM lParam;
        Call expected;
    };
    const Case cases[] = {
        {MAKELPARAM(10, 20), {10, 20, 0}},
        {MAKELPARAM(-5, -7), {-5, -7, 0}},
        {MAKELPARAM(32767, -32768), {32767, -32768, 0}},
        {MAKELPARAM(0xFFFF, 0), {-1, 0, 0}},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        EXPECT_EQ(SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, c.lParam), 0);
        EXPECT_EQ(SendMessageW(w, WM_RBUTTONUP, 0, c.lParam), 0);
        EXPECT_EQ(g_calls, std::vector<Call>{c.expected}) << "lParam " << std::hex << c.lParam;
    }
    EXPECT_TRUE(seenByBrowser.Only({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}).empty())
        << "neither the press nor the release reaches the browser, so it opens no menu of its own";
}

TEST_F(Hook, WithoutARoutineTheRightButtonIsSwallowedAllTheSame) {
    Tree tree;
    HWND w = tree[L"B"];
    harness::MessageRecorder seenByBrowser(w);
    tovrin::HookWindowTree(tree.top());
    HookEntry entry;
    ASSERT_TRUE(tovrin::FindHookEntry(w, entry));
    EXPECT_EQ(entry.callback, nullptr);
    EXPECT_EQ(SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4)), 0);
    EXPECT_EQ(SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(3, 4)), 0);
    EXPECT_TRUE(seenByBrowser.Only({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}).empty());
}

TEST_F(Hook, EveryOtherMessagePassesOnUnchanged) {
    Tree tree;
    HWND w = tree[L"A2"];
    harness::MessageRecorder seenByBrowser(w);
    tovrin::HookWindowTree(tree.top(), Record);
    const harness::RecordedMessage sent[] = {
        {w, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(7, 8)},
        {w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8)},
        {w, WM_LBUTTONUP, 0, MAKELPARAM(7, 8)},
        {w, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(7, 8)},
        {w, WM_KEYDOWN, VK_APPS, 1},
        {w, WM_KEYUP, VK_APPS, static_cast<LPARAM>(0xC0000001)},
        {w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w), -1},
    };
    for (const harness::RecordedMessage& m : sent) SendMessageW(w, m.message, m.wParam, m.lParam);
    std::vector<harness::ExpectedMessage> expected;
    for (const harness::RecordedMessage& m : sent) expected.push_back({m.message, m.wParam, m.lParam});
    EXPECT_EQ(harness::CompareMessages(
                  seenByBrowser.Only({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDBLCLK, WM_KEYDOWN,
                                      WM_KEYUP, WM_CONTEXTMENU}),
                  expected),
              "");
    EXPECT_EQ(SendMessageW(w, kAnswerMe, 0, 0), kAnswer) << "the previous procedure's result comes back";
    EXPECT_TRUE(g_calls.empty());
}

// Stands for the skin's child-control walk, which subclasses a window once
// and passes on through the procedure it stored.
int g_skinProcMessages = 0;
LRESULT CALLBACK SkinLikeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAnswerMe || message == WM_RBUTTONDOWN) ++g_skinProcMessages;
    return orvia::CallPreviousProc(window, message, wParam, lParam);
}

TEST_F(Hook, AWindowSubclassedBeforeKeepsItsProcedureChain) {
    Tree tree;
    HWND w = tree[L"A1a"];
    g_skinProcMessages = 0;
    orvia::SubclassOnce(w, SkinLikeProc);
    tovrin::HookWindowTree(tree.top(), Record);
    HookEntry entry;
    ASSERT_TRUE(tovrin::FindHookEntry(w, entry));
    EXPECT_EQ(entry.previousProc, &SkinLikeProc);
    EXPECT_EQ(SendMessageW(w, kAnswerMe, 0, 0), kAnswer) << "hook, then the skin's procedure, then the window's own";
    EXPECT_EQ(g_skinProcMessages, 1);
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    EXPECT_EQ(g_skinProcMessages, 1) << "the press stops at the hook";
    EXPECT_EQ(g_calls, (std::vector<Call>{{1, 2, 0}}));
}

TEST_F(Hook, ADestroyedWindowLeavesTheTableAfterItsLastMessage) {
    Tree tree;
    tovrin::HookWindowTree(tree.top(), Record);
    HWND gone = tree[L"A1"];
    HWND goneChild = tree[L"A1a"];
    DestroyWindow(gone);
    EXPECT_EQ(g_finalDestroys, 2) << "WM_NCDESTROY still reaches each window's own procedure";
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"top", L"A", L"A2", L"B"}));
    HookEntry entry;
    EXPECT_FALSE(tovrin::FindHookEntry(gone, entry));
    EXPECT_FALSE(tovrin::FindHookEntry(goneChild, entry));
    // So a window that is given one of these handle values later is not
    // taken for hooked: the next walk hooks it.  The new windows here get
    // new values, and are hooked like any window that is not in the table.
    tree.Make(L"A4", L"A");
    tovrin::HookWindowTree(tree.top(), Record);
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"top", L"A", L"A2", L"B", L"A4"}));
}

TEST_F(Hook, FindsNothingForWindowsThatAreNotHooked) {
    Tree tree;
    tovrin::HookWindowTree(tree[L"A"], Record);  // a subtree only
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"A", L"A1", L"A1a", L"A2"}));
    HookEntry entry{tree.top(), &OwnProc, &Record};
    EXPECT_FALSE(tovrin::FindHookEntry(tree.top(), entry));
    EXPECT_EQ(entry.hookedWindow, nullptr);
    EXPECT_EQ(entry.previousProc, nullptr);
    EXPECT_EQ(entry.callback, nullptr);
    EXPECT_FALSE(tovrin::FindHookEntry(nullptr, entry));
}

TEST_F(Hook, WalksNothingFromAHandleThatIsNoWindow) {
    tovrin::HookWindowTree(nullptr, Record);  // would otherwise walk the desktop's windows
    tovrin::HookWindowTree(reinterpret_cast<HWND>(0x1234), Record);
    EXPECT_TRUE(tovrin::g_hookTable->entries.empty());

    Tree tree;
    tovrin::FreeHookTable();  // no table: nothing is hooked
    tovrin::HookWindowTree(tree.top(), Record);
    EXPECT_EQ(ProcOf(tree.top()), &OwnProc);
    HookEntry entry;
    EXPECT_FALSE(tovrin::FindHookEntry(tree.top(), entry));
    tovrin::NewHookTable();
}

}  // namespace
