// Slots 7, 8, 9, 14 and 17 given sizes, heights and item fields far outside
// the sensible range, and registry entries whose windows are gone: the
// documented result, and a frame that still renders, places and hit-tests.
#include <gtest/gtest.h>

#include <climits>

#include "skin/interaction/item_logic.h"
#include "skin/render/frame_geometry.h"
#include "skin/render/render.h"
#include "tests/skin/object/test_bad_input_support.h"

namespace {

using bad_input::Skin;

std::int32_t Prop(HWND window, const char* name) { return orvia::GetIntProperty(window, name); }

// Slot 7: a banner below 26 becomes 26; everything else is stored as given.
// A status height of 0 or less means no status item.  The frame renders.
TEST(BadAttachSizes, AreStoredAsDocumented) {
    struct Row {
        const char* name;
        harness::AttachArgs args;
        std::int32_t banner, status, minWidth, minHeight;
        bool statusItem;
    };
    auto args = [](std::optional<std::int32_t> banner, std::optional<std::int32_t> status,
                   std::optional<std::int32_t> minWidth = std::nullopt,
                   std::optional<std::int32_t> minHeight = std::nullopt) {
        harness::AttachArgs a;
        a.bannerHeight = banner;
        a.statusHeight = status;
        a.minWidth = minWidth;
        a.minHeight = minHeight;
        return a;
    };
    const Row rows[] = {
        {"banner INT_MIN", args(INT_MIN, {}), 26, 26, 150, 100, true},
        {"banner -1", args(-1, {}), 26, 26, 150, 100, true},
        {"banner INT_MAX", args(INT_MAX, {}), INT_MAX, 26, 150, 100, true},
        {"status INT_MIN", args({}, INT_MIN), 80, INT_MIN, 150, 100, false},
        {"status -1", args({}, -1), 80, -1, 150, 100, false},
        {"status INT_MAX", args({}, INT_MAX), 80, INT_MAX, 150, 100, true},
        {"both INT_MAX", args(INT_MAX, INT_MAX), INT_MAX, INT_MAX, 150, 100, true},
        {"minimum size INT_MIN", args({}, {}, INT_MIN, INT_MIN), 80, 26, INT_MIN, INT_MIN, true},
        {"minimum size -1", args({}, {}, -1, -1), 80, 26, -1, -1, true},
        {"minimum size INT_MAX", args({}, {}, INT_MAX, INT_MAX), 80, 26, INT_MAX, INT_MAX, true},
    };
    bad_input::ParkPointer();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        harness::SkinnedFrame::Options o;
        o.attach = row.args;
        harness::SkinnedFrame frame(o);
        ASSERT_TRUE(frame.attached());
        EXPECT_EQ(Prop(frame, orvia::prop::kBannerHeight), row.banner);
        EXPECT_EQ(Prop(frame, orvia::prop::kStatusHeight), row.status);
        EXPECT_EQ(Prop(frame, orvia::prop::kMinWidth), row.minWidth);
        EXPECT_EQ(Prop(frame, orvia::prop::kMinHeight), row.minHeight);
        ASSERT_NE(frame.record(), nullptr);
        EXPECT_EQ(frame.record()->nStatusItem != 0, row.statusItem);
        EXPECT_EQ(frame.record()->nItemCount, row.statusItem ? 5 : 4) << "Close, Maximize, Restore, Minimize";
        EXPECT_NE(orvia::GetProperty(frame, orvia::prop::kCacheDC), 0) << "rendered";
        RECT rc{};
        GetWindowRect(frame, &rc);
        EXPECT_EQ(rc.right - rc.left, 400) << "the window keeps its size";
        EXPECT_EQ(rc.bottom - rc.top, 300);
    }
}

// A frame without a status band has no band below its client area: a
// double-click in the middle neither maximizes it nor does a press drag it,
// however far below zero the status height was given.
TEST(BadAttachSizes, NoStatusBandMeansNoDoubleClickBand) {
    bad_input::ParkPointer();
    for (const std::int32_t status : {-1, -100000, INT_MIN}) {
        SCOPED_TRACE(status);
        harness::SkinnedFrame::Options o;
        o.attach.statusHeight = status;
        harness::SkinnedFrame frame(o);
        ASSERT_EQ(orvia::GetProperty(frame, orvia::prop::kMaximizeBox), 1);
        PostMessageW(frame, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 150));
        harness::PumpMessages();
        EXPECT_FALSE(IsZoomed(frame));
        EXPECT_FALSE(orvia::InCaptionOrStatusBand(150, 300, 80, status));
    }
}

