// Pages and the status text on real skinned frames: tab positions and
// selection, the page windows' parent, style, visibility and placement, the
// tab icons and who owns them, and what each change redraws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/embedded.h"
#include "skin/theme/theme.h"
#include "tests/skin/interaction/interaction_util.h"

namespace {

using namespace interaction_test;
using orvia::ByteSpan;
using orvia::FrameItem;
using orvia::FrameRecord;
using orvia::OrviaRoutine;

orvia::OrviaSkin* Skin() { return orvia::g_skin; }

std::int32_t AddPage(HWND frame, const char* title, std::optional<HWND> page = std::nullopt, ByteSpan icon = {},
                     std::optional<OrviaRoutine> onClick = std::nullopt) {
    return Skin()->methods->AddPage(Skin(), frame, title, icon, page, onClick);
}
std::int32_t SelectPage(HWND frame, const char* title) { return Skin()->methods->SelectPage(Skin(), frame, title); }
std::int32_t RemovePage(HWND frame, const char* title) { return Skin()->methods->RemovePage(Skin(), frame, title); }
void SetStatusText(HWND frame, const char* text) { Skin()->methods->SetStatusText(Skin(), frame, text); }

// A 500 × 400 frame with a 24-pixel status band: Close, Maximize, Restore,
// Minimize and the status item are items 1 to 5, so tabs start at 6.
harness::SkinnedFrame::Options PageFrame(std::optional<std::int32_t> banner = std::nullopt) {
    harness::AttachArgs a;
    a.bannerHeight = banner;
    a.statusHeight = 24;
    return FrameOptions(a, {100, 100, 600, 500});
}

// A page window as applications make them: a hidden top-level window with a caption.
harness::TestWindow::Options PageWindow() {
    harness::TestWindow::Options o;
    o.style = WS_POPUP | WS_CAPTION;
    o.show = false;
    o.width = 200;
    o.height = 150;
    return o;
}

std::vector<const FrameItem*> Tabs(const FrameRecord& record) {
    std::vector<const FrameItem*> tabs;
    for (const FrameItem& item : record.Items)
        if (item.nKind == orvia::kItemPageTab) tabs.push_back(&item);
    return tabs;
}

// The page window's rectangle in the frame's coordinates.
RECT PlacedAt(HWND page, HWND frame) {
    RECT rc{};
    GetWindowRect(page, &rc);
    MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

COLORREF CachePixel(HWND frame, int x, int y) {
    return GetPixel(reinterpret_cast<HDC>(GetPropA(frame, "OrviaCacheDC")), x, y);
}
// Marks a pixel of the cache surface that only a full render paints over.
void MarkCache(HWND frame) {
    SetPixel(reinterpret_cast<HDC>(GetPropA(frame, "OrviaCacheDC")), 250, 250, RGB(255, 0, 255));
}
bool CacheStillMarked(HWND frame) { return CachePixel(frame, 250, 250) == RGB(255, 0, 255); }

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

// Sequences of page operations and the tab strip they leave behind.
struct Op {
    char kind;  // 'A' AddPage, 'S' SelectPage, 'R' RemovePage
    const char* title;
    std::int32_t result;
};
struct TabState {
    const char* title;
    std::int32_t left;
    bool selected;
};
struct StripCase {
    const char* what;
    std::vector<Op> ops;
    std::vector<TabState> tabs;
    std::int32_t nextTabLeft;
};

TEST(Pages, TabStripAfterSequencesOfOperations) {
    const StripCase cases[] = {
        {"three pages: only the first is selected",
         {{'A', "one", 1}, {'A', "two", 1}, {'A', "three", 1}},
         {{"one", 5, true}, {"two", 67, false}, {"three", 129, false}},
         191},
        {"selecting moves the selection",
         {{'A', "one", 1}, {'A', "two", 1}, {'S', "two", 1}},
         {{"one", 5, false}, {"two", 67, true}},
         129},
        {"titles differing in case are different titles",
         {{'A', "one", 1}, {'A', "One", 1}, {'S', "One", 1}, {'R', "ONE", 0}},
         {{"one", 5, false}, {"One", 67, true}},
         129},
        {"unknown titles change nothing",
         {{'A', "one", 1}, {'S', "none", 0}, {'R', "none", 0}},
         {{"one", 5, true}},
         67},
        {"only the first of two equal titles goes; the rest close up, new tabs follow them",
         {{'A', "x", 1}, {'A', "y", 1}, {'A', "x", 1}, {'R', "x", 1}, {'A', "z", 1}},
         {{"y", 5, false}, {"x", 67, false}, {"z", 129, false}},
         191},
        {"after every page is gone the next page is not selected",
         {{'A', "a", 1}, {'R', "a", 1}, {'A', "b", 1}},
         {{"b", 5, false}},
         67},
        {"removing a middle tab",
         {{'A', "a", 1}, {'A', "b", 1}, {'A', "c", 1}, {'R', "b", 1}, {'A', "d", 1}},
         {{"a", 5, true}, {"c", 67, false}, {"d", 129, false}},
         191},
        {"equal titles are selected together",
         {{'A', "x", 1}, {'A', "y", 1}, {'A', "x", 1}, {'S', "y", 1}, {'S', "x", 1}},
         {{"x", 5, true}, {"y", 67, false}, {"x", 129, true}},
         191},
    };
    for (const StripCase& c : cases) {
        harness::SkinnedFrame frame(PageFrame());
        ASSERT_TRUE(frame.attached());
        for (const Op& op : c.ops) {
            const std::int32_t result = op.kind == 'A'   ? AddPage(frame, op.title)
                                        : op.kind == 'S' ? SelectPage(frame, op.title)
                                                         : RemovePage(frame, op.title);
            EXPECT_EQ(result, op.result) << c.what << ": " << op.kind << " " << op.title;
        }
        const FrameRecord* record = frame.record();
        const auto tabs = Tabs(*record);
        ASSERT_EQ(tabs.size(), c.tabs.size()) << c.what;
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            const FrameItem& tab = *tabs[i];
            EXPECT_EQ(tab.sText, c.tabs[i].title) << c.what;
            EXPECT_EQ(tab.nLeft, c.tabs[i].left) << c.what << ", tab " << i;
            EXPECT_EQ(tab.bSelected, c.tabs[i].selected ? 1 : 0) << c.what << ", tab " << i;
            const RECT expected{c.tabs[i].left, 27, c.tabs[i].left + 60, 79};
            EXPECT_TRUE(EqualRect(&tab.rcBounds, &expected)) << c.what << ", tab " << i;
            EXPECT_EQ(tab.bVisible, 1);
        }
        EXPECT_EQ(record->nNextTabLeft, c.nextTabLeft) << c.what;
        EXPECT_EQ(record->nItemCount, static_cast<std::int32_t>(record->Items.size()));
    }
}

TEST(Pages, AddingAdoptsAndHidesEveryPageWindow) {
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow p1(PageWindow()), p2(PageWindow()), p3(PageWindow());
    ShowWindow(p1, SW_SHOWNOACTIVATE);  // even a visible page window is hidden
    RefreshLog log;
    EXPECT_EQ(AddPage(frame, "one", p1.hwnd()), 1);
    EXPECT_EQ(AddPage(frame, "two", p2.hwnd()), 1);
    EXPECT_EQ(AddPage(frame, "three", p3.hwnd()), 1);
    EXPECT_EQ(log.For(frame), (std::vector<std::int32_t>{6, 7, 8})) << "each new tab is drawn once, alone";

    for (HWND page : {p1.hwnd(), p2.hwnd(), p3.hwnd()}) {
        EXPECT_EQ(GetAncestor(page, GA_PARENT), frame.hwnd());
        const LONG_PTR style = GetWindowLongPtrW(page, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & WS_POPUP);
        EXPECT_EQ(style & WS_CAPTION, 0);
        EXPECT_FALSE(IsWindowVisible(page));
    }
    const auto tabs = Tabs(*frame.record());
    EXPECT_EQ(tabs[0]->hPage, p1.hwnd());
    EXPECT_EQ(tabs[2]->hPage, p3.hwnd());
    EXPECT_EQ(GetPropA(frame, "Orvia_hWndChild"), nullptr) << "adding shows no page";
    EXPECT_EQ(frame.record()->nPageCount, 3);
}

TEST(Pages, SelectingShowsOnePageBetweenTheBands) {
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow p1(PageWindow()), p2(PageWindow());
    AddPage(frame, "one", p1.hwnd());
    AddPage(frame, "two", p2.hwnd());
    RefreshLog log;

    EXPECT_EQ(SelectPage(frame, "two"), 1);
    EXPECT_EQ(log.For(frame), (std::vector<std::int32_t>{7, 6})) << "the new selection first, then the old one";
    EXPECT_TRUE(IsWindowVisible(p2));
    EXPECT_FALSE(IsWindowVisible(p1));
    EXPECT_EQ(GetPropA(frame, "Orvia_hWndChild"), p2.hwnd());
    const RECT expected{3, 81, 3 + 494, 81 + 292};
    const RECT placed = PlacedAt(p2, frame);
    EXPECT_TRUE(EqualRect(&placed, &expected))
        << placed.left << "," << placed.top << " " << placed.right - placed.left << "x" << placed.bottom - placed.top;

    // The page follows the frame's size.
    SetWindowPos(frame, nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    harness::PumpMessages();
    const RECT resized = PlacedAt(p2, frame);
    const RECT expectedResized{3, 81, 3 + 594, 81 + 450 - 81 - 24 - 3};
    EXPECT_TRUE(EqualRect(&resized, &expectedResized));
}

TEST(Pages, SelectingTheSelectedPageOnlyShowsItAgain) {
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow p1(PageWindow()), p2(PageWindow());
    AddPage(frame, "one", p1.hwnd());
    AddPage(frame, "two", p2.hwnd());
    SelectPage(frame, "one");
    // Someone else moved and hid the page and showed the other one.
    MoveWindow(p1, 40, 120, 50, 50, TRUE);
    ShowWindow(p1, SW_HIDE);
    ShowWindow(p2, SW_SHOWNOACTIVATE);
    RefreshLog log;

    EXPECT_EQ(SelectPage(frame, "one"), 1);
    EXPECT_TRUE(log.For(frame).empty()) << "no tab changed its look";
    EXPECT_TRUE(IsWindowVisible(p1));
    EXPECT_FALSE(IsWindowVisible(p2));
    const RECT placed = PlacedAt(p1, frame);
    EXPECT_EQ(placed.left, 3);
    EXPECT_EQ(placed.top, 81);

    EXPECT_EQ(SelectPage(frame, "ONE"), 0);
    EXPECT_TRUE(IsWindowVisible(p1));
    EXPECT_EQ(Tabs(*frame.record())[0]->bSelected, 1);
}

TEST(Pages, EqualTitlesShowTheLastOfTheirPages) {
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow p1(PageWindow()), p2(PageWindow()), p3(PageWindow());
    AddPage(frame, "x", p1.hwnd());
    AddPage(frame, "y", p2.hwnd());
    AddPage(frame, "x", p3.hwnd());
    EXPECT_EQ(SelectPage(frame, "x"), 1);
    EXPECT_FALSE(IsWindowVisible(p1));
    EXPECT_FALSE(IsWindowVisible(p2));
    EXPECT_TRUE(IsWindowVisible(p3));
    EXPECT_EQ(GetPropA(frame, "Orvia_hWndChild"), p3.hwnd());
}

TEST(Pages, ALowCaptionBandIsRaisedOnceWithAFullRender) {
    harness::SkinnedFrame frame(PageFrame(40));
    ASSERT_EQ(reinterpret_cast<INT_PTR>(GetPropA(frame, "Orvia_BannerHeight")), 40);
    harness::TestWindow p1(PageWindow());
    MarkCache(frame);
    AddPage(frame, "one", p1.hwnd());
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(frame, "Orvia_BannerHeight")), 80);
    EXPECT_FALSE(CacheStillMarked(frame)) << "the frame was composed again";
    SelectPage(frame, "one");

