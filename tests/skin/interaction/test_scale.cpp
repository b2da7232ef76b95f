// The skin at scale: a thousand tabs on one frame are placed, hit, selected
// and closed up like three, and a hundred frames keep finding their own
// records while frames among them are destroyed.  Timings are the
// benchmark's (bench/bench_scale.cpp); here only results are checked.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/interaction/item_logic.h"
#include "skin/object/orvia_skin.h"
#include "tests/skin/interaction/interaction_util.h"

namespace {

using namespace interaction_test;
using orvia::FrameItem;
using orvia::FrameRecord;

orvia::OrviaSkin* Skin() { return orvia::g_skin; }

std::string TabTitle(int k) { return "tab " + std::to_string(k); }

RECT TabRect(int position) {
    const LONG left = 5 + 62 * (position - 1);
    return RECT{left, 27, left + 60, 79};
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The titles of the selected tabs, in index order.
std::vector<std::string> SelectedTitles(const FrameRecord& record) {
    std::vector<std::string> titles;
    for (const FrameItem& item : record.Items)
        if (item.nKind == orvia::kItemPageTab && item.bSelected) titles.push_back(item.sText);
    return titles;
}

int VisiblePages(const std::vector<HWND>& pages) {
    int visible = 0;
    for (HWND page : pages) visible += IsWindowVisible(page) ? 1 : 0;
    return visible;
}

TEST(ScaleTabs, ThousandTabsArePlacedSelectedClickedAndClosedUp) {
    constexpr int kTabs = 1000;
    // Close, Maximize, Restore, Minimize and the status item come first.
    harness::SkinnedFrame frame(FrameOptions({}, {0, 0, 800, 500}));
    ASSERT_TRUE(frame.attached());
    const std::int32_t before = frame.record()->nItemCount;
    std::vector<HWND> pages;
    for (int k = 1; k <= kTabs; ++k) {
        HWND page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, frame, nullptr, nullptr, nullptr);
        pages.push_back(page);
        ASSERT_EQ(Skin()->methods->AddPage(Skin(), frame, TabTitle(k).c_str(), {}, page, std::nullopt), 1) << k;
    }
    FrameRecord* record = frame.record();
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->nItemCount, before + kTabs);
    EXPECT_EQ(record->nPageCount, kTabs);
    EXPECT_EQ(record->nNextTabLeft, 5 + 62 * kTabs);
    int misplaced = 0;
    for (int k = 1; k <= kTabs; ++k)
        if (!SameRect(record->Items[static_cast<std::size_t>(before + k - 1)].rcBounds, TabRect(k))) ++misplaced;
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(SelectedTitles(*record), std::vector<std::string>{TabTitle(1)});
    EXPECT_EQ(VisiblePages(pages), 0);

    // The last tab lies at x 61,943, beyond a signed 16-bit coordinate.
    const POINT last = CentreOf(*record, before + kTabs);
    EXPECT_EQ(orvia::HitTestItems(*record, last.x, last.y), before + kTabs);
    EXPECT_EQ(orvia::HitTestItems(*record, 400, 300), -1);

    ASSERT_EQ(Skin()->methods->SelectPage(Skin(), frame, TabTitle(kTabs).c_str()), 1);
    EXPECT_EQ(SelectedTitles(*record), std::vector<std::string>{TabTitle(kTabs)});
    EXPECT_TRUE(IsWindowVisible(pages.back()));
    EXPECT_EQ(VisiblePages(pages), 1);

    RestPointerInside(frame);
    for (const int tab : {500, kTabs, 1}) {
        record = frame.record();
        const POINT centre = CentreOf(*record, before + tab);
        Click(frame, centre.x, centre.y);
        record = frame.record();
        EXPECT_EQ(SelectedTitles(*record), std::vector<std::string>{TabTitle(tab)}) << "click on tab " << tab;
        EXPECT_TRUE(IsWindowVisible(pages[static_cast<std::size_t>(tab - 1)])) << "click on tab " << tab;
        EXPECT_EQ(VisiblePages(pages), 1) << "click on tab " << tab;
    }
    Leave(frame);