// A caption band as tall as the 32-bit range leaves no room for a page: the
// page window gets no height, and it is not thrown above the frame.
TEST(BadAttachSizes, ATallerBannerThanTheFrameLeavesThePageNoRoom) {
    bad_input::ParkPointer();
    harness::SkinnedFrame::Options o;
    o.attach.bannerHeight = INT_MAX;
    harness::SkinnedFrame frame(o);
    harness::TestWindow::Options borderless;  // so that the page's own border adds no height
    borderless.style = WS_POPUP;
    harness::TestWindow page(borderless);
    ASSERT_EQ(Skin()->methods->AddPage(Skin(), frame, "甲", {}, page.hwnd(), std::nullopt), 1);
    ASSERT_EQ(Skin()->methods->SelectPage(Skin(), frame, "甲"), 1);
    harness::PumpMessages();
    RECT frameRect{}, pageRect{};
    GetWindowRect(frame, &frameRect);
    GetWindowRect(page, &pageRect);
    EXPECT_EQ(pageRect.bottom - pageRect.top, 0);
    EXPECT_GE(pageRect.top, frameRect.top);
    const orvia::PageArea area = orvia::PageAreaOf(400, 300, INT_MAX, INT_MAX);
    EXPECT_EQ(area.y, INT_MAX);
    EXPECT_EQ(area.height, 0);
    // The side edges between the bands have no height either, and a status
    // band taller than the window starts above it, not below.
    EXPECT_LE(orvia::SideEdges(400, 300, INT_MAX, INT_MAX).left.height, 0);
    EXPECT_LT(orvia::StatusItemBox(400, 0, INT_MAX, false).top, 0);
}

// Slot 17: sizes are stored as given; the system never makes the window
// smaller than the minimum, and negative minimums count as none.
TEST(BadSizableSizes, AreStoredAsGiven) {
    bad_input::ParkPointer();
    for (const std::int32_t size : {INT_MIN, -1, 0, INT_MAX}) {
        SCOPED_TRACE(size);
        harness::SkinnedFrame frame;
        EXPECT_TRUE(Skin()->methods->SetSizable(Skin(), frame, size, size));
        EXPECT_EQ(Prop(frame, orvia::prop::kSizeBox), 1);
        EXPECT_EQ(Prop(frame, orvia::prop::kMinWidth), size);
        EXPECT_EQ(Prop(frame, orvia::prop::kMinHeight), size);
        EXPECT_NE(GetWindowLongPtrW(frame, GWL_STYLE) & WS_THICKFRAME, 0);
        MoveWindow(frame, 100, 100, 200, 160, TRUE);
        harness::PumpMessages();
        RECT rc{};
        GetWindowRect(frame, &rc);
        if (size == INT_MAX) {
            EXPECT_GE(rc.right - rc.left, 400) << "never made smaller than the minimum";
        } else {
            EXPECT_EQ(rc.right - rc.left, 200);
            EXPECT_EQ(rc.bottom - rc.top, 160);
        }
    }
}