    // Attaching again lowers the band; the next page raises it and puts the
    // current page back in place.
    harness::AttachArgs lower;
    lower.bannerHeight = 40;
    lower.statusHeight = 24;
    ASSERT_TRUE(harness::AttachThroughSkin(frame, lower));
    MoveWindow(p1, 50, 50, 60, 60, TRUE);
    MarkCache(frame);
    AddPage(frame, "two");
    EXPECT_FALSE(CacheStillMarked(frame));
    EXPECT_EQ(PlacedAt(p1, frame).top, 81);
    EXPECT_EQ(PlacedAt(p1, frame).left, 3);

    // With a high enough band nothing is rendered.
    MarkCache(frame);
    AddPage(frame, "three");
    EXPECT_TRUE(CacheStillMarked(frame));
    harness::SkinnedFrame tall(PageFrame(100));
    AddPage(tall, "one");
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(tall, "Orvia_BannerHeight")), 100);
}

TEST(Pages, AChildOfTheFrameKeepsItsStyleAndItsControlsAreSkinned) {
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow::Options o;
    o.parent = frame;
    o.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    o.x = 10;
    o.y = 100;
    harness::TestWindow page(o);
    harness::TestWindow::Options b;
    b.parent = page;
    b.className = L"Button";
    b.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    b.width = 80;
    b.height = 24;
    harness::TestWindow button(b);
    const LONG_PTR style = GetWindowLongPtrW(page, GWL_STYLE) & ~WS_VISIBLE;

    EXPECT_EQ(AddPage(frame, "child", page.hwnd()), 1);
    EXPECT_EQ(GetWindowLongPtrW(page, GWL_STYLE) & ~WS_VISIBLE, style);
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(button, "Orvia_WindowType")), 5) << "the button was skinned";
}

