#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "skin/frame/frame_window.h"
#include "skin/frame/registry.h"
#include "skin/object/orvia_skin.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"
#include "tests/skin/frame/frame_support.h"

namespace {

using namespace frame_test;
using harness::AttachArgs;
using orvia::FrameRecord;
namespace prop = orvia::prop;

constexpr std::int32_t kStatus = 0;  // the status item in the id lists below
constexpr std::int32_t kClose = orvia::kButtonClose, kRestore = orvia::kButtonRestore,
                       kMaximize = orvia::kButtonMaximize, kMinimize = orvia::kButtonMinimize,
                       kMainMenu = orvia::kButtonMainMenu, kHelp = orvia::kButtonHelp;

AttachArgs ApplicationCall() {
    AttachArgs a;
    a.minimizeBox = true;
    a.maximizeBox = a.helpButton = a.mainMenuButton = a.sizable = false;
    return a;
}

struct AttachCase {
    const char* name;
    DWORD style;
    AttachArgs args;
    bool greySystemMaximize;
    std::vector<std::int32_t> ids;            // item ids in item order; kStatus for the status item
    std::vector<std::int32_t> visible;        // bVisible of each item
    std::int32_t banner, status;
    std::int32_t maximizeBox, sizeBox, minWidth, minHeight;
};

AttachArgs With(void (*set)(AttachArgs&)) {
    AttachArgs a;
    set(a);
    return a;
}

const DWORD kPopup = WS_POPUP | WS_SYSMENU;

const AttachCase kCases[] = {
    {"all defaults", WS_OVERLAPPEDWINDOW, {}, false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 80, 26, 1, 0, 150, 100},
    {"the application's own call", WS_OVERLAPPEDWINDOW, ApplicationCall(), false,
     {kClose, kMinimize, kStatus}, {1, 1, 1}, 80, 26, 0, 0, 150, 100},
    {"banner 10 becomes 26", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.bannerHeight = 10; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 26, 26, 1, 0, 150, 100},
    {"banner 26 stays", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.bannerHeight = 26; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 26, 26, 1, 0, 150, 100},
    {"a negative banner becomes 26", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.bannerHeight = -40; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 26, 26, 1, 0, 150, 100},
    {"a tall banner stays", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.bannerHeight = 200; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 200, 26, 1, 0, 150, 100},
    {"status 0: no status item", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.statusHeight = 0; }), false,
     {kClose, kMaximize, kRestore, kMinimize}, {1, 1, 0, 1}, 80, 0, 1, 0, 150, 100},
    {"a negative status is stored as given", WS_OVERLAPPEDWINDOW,
     With([](AttachArgs& a) { a.statusHeight = -3; }), false,
     {kClose, kMaximize, kRestore, kMinimize}, {1, 1, 0, 1}, 80, -3, 1, 0, 150, 100},
    {"help and main menu", WS_OVERLAPPEDWINDOW,
     With([](AttachArgs& a) { a.helpButton = a.mainMenuButton = true; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kMainMenu, kHelp, kStatus}, {1, 1, 0, 1, 1, 1, 1}, 80, 26, 1, 0,
     150, 100},
    {"sizable", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.sizable = true; }), false,
     {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 80, 26, 1, 1, 150, 100},
    {"minimum size given", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.minWidth = 320, a.minHeight = 240; }),
     false, {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 80, 26, 1, 0, 320, 240},
    {"minimum size given as 0", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.minWidth = 0, a.minHeight = 0; }),
     false, {kClose, kMaximize, kRestore, kMinimize, kStatus}, {1, 1, 0, 1, 1}, 80, 26, 1, 0, 0, 0},
    {"minimize refused", WS_OVERLAPPEDWINDOW, With([](AttachArgs& a) { a.minimizeBox = false; }), false,
     {kClose, kMaximize, kRestore, kStatus}, {1, 1, 0, 1}, 80, 26, 1, 0, 150, 100},
    {"system-menu Maximize greyed", WS_OVERLAPPEDWINDOW, {}, true,
     {kClose, kMinimize, kStatus}, {1, 1, 1}, 80, 26, 0, 0, 150, 100},
    {"popup without boxes", kPopup, {}, false, {kClose, kStatus}, {1, 1}, 80, 26, 0, 0, 150, 100},
    {"maximize box alone does not give the pair", kPopup | WS_MAXIMIZEBOX, {}, false,
     {kClose, kStatus}, {1, 1}, 80, 26, 0, 0, 150, 100},
    {"pair asked for on a popup", kPopup, With([](AttachArgs& a) { a.maximizeBox = true; }), false,
     {kClose, kMaximize, kRestore, kStatus}, {1, 1, 0, 1}, 80, 26, 1, 0, 150, 100},
};

