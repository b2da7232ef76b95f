#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/object/orvia_skin.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"
#include "tests/skin/frame/frame_support.h"

namespace {

using namespace frame_test;
using orvia::FrameItem;
using orvia::FrameRecord;
namespace prop = orvia::prop;

TEST(AddFrameItem, AFourthItemGetsIndexFourAndOnlyTheGivenFields) {
    FrameRecord record;
    for (int i = 0; i < 3; ++i) orvia::AddFrameItem(record, orvia::kItemCaptionButton, i + 1, 0, 1, 27, 19, "");
    record.Items[0].bHover = 1;
    record.Items[1].hPage = reinterpret_cast<HWND>(0x10);
    const FrameRecord before = record;

    char title[] = "\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf";  // 快递查询
    HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    orvia::OrviaSkin* skin = orvia::g_skin;
    const std::int32_t index =
        skin->methods->AddFrameItem(skin, record, orvia::kItemPageTab, 0, 5, 60, 62, 22, title, icon);
    title[0] = 'X';  // the item keeps its own copy

    EXPECT_EQ(index, 4);
    EXPECT_EQ(record.nItemCount, 4);
    ASSERT_EQ(record.Items.size(), 4u);
    const FrameItem& item = record.Items[3];
    EXPECT_EQ(item.nLeft, 5);
    EXPECT_EQ(item.nTop, 60);
    EXPECT_EQ(item.nWidth, 62);
    EXPECT_EQ(item.nHeight, 22);
    EXPECT_EQ(item.nKind, orvia::kItemPageTab);
    EXPECT_EQ(item.nId, 0);
    EXPECT_EQ(item.nIndex, 4);
    EXPECT_EQ(item.sText, "\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf");
    EXPECT_EQ(item.hIcon, icon);
    EXPECT_EQ(item.rcBounds.left, 5);
    EXPECT_EQ(item.rcBounds.top, 60);
    EXPECT_EQ(item.rcBounds.right, 67);
    EXPECT_EQ(item.rcBounds.bottom, 82);
    EXPECT_EQ(item.bVisible, 1);
    EXPECT_EQ(item.bHover, 0);
    EXPECT_EQ(item.bPressed, 0);
    EXPECT_EQ(item.bSelected, 0);
    EXPECT_EQ(item.hPage, nullptr);
    EXPECT_EQ(item.pfnOnClick, nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(record.Items[i].nIndex, i + 1) << "earlier items keep their places";
        EXPECT_EQ(record.Items[i].nId, before.Items[i].nId);
        EXPECT_EQ(record.Items[i].bHover, before.Items[i].bHover);
        EXPECT_EQ(record.Items[i].hPage, before.Items[i].hPage);
    }
    // The record's own counters are not items' business.
    EXPECT_EQ(record.nHotItem, -1);
    EXPECT_EQ(record.nPressedItem, -1);
    EXPECT_EQ(record.nNextTabLeft, 5);
    EXPECT_EQ(record.nStatusItem, 0);

    EXPECT_EQ(skin->methods->AddFrameItem(skin, record, orvia::kItemStatus, 0, 0, 1, 27, 19, nullptr, std::nullopt), 5);
    EXPECT_EQ(record.Items[4].sText, "") << "a null text is the empty text";
    EXPECT_EQ(record.Items[4].hIcon, nullptr) << "the icon defaults to none";
}

class ChangeWindowStyle : public FrameTest {};

TEST_F(ChangeWindowStyle, WritesOnlyWhenTheStyleChanges) {
    harness::TestWindow window;
    const LONG_PTR initial = GetWindowLongPtrW(window, GWL_STYLE);
    ASSERT_TRUE(initial & WS_CAPTION);
    ASSERT_FALSE(initial & WS_HSCROLL);
    struct Case {
        const char* name;
        std::optional<LONG_PTR> clear, set;
        bool writes;
        LONG_PTR style;
    };
    const Case cases[] = {
        {"both omitted", std::nullopt, std::nullopt, false, initial},
        {"clearing an absent bit", WS_HSCROLL, std::nullopt, false, initial},
        {"setting a present bit", std::nullopt, WS_CAPTION, false, initial},
        {"clearing and setting the same bit", WS_SYSMENU, WS_SYSMENU, false, initial},
        {"zero masks", 0, 0, false, initial},
        {"clearing the caption", WS_CAPTION, std::nullopt, true, initial & ~WS_CAPTION},
        {"setting it again", std::nullopt, WS_CAPTION, true, initial},
        {"both at once", WS_THICKFRAME, WS_HSCROLL, true, (initial & ~WS_THICKFRAME) | WS_HSCROLL},
    };
    harness::MessageRecorder recorder(window);
    for (const Case& c : cases) {
        recorder.Clear();
        EXPECT_EQ(orvia::ChangeWindowStyle(window, c.clear, c.set), c.writes) << c.name;
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE), c.style) << c.name;
        const auto writes = recorder.Only({WM_STYLECHANGING, WM_STYLECHANGED});
        EXPECT_EQ(writes.size(), c.writes ? 2u : 0u) << c.name << ": the style is written only when it changes";
    }
}