TEST(Pages, APopupOwnedByTheFrameIsAdoptedLikeAnyOther) {
    // GetParent reports the owner of a popup, which must not pass for its parent.
    harness::SkinnedFrame frame(PageFrame());
    harness::TestWindow::Options o = PageWindow();
    o.parent = frame;  // owner
    harness::TestWindow page(o);
    ASSERT_EQ(GetParent(page), frame.hwnd());
    AddPage(frame, "owned", page.hwnd());
    EXPECT_TRUE(GetWindowLongPtrW(page, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetAncestor(page, GA_PARENT), frame.hwnd());
    SelectPage(frame, "owned");
    EXPECT_EQ(PlacedAt(page, frame).top, 81);
}

TEST(Pages, TabIconsAndWhoOwnsThem) {
    const HICON fallback = orvia::g_theme->defaultPageIcon;
    ASSERT_NE(fallback, nullptr);
    const HICON callers = CopyIcon(fallback);
    const auto raw = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(callers));
    const std::uint8_t handleBytes[] = {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                        static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
    const std::uint8_t zeroHandle[4] = {};
    const std::uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const ByteSpan icoFile = orvia::embedded::DefaultPageIco();

    harness::SkinnedFrame frame(PageFrame());
    AddPage(frame, "handle", std::nullopt, handleBytes);
    AddPage(frame, "empty", std::nullopt, {});
    AddPage(frame, "zero", std::nullopt, zeroHandle);
    AddPage(frame, "garbage", std::nullopt, garbage);
    AddPage(frame, "file", std::nullopt, icoFile);
    AddPage(frame, "file2", std::nullopt, icoFile);
    auto tabs = Tabs(*frame.record());
    EXPECT_EQ(tabs[0]->hIcon, callers);
    EXPECT_EQ(tabs[1]->hIcon, fallback);
    EXPECT_EQ(tabs[2]->hIcon, fallback);
    EXPECT_EQ(tabs[3]->hIcon, fallback);
    const HICON made = tabs[4]->hIcon;
    const HICON made2 = tabs[5]->hIcon;
    EXPECT_NE(made, nullptr);
    EXPECT_NE(made, fallback);
    EXPECT_NE(made, made2);
    EXPECT_EQ(IconWidth(made), 32) << "drawn on the tab at 32 x 32";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs[i]->bOwnsIcon, 0) << i;
    EXPECT_EQ(tabs[4]->bOwnsIcon, 1);

    // A removed tab takes the icon the skin made along, and only that one.
    EXPECT_EQ(RemovePage(frame, "file"), 1);
    EXPECT_FALSE(IconAlive(made));
    EXPECT_EQ(RemovePage(frame, "handle"), 1);
    EXPECT_EQ(RemovePage(frame, "empty"), 1);
    EXPECT_TRUE(IconAlive(callers));
    EXPECT_TRUE(IconAlive(fallback));

    // So does a destroyed frame.
    EXPECT_TRUE(IconAlive(made2));
    frame.Destroy();
    EXPECT_FALSE(IconAlive(made2));
    EXPECT_TRUE(IconAlive(fallback));
    DestroyIcon(callers);
}