TEST(AttachSkin, ItemsPropertiesAndStylesFollowTheArguments) {
    for (const AttachCase& c : kCases) {
        SCOPED_TRACE(c.name);
        harness::TestWindow window({.style = c.style, .show = false});
        if (c.greySystemMaximize) EnableMenuItem(GetSystemMenu(window, FALSE), SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
        const std::int32_t before = orvia::g_registryCount;
        ASSERT_TRUE(harness::AttachThroughSkin(window, c.args));

        FrameRecord* record = orvia::FindFrame(window);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(orvia::g_registryCount, before + 1);
        EXPECT_EQ(Prop(window, prop::kDuiIndex), orvia::g_registryCount);
        EXPECT_EQ(record->hWnd, window.hwnd());
        ASSERT_EQ(record->nItemCount, static_cast<std::int32_t>(c.ids.size()));
        ASSERT_EQ(record->Items.size(), c.ids.size());
        std::int32_t statusIndex = 0;
        for (std::size_t i = 0; i < c.ids.size(); ++i) {
            const orvia::FrameItem& item = record->Items[i];
            const bool isStatus = c.ids[i] == kStatus;
            if (isStatus) statusIndex = static_cast<std::int32_t>(i + 1);
            EXPECT_EQ(item.nKind, isStatus ? orvia::kItemStatus : orvia::kItemCaptionButton) << "item " << i + 1;
            EXPECT_EQ(item.nId, c.ids[i]) << "item " << i + 1;
            EXPECT_EQ(item.nIndex, static_cast<std::int32_t>(i + 1));
            // The renderer lays the status item out anew; buttons keep their size.
            if (!isStatus) {
                EXPECT_EQ(item.nWidth, c.ids[i] == kClose ? 40 : 27) << "item " << i + 1;
                EXPECT_EQ(item.nHeight, 19);
            }
            EXPECT_EQ(item.sText, "");
            EXPECT_EQ(item.bVisible, c.visible[i]) << "item " << i + 1;
        }
        EXPECT_EQ(record->nStatusItem, statusIndex);
        EXPECT_EQ(record->nHotItem, -1);
        EXPECT_EQ(record->nPressedItem, -1);
        EXPECT_EQ(record->nNextTabLeft, 5);
        EXPECT_EQ(record->nPageCount, 0);

        EXPECT_EQ(Prop(window, prop::kBannerHeight), c.banner);
        EXPECT_EQ(Prop(window, prop::kStatusHeight), c.status);
        EXPECT_EQ(Prop(window, prop::kMaximizeBox), c.maximizeBox);
        EXPECT_EQ(Prop(window, prop::kSizeBox), c.sizeBox);
        EXPECT_EQ(Prop(window, prop::kMinWidth), c.minWidth);
        EXPECT_EQ(Prop(window, prop::kMinHeight), c.minHeight);
        EXPECT_EQ(Prop(window, prop::kMaximize), 0);

        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, 0) << "no system caption";
        EXPECT_EQ(style & WS_THICKFRAME, 0) << "no system border, sizable or not";
        EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
        EXPECT_EQ(style & WS_MINIMIZEBOX, WS_MINIMIZEBOX) << "set with or without a Minimize button";
        if (c.maximizeBox) {
            EXPECT_EQ(style & WS_MAXIMIZEBOX, WS_MAXIMIZEBOX);
        }
        EXPECT_EQ(style & WS_POPUP, static_cast<LONG_PTR>(c.style & WS_POPUP)) << "other bits are kept";

        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&orvia::FrameWindowProc));
        EXPECT_NE(orvia::GetProperty(window, prop::kWndProc), 0);
    }
}

