// Application routines that change the world under the click that runs them.
// Tab, Help and MainMenu routines and the browser hook's right-click routine
// run inside the handling of a real mouse message; here each one destroys its
// frame, removes or adds pages, sets the status text, attaches or destroys
// another frame, destroys or hooks windows, directly or from inside a nested
// message loop (a modal message box or menu closed from a timer, a
// PeekMessage loop, a second click on the same item).  The program runs
// under Wine's heap checking (scripts/with-heap-check.sh), which turns any
// touch of freed state into a failure; the cases check what is left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/browser_menu.h"
#include "skin/frame/registry.h"
#include "skin/object/orvia_skin.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"
#include "tests/skin/interaction/interaction_util.h"

namespace {

using orvia::FrameItem;
using orvia::FrameRecord;

orvia::OrviaSkin* Skin() { return orvia::g_skin; }

enum class Trigger { Tab, Help, MainMenu, RightClick };
enum class Loop { Direct, ModalBox, ModalMenu, PeekLoop, ClickAgain };
enum class Act {
    None,
    DestroyFrame,
    RemoveClickedTab,  // the page "two", whose tab the Tab trigger clicks
    RemoveAllPages,
    AddManyPages,  // enough to move the item list to new memory
    SetStatusText,
    AttachAnotherFrame,
    DestroyEarlierFrame,  // renumbers the clicked frame's registry position
    DestroyHookedWindow,  // the window that the right-click goes to
    HookMoreWindows,      // the hook table grows to new memory
};

const char* Name(Trigger t) {
    const char* names[] = {"tab", "help", "main menu", "right-click"};
    return names[static_cast<int>(t)];
}
const char* Name(Loop l) {
    const char* names[] = {"direct", "modal box", "modal menu", "peek loop", "click again"};
    return names[static_cast<int>(l)];
}
const char* Name(Act a) {
    const char* names[] = {"nothing",       "destroy frame",    "remove clicked tab", "remove all pages",
                           "add many pages", "set status text", "attach another",     "destroy earlier frame",
                           "destroy hooked", "hook more"};
    return names[static_cast<int>(a)];
}

constexpr char kStatusBefore[] = "";
constexpr char kStatusAfter[] = "re-entered: a status text long enough to need new memory for its copy";
constexpr int kMorePages = 16;
constexpr int kMoreHooked = 20;
constexpr UINT kDoAct = WM_APP + 1;

harness::TestWindow::Options Popup() {
    harness::TestWindow::Options o;
    o.style = WS_POPUP;
    o.show = false;
    return o;
}
harness::TestWindow::Options ChildOf(HWND parent) {
    harness::TestWindow::Options o;
    o.parent = parent;
    o.style = WS_CHILD | WS_VISIBLE;
    o.x = o.y = 0;
    o.width = o.height = 100;
    return o;
}

// Everything one case works on.  The earlier frame comes before the clicked
// one in the registry.
struct Scene {
    std::unique_ptr<harness::SkinnedFrame> earlier;
    std::unique_ptr<harness::SkinnedFrame> frame;
    std::unique_ptr<harness::TestWindow> pageOne, pageTwo, browser, helper;
    std::unique_ptr<harness::TestWindow> another;  // made by a routine
    HWND window = nullptr;
};

struct RoutineRun {
    Trigger trigger = Trigger::Help;
    Loop loop = Loop::Direct;
    Act act = Act::None;
    Scene* scene = nullptr;
    int calls = 0;
    int depth = 0;
    bool actDone = false;
};
RoutineRun g_run;

void Fire(Trigger trigger);

void DoAct() {
    if (g_run.actDone) return;
    g_run.actDone = true;
    Scene& s = *g_run.scene;
    const HWND frame = s.window;
    switch (g_run.act) {
    case Act::None: break;
    case Act::DestroyFrame: DestroyWindow(frame); break;
    case Act::RemoveClickedTab: Skin()->methods->RemovePage(Skin(), frame, "two"); break;
    case Act::RemoveAllPages:
        Skin()->methods->RemovePage(Skin(), frame, "one");
        Skin()->methods->RemovePage(Skin(), frame, "two");
        break;
    case Act::AddManyPages:
        for (int i = 0; i < kMorePages; ++i) Skin()->methods->AddPage(Skin(), frame, "more", {}, std::nullopt, std::nullopt);
        break;
    case Act::SetStatusText: Skin()->methods->SetStatusText(Skin(), frame, kStatusAfter); break;
    case Act::AttachAnotherFrame: {
        harness::TestWindow::Options o;
        o.x = 150;
        o.y = 150;
        s.another = std::make_unique<harness::TestWindow>(o);
        harness::AttachThroughSkin(*s.another);
        Skin()->methods->AddPage(Skin(), *s.another, "elsewhere", {}, std::nullopt, std::nullopt);
        break;
    }
    case Act::DestroyEarlierFrame: s.earlier->Destroy(); break;
    case Act::DestroyHookedWindow: DestroyWindow(*s.browser); break;
    case Act::HookMoreWindows:
        for (int i = 0; i < kMoreHooked; ++i)
            CreateWindowExW(0, harness::TestWindowClass(), L"more", WS_CHILD, 0, 0, 10, 10, *s.browser, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
        tovrin::HookWindowTree(*s.browser, nullptr);
        break;
    }
}

BOOL CALLBACK TakeDialog(HWND w, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

HWND FindMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs inside the modal loops: the change first, then the loop is ended.
// It keeps firing until the loop has returned, so an early tick is harmless.
void CALLBACK BoxTimer(HWND, UINT, UINT_PTR, DWORD) {
    DoAct();
    if (HWND box = FindMessageBox()) PostMessageW(box, WM_COMMAND, IDOK, 0);
}
void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD) {
    DoAct();
    EndMenu();
}

// The routine of every trigger.
void Routine(std::int32_t, std::int32_t, std::int32_t) {
    ++g_run.calls;
    Scene& s = *g_run.scene;
    switch (g_run.loop) {
    case Loop::Direct: DoAct(); break;
    case Loop::ModalBox: {
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, BoxTimer);
        MessageBoxW(s.window, L"modal", L"re-entrancy", MB_OK);
        KillTimer(nullptr, timer);
        break;
    }
    case Loop::ModalMenu: {
        // Owned by the page window, as the program's browser menu is.
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"item");
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, MenuTimer);
        POINT p{};
        GetCursorPos(&p);
        TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, *s.pageOne, nullptr);
        KillTimer(nullptr, timer);
        DestroyMenu(menu);
        harness::PumpMessages();
        break;
    }
    case Loop::PeekLoop:
        PostMessageW(*s.helper, kDoAct, 0, 0);
        harness::PumpMessages();
        break;
    case Loop::ClickAgain:
        // The second click, on the same item, runs the change.
        if (g_run.depth == 0) {
            ++g_run.depth;
            Fire(g_run.trigger);
            harness::PumpMessages();
            --g_run.depth;
        } else {
            DoAct();
        }
        break;
    }
}

LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDoAct) {
        DoAct();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::int32_t IndexOf(const FrameRecord& record, std::int32_t kind, std::int32_t id, const char* title = nullptr) {
    for (std::int32_t i = 1; i <= record.nItemCount; ++i) {
        const FrameItem& item = record.Items[static_cast<std::size_t>(i - 1)];
        if (item.nKind == kind && item.nId == id && (!title || item.sText == title)) return i;
    }
    return -1;
}

// Posts the messages of the trigger; the caller pumps.
void Fire(Trigger trigger) {
    Scene& s = *g_run.scene;
    if (trigger == Trigger::RightClick) {
        PostMessageW(*s.browser, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
        PostMessageW(*s.browser, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
        return;
    }
    const FrameRecord* record = orvia::FindFrame(s.window);
    ASSERT_NE(record, nullptr);
    std::int32_t index = -1;
    switch (trigger) {
    case Trigger::Tab: index = IndexOf(*record, orvia::kItemPageTab, 0, "two"); break;
    case Trigger::Help: index = IndexOf(*record, orvia::kItemCaptionButton, orvia::kButtonHelp); break;
    case Trigger::MainMenu: index = IndexOf(*record, orvia::kItemCaptionButton, orvia::kButtonMainMenu); break;
    case Trigger::RightClick: break;
    }
    ASSERT_NE(index, -1);
    const POINT c = interaction_test::CentreOf(*record, index);
    const LPARAM at = MAKELPARAM(c.x, c.y);
    PostMessageW(s.window, WM_MOUSEMOVE, 0, at);
    PostMessageW(s.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(s.window, WM_LBUTTONUP, 0, at);
}

void MakeScene(Scene& s) {
    harness::AttachArgs buttons;
    buttons.minimizeBox = true;
    buttons.maximizeBox = true;
    buttons.helpButton = true;
    buttons.mainMenuButton = true;
    harness::SkinnedFrame::Options o = interaction_test::FrameOptions(buttons);
    s.earlier = std::make_unique<harness::SkinnedFrame>(interaction_test::FrameOptions({}, {600, 100, 900, 300}));
    s.frame = std::make_unique<harness::SkinnedFrame>(o);
    s.window = *s.frame;
    interaction_test::RestPointerInside(s.window);
    s.pageOne = std::make_unique<harness::TestWindow>(Popup());
    s.pageTwo = std::make_unique<harness::TestWindow>(Popup());
    s.browser = std::make_unique<harness::TestWindow>(ChildOf(*s.pageOne));
    harness::TestWindow::Options helper;
    helper.parent = HWND_MESSAGE;
    helper.style = 0;
    helper.show = false;
    helper.className = harness::TestWindowClass(L"ReentrancyHelper", HelperProc);
    s.helper = std::make_unique<harness::TestWindow>(helper);

    Skin()->methods->AddPage(Skin(), s.window, "one", {}, s.pageOne->hwnd(), std::nullopt);
    Skin()->methods->AddPage(Skin(), s.window, "two", {}, s.pageTwo->hwnd(), Routine);
    Skin()->methods->SelectPage(Skin(), s.window, "one");
    Skin()->methods->SetHelpClickRoutine(Skin(), s.window, Routine);
    Skin()->methods->SetMainMenuClickRoutine(Skin(), s.window, Routine);
    Skin()->methods->SetStatusText(Skin(), s.window, kStatusBefore);
    tovrin::HookWindowTree(*s.browser, Routine);
    harness::PumpMessages();
}

// Registry and record facts that every later message relies on.
void ExpectRegistrySound(const std::string& where) {
    ASSERT_NE(orvia::g_frameRegistry, nullptr);
    const auto& records = orvia::g_frameRegistry->records;
    EXPECT_EQ(orvia::g_registryCount, static_cast<std::int32_t>(records.size())) << where;
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_TRUE(IsWindow(records[i]->hWnd)) << where << ": a record outlived its window";
        EXPECT_EQ(orvia::GetIntProperty(records[i]->hWnd, orvia::prop::kDuiIndex), static_cast<std::int32_t>(i + 1))
            << where;
    }
}

void ExpectRecordSound(const FrameRecord& r, const std::string& where) {
    EXPECT_EQ(r.nItemCount, static_cast<std::int32_t>(r.Items.size())) << where;
    EXPECT_TRUE(r.nHotItem == -1 || (r.nHotItem >= 1 && r.nHotItem <= r.nItemCount)) << where << " hot " << r.nHotItem;
    EXPECT_EQ(r.nPressedItem, -1) << where;
    for (std::int32_t i = 1; i <= r.nItemCount; ++i) {
        const FrameItem& item = r.Items[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(item.bPressed, 0) << where << " item " << i;
        EXPECT_EQ(item.bHover, i == r.nHotItem ? 1 : 0) << where << " item " << i;
    }
}

void ExpectHookTableSound(const std::string& where) {
    const auto& entries = tovrin::g_hookTable->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(IsWindow(entries[i].hookedWindow)) << where << ": an entry outlived its window";
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            EXPECT_NE(entries[i].hookedWindow, entries[j].hookedWindow) << where;
    }
}

std::vector<std::string> SelectedTabs(const FrameRecord& r) {
    std::vector<std::string> out;
    for (const FrameItem& item : r.Items)
        if (item.nKind == orvia::kItemPageTab && item.bSelected) out.push_back(item.sText);
    return out;
}

int CountTabs(const FrameRecord& r) {
    int n = 0;
    for (const FrameItem& item : r.Items) n += item.nKind == orvia::kItemPageTab;
    return n;
}

// The status item as the frame's cache surface holds it.
std::vector<COLORREF> StatusLook(HWND window) {
    const FrameRecord* r = orvia::FindFrame(window);
    const RECT rc = r->Items[static_cast<std::size_t>(r->nStatusItem - 1)].rcBounds;
    const auto cache = reinterpret_cast<HDC>(orvia::GetProperty(window, orvia::prop::kCacheDC));
    const harness::Pixels p = harness::Pixels::FromDC(cache, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    std::vector<COLORREF> look;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) look.push_back(p.At(x, y));
    return look;
}

class Reentrancy : public ::testing::Test {
protected:
    void SetUp() override {
        if (!tovrin::g_hookTable) tovrin::NewHookTable();
    }
};

TEST_F(Reentrancy, RoutinesThatChangeTheirFrameLeaveNothingDangling) {
    const Trigger triggers[] = {Trigger::Tab, Trigger::Help, Trigger::MainMenu, Trigger::RightClick};
    const Loop loops[] = {Loop::Direct, Loop::ModalBox, Loop::ModalMenu, Loop::PeekLoop, Loop::ClickAgain};
    const Act acts[] = {Act::None,          Act::DestroyFrame,       Act::RemoveClickedTab,    Act::RemoveAllPages,
                        Act::AddManyPages,  Act::SetStatusText,      Act::AttachAnotherFrame,  Act::DestroyEarlierFrame,
                        Act::DestroyHookedWindow, Act::HookMoreWindows};
    // Inside the nested loops, the changes that free or move what the click
    // handling holds: enough to keep the run short.
    const Act nestedActs[] = {Act::DestroyFrame, Act::RemoveClickedTab, Act::AddManyPages, Act::SetStatusText,
                              Act::DestroyHookedWindow};
    for (Trigger trigger : triggers)
        for (Loop loop : loops)
            for (Act act : acts) {
                if (loop != Loop::Direct && std::find(std::begin(nestedActs), std::end(nestedActs), act) ==
                                                std::end(nestedActs))
                    continue;
                const std::string where = std::string(Name(trigger)) + " / " + Name(loop) + " / " + Name(act);
                SCOPED_TRACE(where);
                Scene s;
                g_run = RoutineRun{trigger, loop, act, &s};
                MakeScene(s);
                const std::int32_t frames = orvia::g_registryCount;
                const std::size_t hooked = tovrin::g_hookTable->entries.size();
                const std::vector<COLORREF> statusBefore = StatusLook(s.window);

                Fire(trigger);
                harness::PumpMessages();

                const bool frameLives = act != Act::DestroyFrame;
                EXPECT_EQ(g_run.calls, loop == Loop::ClickAgain ? 2 : 1);
                EXPECT_TRUE(g_run.actDone);
                EXPECT_EQ(IsWindow(s.window) != FALSE, frameLives);
                EXPECT_EQ(orvia::g_registryCount, frames - (frameLives ? 0 : 1) +
                                                      (act == Act::AttachAnotherFrame ? 1 : 0) -
                                                      (act == Act::DestroyEarlierFrame ? 1 : 0));
                ExpectRegistrySound(where);
                ExpectHookTableSound(where);
                const bool browserLives = frameLives && act != Act::DestroyHookedWindow;
                EXPECT_EQ(IsWindow(*s.browser) != FALSE, browserLives);
                if (browserLives) {
                    EXPECT_EQ(tovrin::g_hookTable->entries.size(),
                              hooked + (act == Act::HookMoreWindows ? kMoreHooked : 0));
                }
                if (!frameLives) continue;

                const FrameRecord* r = orvia::FindFrame(s.window);
                ASSERT_NE(r, nullptr);
                ExpectRecordSound(*r, where);
                const bool twoLeft = act != Act::RemoveClickedTab && act != Act::RemoveAllPages;
                const bool twoChosen = trigger == Trigger::Tab && twoLeft;
                std::vector<std::string> selected;
                if (act != Act::RemoveAllPages) selected.push_back(twoChosen ? "two" : "one");
                EXPECT_EQ(SelectedTabs(*r), selected);
                EXPECT_EQ(CountTabs(*r), (act == Act::RemoveAllPages ? 0 : act == Act::RemoveClickedTab ? 1 : 2) +
                                             (act == Act::AddManyPages ? kMorePages : 0));
                EXPECT_EQ(IsWindowVisible(*s.pageTwo) != FALSE, twoChosen);
                EXPECT_EQ(IsWindowVisible(*s.pageOne) != FALSE, !twoChosen);
                const bool newText = act == Act::SetStatusText;
                EXPECT_EQ(r->Items[static_cast<std::size_t>(r->nStatusItem - 1)].sText,
                          newText ? kStatusAfter : kStatusBefore);
                EXPECT_EQ(StatusLook(s.window) != statusBefore, newText) << "the status band shows the text";

                // The frame still answers the mouse: one more Help click, changing nothing.
                g_run.loop = Loop::Direct;
                g_run.act = Act::None;
                g_run.actDone = false;
                Fire(Trigger::Help);
                harness::PumpMessages();
                EXPECT_EQ(g_run.calls, loop == Loop::ClickAgain ? 3 : 2);
                ExpectRecordSound(*orvia::FindFrame(s.window), where + " / afterwards");
            }
    harness::PumpMessages();
    ExpectRegistrySound("after every scene");
    ExpectHookTableSound("after every scene");
}

}  // namespace