class SyncMaximizeButtons : public FrameTest {};

TEST_F(SyncMaximizeButtons, SwapsTheTwoButtonsBothWays) {
    harness::SkinnedFrame frame;  // all defaults: Close, Maximize, Restore, Minimize, Status
    FrameRecord* record = frame.record();
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(Prop(frame, prop::kMaximizeBox), 1);
    struct Step {
        std::optional<bool> maximized;
        std::int32_t maximizeVisible, restoreVisible, flag;
    };
    const Step steps[] = {{true, 0, 1, 1}, {false, 1, 0, 0}, {true, 0, 1, 1}, {std::nullopt, 1, 0, 0}};
    for (const Step& s : steps) {
        orvia::SyncMaximizeButtons(frame, s.maximized);
        EXPECT_EQ(record->Items[1].bVisible, s.maximizeVisible);
        EXPECT_EQ(record->Items[2].bVisible, s.restoreVisible);
        EXPECT_EQ(Prop(frame, prop::kMaximize), s.flag);
        EXPECT_EQ(record->Items[0].bVisible, 1) << "Close is never touched";
        EXPECT_EQ(record->Items[3].bVisible, 1) << "Minimize is never touched";
    }
    ShowWindow(frame, SW_MAXIMIZE);
    orvia::SyncMaximizeButtons(frame);  // omitted: the window's own state
    EXPECT_EQ(record->Items[2].bVisible, 1);
    EXPECT_EQ(Prop(frame, prop::kMaximize), 1);
}

TEST_F(SyncMaximizeButtons, DoesNothingWithoutThePairOrTheRegistration) {
    harness::AttachArgs appCall;
    appCall.minimizeBox = true;
    appCall.maximizeBox = appCall.helpButton = appCall.mainMenuButton = appCall.sizable = false;
    harness::SkinnedFrame frame({.attach = appCall});
    FrameRecord* record = frame.record();
    ASSERT_NE(record, nullptr);
    orvia::SyncMaximizeButtons(frame, true);
    for (const FrameItem& item : record->Items) EXPECT_EQ(item.bVisible, 1);
    EXPECT_EQ(GetPropA(frame, prop::kMaximize), nullptr);

    // A pair flag of another value than 1 counts as no pair.
    SetPropA(frame, prop::kMaximizeBox, reinterpret_cast<HANDLE>(2));
    orvia::SyncMaximizeButtons(frame, true);
    EXPECT_EQ(GetPropA(frame, prop::kMaximize), nullptr);

    harness::TestWindow plain;
    SetPropA(plain, prop::kMaximizeBox, reinterpret_cast<HANDLE>(1));
    orvia::SyncMaximizeButtons(plain, true);
    EXPECT_EQ(GetPropA(plain, prop::kMaximize), nullptr) << "an unregistered window is left alone";
}

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 7) return 0x5151;
    return orvia::CallPreviousProc(window, message, wParam, lParam);
}
LRESULT CALLBACK ThirdProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class Subclassing : public FrameTest {};