TEST(AttachSkin, AWindowMaximizedAtAttachShowsRestore) {
    harness::TestWindow window;
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window));
    ASSERT_TRUE(harness::AttachThroughSkin(window));
    FrameRecord* record = orvia::FindFrame(window);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Items[1].bVisible, 0) << "Maximize hidden";
    EXPECT_EQ(record->Items[2].bVisible, 1) << "Restore shown";
    EXPECT_EQ(Prop(window, prop::kMaximize), 1);
}

TEST(AttachSkin, ASecondAttachOnlyChangesTheHeights) {
    harness::SkinnedFrame frame;
    FrameRecord* record = frame.record();
    ASSERT_NE(record, nullptr);
    const std::int32_t count = orvia::g_registryCount;
    const LONG_PTR style = GetWindowLongPtrW(frame, GWL_STYLE);
    const LONG_PTR procedure = GetWindowLongPtrW(frame, GWLP_WNDPROC);
    const LONG_PTR previous = orvia::GetProperty(frame, prop::kWndProc);

    AttachArgs again;
    again.bannerHeight = 120;
    again.statusHeight = 40;
    again.sizable = again.helpButton = true;
    again.minimizeBox = false;
    again.minWidth = 500;
    ASSERT_TRUE(harness::AttachThroughSkin(frame, again));
    EXPECT_EQ(Prop(frame, prop::kBannerHeight), 120);
    EXPECT_EQ(Prop(frame, prop::kStatusHeight), 40);
    EXPECT_EQ(orvia::g_registryCount, count) << "no second entry";
    EXPECT_EQ(frame.record(), record);
    EXPECT_EQ(record->nItemCount, 5) << "no second set of buttons";
    EXPECT_EQ(Prop(frame, prop::kSizeBox), 0);
    EXPECT_EQ(Prop(frame, prop::kMinWidth), 150);
    EXPECT_EQ(GetWindowLongPtrW(frame, GWL_STYLE), style);
    EXPECT_EQ(GetWindowLongPtrW(frame, GWLP_WNDPROC), procedure);
    EXPECT_EQ(orvia::GetProperty(frame, prop::kWndProc), previous) << "never subclassed twice";
}

// A full render replaces the cache bitmap, so its handle tells whether the
// attach rendered with force.  Needs the frame rendering of this build.
TEST(AttachSkin, ChangedHeightsForceARenderAndUnchangedOnesDoNot) {
    harness::SkinnedFrame frame;
    const LONG_PTR first = orvia::GetProperty(frame, prop::kCacheBitmap);
    if (!first) GTEST_SKIP() << "frames are not rendered in this build";

    ASSERT_TRUE(harness::AttachThroughSkin(frame));
    EXPECT_EQ(orvia::GetProperty(frame, prop::kCacheBitmap), first) << "same heights, same size: no render";
    AttachArgs taller;
    taller.bannerHeight = 100;
    ASSERT_TRUE(harness::AttachThroughSkin(frame, taller));
    EXPECT_NE(orvia::GetProperty(frame, prop::kCacheBitmap), first) << "a new banner height renders anew";
}

TEST(AttachSkin, LeavesTheWholeWindowToBeRepainted) {
    harness::TestWindow window;
    harness::PumpMessages();
    ValidateRect(window, nullptr);
    ASSERT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    ASSERT_TRUE(harness::AttachThroughSkin(window));
    RECT update{}, client{};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&update, &client));
}