    ASSERT_EQ(Skin()->methods->RemovePage(Skin(), frame, TabTitle(1).c_str()), 1);
    record = frame.record();
    ASSERT_EQ(record->nItemCount, before + kTabs - 1);
    misplaced = 0;
    for (int position = 1; position < kTabs; ++position) {
        const FrameItem& tab = record->Items[static_cast<std::size_t>(before + position - 1)];
        if (tab.sText != TabTitle(position + 1) || !SameRect(tab.rcBounds, TabRect(position))) ++misplaced;
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(record->nNextTabLeft, 5 + 62 * (kTabs - 1));
}

// Small hidden frames; the hundred of them fit no screen and need not.
harness::SkinnedFrame::Options SmallFrame(int i) {
    const LONG x = i % 10 * 20, y = i / 10 * 20;
    harness::SkinnedFrame::Options o = FrameOptions({}, {x, y, x + 240, y + 180});
    o.show = false;
    return o;
}

TEST(ScaleFrames, HundredFramesKeepTheirDuiIndexesWhileSomeAreDestroyed) {
    constexpr int kFrames = 100;
    const std::int32_t before = orvia::g_registryCount;
    std::vector<std::unique_ptr<harness::SkinnedFrame>> frames;
    for (int i = 0; i < kFrames; ++i) {
        frames.push_back(std::make_unique<harness::SkinnedFrame>(SmallFrame(i)));
        ASSERT_TRUE(frames.back()->attached()) << i;
    }
    ASSERT_EQ(orvia::g_registryCount, before + kFrames);
    for (int i = 0; i < kFrames; ++i)
        ASSERT_EQ(orvia::GetIntProperty(*frames[static_cast<std::size_t>(i)], orvia::prop::kDuiIndex), before + i + 1);

    // The last, the first and then every third frame from the back: indexes
    // shift under frames at both ends and in the middle.
    std::vector<HWND> destroyed;
    const auto destroy = [&](int i) {
        destroyed.push_back(*frames[static_cast<std::size_t>(i)]);
        frames[static_cast<std::size_t>(i)]->Destroy();
        frames[static_cast<std::size_t>(i)].reset();
    };
    destroy(kFrames - 1);
    destroy(0);
    for (int i = kFrames - 3; i > 0; i -= 3) destroy(i);
    std::erase(frames, nullptr);

    ASSERT_EQ(orvia::g_registryCount, before + static_cast<std::int32_t>(frames.size()));
    int wrong = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const HWND window = *frames[i];
        const FrameRecord* record = orvia::FindFrame(window);
        if (orvia::GetIntProperty(window, orvia::prop::kDuiIndex) != before + static_cast<std::int32_t>(i + 1) ||
            !record || record->hWnd != window)
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
    int stillRegistered = 0;
    for (HWND gone : destroyed) stillRegistered += orvia::FindFrameByHandle(gone) != 0 ? 1 : 0;
    EXPECT_EQ(stillRegistered, 0);

    // Mouse input on one frame changes that frame's record only.
    harness::SkinnedFrame& middle = *frames[frames.size() / 2];
    const POINT close = CentreOf(*middle.record(), 1);
    SendMessageW(middle, WM_MOUSEMOVE, 0, MAKELPARAM(close.x, close.y));
    int hot = 0;
    for (const auto& f : frames) hot += f->record()->nHotItem != -1 ? 1 : 0;
    EXPECT_EQ(middle.record()->nHotItem, 1);
    EXPECT_EQ(hot, 1);
    SendMessageW(middle, WM_MOUSELEAVE, 0, 0);

    // Every frame left is rendered again by RedrawAllFrames.
    for (const auto& f : frames) orvia::SetProperty(*f, orvia::prop::kWidth, 0);
    Skin()->methods->RedrawAllFrames(Skin());
    int rendered = 0;
    for (const auto& f : frames) rendered += orvia::GetIntProperty(*f, orvia::prop::kWidth) == 240 ? 1 : 0;
    EXPECT_EQ(rendered, static_cast<int>(frames.size()));

    // A frame attached now goes to the end.
    harness::SkinnedFrame late(SmallFrame(0));
    EXPECT_EQ(orvia::GetIntProperty(late, orvia::prop::kDuiIndex),
              before + static_cast<std::int32_t>(frames.size()) + 1);
}

}  // namespace