TEST_F(Subclassing, InstallsOnceAndPassesOnToThePreviousProcedure) {
    harness::TestWindow window({.className = SpyClass()});
    const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);

    orvia::SubclassOnce(window, OtherProc);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OtherProc));
    EXPECT_EQ(orvia::GetProperty(window, prop::kWndProc), original);
    orvia::SubclassOnce(window, ThirdProc);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OtherProc))
        << "a window is never subclassed twice";
    EXPECT_EQ(orvia::GetProperty(window, prop::kWndProc), original);
    EXPECT_TRUE(IsWindowUnicode(window));

    EXPECT_EQ(SendMessageW(window, WM_USER + 7, 0, 0), 0x5151);
    EXPECT_FALSE(Spy().Saw(window, WM_USER + 7));
    Spy().answers[WM_USER + 8] = 0x4242;
    EXPECT_EQ(SendMessageW(window, WM_USER + 8, 3, 4), 0x4242);
    EXPECT_EQ(harness::CompareMessages(Spy().Of(window, {WM_USER + 8}), {{WM_USER + 8, 3, 4}}), "");
}

TEST_F(Subclassing, WithoutAPreviousProcedureTheDefaultAnswers) {
    harness::TestWindow window({.className = SpyClass(), .text = L"seven!!"});
    Spy().answers[WM_GETTEXTLENGTH] = 99;
    EXPECT_EQ(orvia::CallPreviousProc(window, WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_FALSE(Spy().Saw(window, WM_GETTEXTLENGTH));
}

TEST(FrameLookup, OnlyIndexesWithinTheRegistryCountFindARecord) {
    harness::SkinnedFrame frame;
    ASSERT_NE(frame.record(), nullptr);
    EXPECT_EQ(frame.record()->hWnd, frame.hwnd());
    const std::int32_t index = Prop(frame, prop::kDuiIndex);
    for (LONG_PTR bad : {0L, -1L, static_cast<long>(orvia::g_registryCount) + 1}) {
        orvia::SetProperty(frame, prop::kDuiIndex, bad);
        EXPECT_EQ(orvia::FindFrame(frame), nullptr) << bad;
    }
    orvia::SetProperty(frame, prop::kDuiIndex, index);
    EXPECT_EQ(orvia::FindFrame(nullptr), nullptr);
    EXPECT_EQ(orvia::FindFrameByHandle(reinterpret_cast<HWND>(0x1234)), 0);
    EXPECT_FALSE(orvia::RemoveFrame(reinterpret_cast<HWND>(0x1234)));
}

// Three frames attached in order; destroying them in the given order must
// leave the survivors numbered 1, 2, ... in attach order after every step.
TEST(Renumbering, SurvivorsAreNumberedInAttachOrderAfterEveryDestroy) {
    const std::vector<std::vector<int>> orders = {{0, 1, 2}, {1, 0, 2}, {2, 1, 0}, {1, 2, 0}, {2, 0, 1}};
    const std::int32_t baseline = orvia::g_registryCount;
    for (const auto& order : orders) {
        std::vector<std::unique_ptr<harness::SkinnedFrame>> frames;
        for (int i = 0; i < 3; ++i) {
            harness::SkinnedFrame::Options o;
            o.rect = {100 + 30 * i, 100, 400 + 30 * i, 300};
            frames.push_back(std::make_unique<harness::SkinnedFrame>(o));
        }
        std::vector<int> alive = {0, 1, 2};
        for (int victim : order) {
            frames[victim]->Destroy();
            std::erase(alive, victim);
            ASSERT_EQ(orvia::g_registryCount, baseline + static_cast<std::int32_t>(alive.size()));
            for (std::size_t pos = 0; pos < alive.size(); ++pos) {
                HWND window = frames[alive[pos]]->hwnd();
                const std::int32_t expected = baseline + static_cast<std::int32_t>(pos) + 1;
                EXPECT_EQ(Prop(window, prop::kDuiIndex), expected)
                    << "frame " << alive[pos] << " after destroying " << victim;
                EXPECT_EQ(orvia::g_frameRegistry->records[expected - 1]->hWnd, window);
            }
        }
    }
    EXPECT_EQ(orvia::g_registryCount, baseline);
}

}  // namespace