TEST(Pages, RemovingAPageForgetsTheHotAndPressedItems) {
    harness::SkinnedFrame frame(PageFrame());
    RestPointerInside(frame);
    AddPage(frame, "a");
    AddPage(frame, "b");
    AddPage(frame, "c");
    FrameRecord* record = frame.record();
    const POINT c = CentreOf(*record, 8);
    const POINT b = CentreOf(*record, 7);
    Move(frame, c.x, c.y);
    Down(frame, b.x, b.y);  // a press without a move: "b" pressed, "c" hot
    ASSERT_EQ(record->nHotItem, 8);
    ASSERT_EQ(record->nPressedItem, 7);

    EXPECT_EQ(RemovePage(frame, "a"), 1);
    EXPECT_EQ(record->nHotItem, -1);
    EXPECT_EQ(record->nPressedItem, -1);
    for (const FrameItem& item : record->Items) EXPECT_EQ(item.bHover + item.bPressed, 0);

    // A hot caption button is drawn normal again at once.
    const POINT close = CentreOf(*record, 1);
    Move(frame, close.x, close.y);
    ASSERT_EQ(record->Items[0].bHover, 1);
    RefreshLog log;
    RemovePage(frame, "b");
    EXPECT_EQ(log.For(frame), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(record->Items[0].bHover, 0);
}

TEST(Pages, StatusTextIsRedrawnAlone) {
    harness::SkinnedFrame frame(PageFrame());
    harness::PumpMessages();
    const FrameRecord* record = frame.record();
    const std::int32_t status = record->nStatusItem;
    ASSERT_EQ(status, 5);
    const RECT box = record->Items[status - 1].rcBounds;
    const harness::Pixels before = harness::Pixels::FromWindow(frame);
    RefreshLog log;

    SetStatusText(frame, "\xbf\xec\xb5\xdd status");
    EXPECT_EQ(log.For(frame), (std::vector<std::int32_t>{status}));
    EXPECT_EQ(record->Items[status - 1].sText, "\xbf\xec\xb5\xdd status");
    const harness::Pixels after = harness::Pixels::FromWindow(frame);
    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            if (before.At(x, y) == after.At(x, y)) continue;
            const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            ++(inside ? changedInside : changedOutside);
        }
    EXPECT_GT(changedInside, 0) << "the text is on screen";
    EXPECT_EQ(changedOutside, 0);

    SetStatusText(frame, nullptr);
    EXPECT_EQ(record->Items[status - 1].sText, "");
    const harness::Pixels cleared = harness::Pixels::FromWindow(frame);
    bool restored = true;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) restored = restored && cleared.At(x, y) == before.At(x, y);
    EXPECT_TRUE(restored) << "no text draws the clean status band again";

    harness::AttachArgs noStatus;
    noStatus.statusHeight = 0;
    harness::SkinnedFrame bare(FrameOptions(noStatus));
    log.Clear();
    SetStatusText(bare, "ignored");
    EXPECT_TRUE(log.For(bare).empty());
    for (const FrameItem& item : bare.record()->Items) EXPECT_EQ(item.sText, "");
}