// Slot 14 takes any kind, id, geometry and text: the item is appended as
// given.  Its bounds stop at the ends of the 32-bit range instead of
// wrapping, so an item at the far right edge is still hit there and
// nowhere else; an item of negative size is never hit.
TEST(BadFrameItem, IsAppendedAsGivenWithBoundsThatDoNotWrap) {
    struct Row {
        const char* name;
        std::int32_t kind, id, left, top, width, height;
        const char* text;
        std::optional<HICON> icon;
        RECT bounds;
        POINT inside;  // {INT_MIN, INT_MIN}: no point hits it
    };
    const POINT none{INT_MIN, INT_MIN};
    const auto fakeIcon = reinterpret_cast<HICON>(static_cast<std::intptr_t>(0x7F1234));
    const Row rows[] = {
        {"kind -1", -1, 0, 0, 0, 10, 10, "", std::nullopt, {0, 0, 10, 10}, {5, 5}},
        {"kind INT_MAX", INT_MAX, 0, 0, 0, 10, 10, "", std::nullopt, {0, 0, 10, 10}, {5, 5}},
        {"caption button id 99", orvia::kItemCaptionButton, 99, 0, 0, 10, 10, "", std::nullopt, {0, 0, 10, 10}, {5, 5}},
        {"negative width", orvia::kItemPageTab, 0, 10, 0, -20, 10, "", std::nullopt, {10, 0, -10, 10}, none},
        {"negative height", orvia::kItemPageTab, 0, 0, 10, 10, -20, "", std::nullopt, {0, 10, 10, -10}, none},
        {"right edge past INT_MAX", orvia::kItemPageTab, 0, INT_MAX - 5, 0, 60, 52, "", std::nullopt,
         {INT_MAX - 5, 0, INT_MAX, 52}, {INT_MAX - 2, 20}},
        {"bottom edge past INT_MIN", orvia::kItemPageTab, 0, 0, INT_MIN + 5, 60, -52, "", std::nullopt,
         {0, INT_MIN + 5, 60, INT_MIN}, none},
        {"null text", orvia::kItemStatus, 0, 0, 0, 1, 1, nullptr, std::nullopt, {0, 0, 1, 1}, none},
        {"1 MB text", orvia::kItemPageTab, 0, 0, 0, 1, 1, bad_input::MegabyteText().c_str(), std::nullopt,
         {0, 0, 1, 1}, {0, 0}},
        {"a lone lead byte", orvia::kItemPageTab, 0, 0, 0, 1, 1, bad_input::kLoneLeadByte, std::nullopt,
         {0, 0, 1, 1}, {0, 0}},
        {"a handle that names no icon", orvia::kItemPageTab, 0, 0, 0, 1, 1, "", fakeIcon, {0, 0, 1, 1}, {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        orvia::FrameRecord record;  // a record of no frame is changed all the same
        orvia::AddFrameItem(record, orvia::kItemCaptionButton, orvia::kButtonClose, 500, 500, 40, 19, "");
        EXPECT_EQ(Skin()->methods->AddFrameItem(Skin(), record, row.kind, row.id, row.left, row.top, row.width,
                                                row.height, row.text, row.icon),
                  2);
        ASSERT_EQ(record.nItemCount, 2);
        const orvia::FrameItem& item = record.Items[1];
        EXPECT_EQ(item.nIndex, 2);
        EXPECT_EQ(item.nKind, row.kind);
        EXPECT_EQ(item.nId, row.id);
        EXPECT_EQ(item.nLeft, row.left);
        EXPECT_EQ(item.nTop, row.top);
        EXPECT_EQ(item.nWidth, row.width);
        EXPECT_EQ(item.nHeight, row.height);
        EXPECT_EQ(item.sText, row.text ? row.text : "");
        EXPECT_EQ(item.hIcon, row.icon.value_or(nullptr));
        EXPECT_EQ(item.bOwnsIcon, 0);
        EXPECT_EQ(item.bVisible, 1);
        EXPECT_TRUE(EqualRect(&item.rcBounds, &row.bounds))
            << item.rcBounds.left << "," << item.rcBounds.top << "," << item.rcBounds.right << ","
            << item.rcBounds.bottom;
        const bool hittable = row.inside.x != INT_MIN && row.kind != orvia::kItemStatus;
        if (hittable) {
            EXPECT_EQ(orvia::HitTestItems(record, row.inside.x, row.inside.y), 2);
        }
        EXPECT_EQ(orvia::HitTestItems(record, 250, 250), -1) << "far from the item";
    }
}

// Slot 14 on a record whose count is out of step with its items: the items
// decide, and the count is put right.
TEST(BadFrameItem, ARecordWithAWrongCountIsPutRight) {
    for (const std::int32_t count : {-3, 0, 7}) {
        SCOPED_TRACE(count);
        orvia::FrameRecord record;
        orvia::AddFrameItem(record, orvia::kItemCaptionButton, orvia::kButtonClose, 0, 1, 40, 19, "");
        record.nItemCount = count;
        EXPECT_EQ(Skin()->methods->AddFrameItem(Skin(), record, orvia::kItemPageTab, 0, 5, 27, 60, 52, "甲",
                                                std::nullopt),
                  2);
        EXPECT_EQ(record.nItemCount, 2);
        EXPECT_EQ(record.Items.size(), 2u);
    }
}

// Slots 8 and 9 with an entry whose window is gone (its WM_DESTROY never
// reached the skin): the entry is passed over, the live frames are still
// redrawn and their children skinned, and the registry stays as it was.
TEST(DeadRegistryEntry, IsPassedOverBySlots8And9) {
    bad_input::ParkPointer();
    harness::SkinnedFrame live;
    harness::TestWindow::Options b;
    b.parent = live;
    b.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    b.className = L"Button";
    b.x = 20;
    b.y = 100;
    b.width = 80;
    b.height = 24;
    harness::TestWindow button(b);
    HWND dead = nullptr;
    {
        harness::TestWindow gone;
        dead = gone.hwnd();
    }
    // Registered by hand, as attaching would, and taken out again whatever happens.
    struct DeadEntry {
        HWND window;
        bool childSwitch = orvia::g_childControlSwitch;
        explicit DeadEntry(HWND w) : window(w) {
            auto record = std::make_unique<orvia::FrameRecord>();
            record->hWnd = w;
            orvia::AppendFrame(std::move(record));
        }
        ~DeadEntry() {
            orvia::RemoveFrame(window);
            orvia::g_childControlSwitch = childSwitch;
        }
    } entry(dead);
    const std::string registry = bad_input::DescribeRegistry();

    // A mark on the live frame's cache surface that only a full render paints over.
    HDC cache = reinterpret_cast<HDC>(orvia::GetProperty(live, orvia::prop::kCacheDC));
    ASSERT_NE(cache, nullptr);
    SetPixel(cache, 200, 150, RGB(1, 2, 3));
    Skin()->methods->RedrawAllFrames(Skin());
    cache = reinterpret_cast<HDC>(orvia::GetProperty(live, orvia::prop::kCacheDC));
    EXPECT_NE(GetPixel(cache, 200, 150), RGB(1, 2, 3)) << "the live frame was rendered again";

    Skin()->methods->SkinAllChildControls(Skin());
    EXPECT_EQ(orvia::GetIntProperty(button, orvia::prop::kWindowType), 5) << "the live frame's button was skinned";
    harness::PumpMessages();
    EXPECT_EQ(bad_input::DescribeRegistry(), registry);
}

}  // namespace