TEST(AttachSkin, RefusesWhatIsNotAWindow) {
    const std::int32_t count = orvia::g_registryCount;
    EXPECT_FALSE(harness::AttachThroughSkin(nullptr));
    EXPECT_FALSE(harness::AttachThroughSkin(reinterpret_cast<HWND>(0x4321)));
    harness::TestWindow window;
    HWND gone = window.hwnd();
    window.Destroy();
    EXPECT_FALSE(harness::AttachThroughSkin(gone));
    EXPECT_EQ(orvia::g_registryCount, count);
}

LRESULT CALLBACK ChildWalkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return orvia::CallPreviousProc(window, message, wParam, lParam);
}

TEST(AttachSkin, AnAlreadySubclassedWindowIsRegisteredButKeepsItsProcedure) {
    harness::TestWindow window;
    orvia::SubclassOnce(window, ChildWalkProc);
    ASSERT_TRUE(harness::AttachThroughSkin(window));
    EXPECT_NE(orvia::FindFrame(window), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ChildWalkProc));
    // Without the frame procedure nothing takes it out of the registry.
    ASSERT_TRUE(orvia::RemoveFrame(window));
}

// Once the application has asked for skinned child controls, every frame
// attached afterwards gets them too.
TEST(AttachSkin, SkinsTheChildControlsWhileTheSwitchIsOn) {
    const bool saved = orvia::g_childControlSwitch;
    for (const bool on : {false, true}) {
        orvia::g_childControlSwitch = on;
        harness::TestWindow window;
        harness::TestWindow button({.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                    .parent = window.hwnd(),
                                    .className = L"Button",
                                    .text = L"OK"});
        ASSERT_TRUE(harness::AttachThroughSkin(window));
        EXPECT_EQ(GetPropA(button, prop::kWndProc) != nullptr, on) << "switch " << on;
        EXPECT_EQ(Prop(button, prop::kWindowType), on ? 5 : 0) << "switch " << on;
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&orvia::FrameWindowProc))
            << "the frame keeps its own procedure";
    }
    orvia::g_childControlSwitch = saved;
}

TEST(SetSizable, DefaultsGiveTheFrameAMinimumSizeAndAThickFrame) {
    harness::SkinnedFrame frame;
    orvia::OrviaSkin* skin = orvia::g_skin;
    ASSERT_TRUE(skin->methods->SetSizable(skin, frame, std::nullopt, std::nullopt));
    EXPECT_EQ(Prop(frame, prop::kSizeBox), 1);
    EXPECT_EQ(Prop(frame, prop::kMinWidth), 150);
    EXPECT_EQ(Prop(frame, prop::kMinHeight), 100);
    EXPECT_TRUE(GetWindowLongPtrW(frame, GWL_STYLE) & WS_THICKFRAME);

    MINMAXINFO info{};
    SendMessageW(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 150);
    EXPECT_EQ(info.ptMinTrackSize.y, 100);

    ASSERT_TRUE(skin->methods->SetSizable(skin, frame, 640, 0));
    EXPECT_EQ(Prop(frame, prop::kMinWidth), 640);
    EXPECT_EQ(Prop(frame, prop::kMinHeight), 0) << "a given 0 is not the default";
}

TEST(SetSizable, AnUnregisteredWindowIsRefusedAndLeftAlone) {
    orvia::OrviaSkin* skin = orvia::g_skin;
    harness::TestWindow plain({.style = WS_POPUP | WS_SYSMENU});
    EXPECT_FALSE(skin->methods->SetSizable(skin, plain, std::nullopt, std::nullopt));
    EXPECT_FALSE(skin->methods->SetSizable(skin, nullptr, 200, 200));
    EXPECT_EQ(GetPropA(plain, prop::kSizeBox), nullptr);
    EXPECT_EQ(GetPropA(plain, prop::kMinWidth), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(plain, GWL_STYLE) & WS_THICKFRAME);

    harness::SkinnedFrame frame;
    HWND gone = frame.hwnd();
    frame.Destroy();
    EXPECT_FALSE(skin->methods->SetSizable(skin, gone, std::nullopt, std::nullopt)) << "a destroyed frame";
}

}  // namespace