void NoOp(std::int32_t, std::int32_t, std::int32_t) {}

TEST(Pages, BadInputHasADefinedResult) {
    harness::TestWindow plain;  // not a skinned frame
    EXPECT_EQ(AddPage(plain, "x"), 0);
    EXPECT_EQ(SelectPage(plain, "x"), 0);
    EXPECT_EQ(RemovePage(plain, "x"), 0);
    SetStatusText(plain, "x");
    EXPECT_EQ(AddPage(nullptr, "x"), 0);
    EXPECT_EQ(AddPage(reinterpret_cast<HWND>(0x1234), "x"), 0);
    orvia::PlacePageWindow(nullptr);
    orvia::ShowPage(plain, 1);
    orvia::RelayoutTabs(plain);

    harness::SkinnedFrame frame(PageFrame());
    const HWND notAWindow = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(AddPage(frame, nullptr, notAWindow, {}, NoOp), 1);
    const FrameItem& tab = *Tabs(*frame.record())[0];
    EXPECT_EQ(tab.sText, "");
    EXPECT_EQ(tab.hPage, notAWindow);
    EXPECT_EQ(tab.pfnOnClick, &NoOp);
    EXPECT_EQ(SelectPage(frame, nullptr), 1) << "a missing title is the empty title";
    EXPECT_EQ(GetPropA(frame, "Orvia_hWndChild"), notAWindow);
    orvia::ShowPage(frame, 99);
    EXPECT_EQ(GetPropA(frame, "Orvia_hWndChild"), nullptr);
    EXPECT_EQ(RemovePage(frame, ""), 1);
    EXPECT_EQ(frame.record()->nItemCount, 5);

    // The frame as its own page: a tab that shows nothing; the frame stays a
    // visible top-level window where it was.
    RECT before{};
    GetWindowRect(frame, &before);
    EXPECT_EQ(AddPage(frame, "self", frame.hwnd()), 1);
    EXPECT_EQ(SelectPage(frame, "self"), 1);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_FALSE(GetWindowLongPtrW(frame, GWL_STYLE) & WS_CHILD);
    RECT after{};
    GetWindowRect(frame, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

}  // namespace
