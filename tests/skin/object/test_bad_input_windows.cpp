// Every slot that takes a window, given each kind of handle that names no
// skinned frame: the documented result, and everything else left as it was.
#include <gtest/gtest.h>

#include "skin/theme/embedded.h"
#include "tests/skin/object/test_bad_input_support.h"

namespace {

using bad_input::BadWindows;
using bad_input::Skin;

void Routine(std::int32_t, std::int32_t, std::int32_t) {}

// One call per row; `result` is what the slot returns (0 for the slots that
// return nothing).
struct Call {
    const char* slot;
    std::function<std::int64_t(const BadWindows&, HWND)> call;
    std::int64_t result;
};

// Slots 10 to 13 and 17 do nothing for every one of these handles.
TEST(BadWindow, SlotsThatNeedAFrameDoNothingAndReportFailure) {
    const std::vector<Call> calls = {
        {"10 SetStatusText",
         [](const BadWindows&, HWND w) {
             Skin()->methods->SetStatusText(Skin(), w, "新的");
             return 0;
         },
         0},
        {"11 AddPage",
         [](const BadWindows& ws, HWND w) {
             return Skin()->methods->AddPage(Skin(), w, "乙", orvia::embedded::DefaultPageIco(), ws.spare(),
                                             Routine);
         },
         0},
        {"12 SelectPage", [](const BadWindows&, HWND w) { return Skin()->methods->SelectPage(Skin(), w, "甲"); }, 0},
        {"13 RemovePage", [](const BadWindows&, HWND w) { return Skin()->methods->RemovePage(Skin(), w, "甲"); }, 0},
        {"17 SetSizable",
         [](const BadWindows&, HWND w) {
             return static_cast<std::int64_t>(Skin()->methods->SetSizable(Skin(), w, 300, 200));
         },
         0},
    };
    for (const Call& c : calls) {
        BadWindows windows;
        windows.CheckKinds();
        for (const BadWindows::Kind& kind : windows.kinds()) {
            SCOPED_TRACE(std::string(c.slot) + " with " + kind.name);
            const std::string before = windows.World();
            EXPECT_EQ(c.call(windows, kind.window), c.result);
            EXPECT_EQ(windows.World(), before);
        }
    }
}

// Slot 7 refuses what is not a window.  A child window is a window: it is
// attached like any other, and its parent frame stays as it was.  So is a
// window that has left the registry: it gets an entry of its own.
TEST(BadWindow, AttachSkinRefusesOnlyWhatIsNoWindow) {
    BadWindows windows;
    windows.CheckKinds();
    for (const BadWindows::Kind& kind : windows.kinds()) {
        const std::string name = kind.name;
        if (name == "an unregistered window") continue;  // the ordinary case
        SCOPED_TRACE(name);
        const bool isWindow = IsWindow(kind.window) != FALSE;
        const std::string before = windows.World();
        const std::string frameBefore =
            bad_input::DescribeRecord(*orvia::FindFrame(windows.frame())) + bad_input::DescribeWindow(windows.frame());
        EXPECT_EQ(harness::AttachThroughSkin(kind.window), isWindow);
        if (!isWindow) {
            EXPECT_EQ(windows.World(), before);
            continue;
        }
        harness::PumpMessages();
        const orvia::FrameRecord* own = orvia::FindFrame(kind.window);
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(own->hWnd, kind.window);
        EXPECT_EQ(bad_input::DescribeRecord(*orvia::FindFrame(windows.frame())) +
                      bad_input::DescribeWindow(windows.frame()),
                  frameBefore);
    }
}

// Slots 15 and 16 set their property on any window and on nothing else; a
// handle that is no window takes no property.
TEST(BadWindow, ClickRoutinesLandOnTheGivenWindowOnly) {
    struct Setter {
        const char* slot;
        void (*set)(orvia::OrviaSkin*, HWND, orvia::OrviaRoutine);
        const char* property;
    };
    const Setter setters[] = {
        {"15 SetHelpClickRoutine", orvia::DefaultSkinMethods().SetHelpClickRoutine, orvia::prop::kHelpClick},
        {"16 SetMainMenuClickRoutine", orvia::DefaultSkinMethods().SetMainMenuClickRoutine,
         orvia::prop::kMainMenuClick},
    };
    BadWindows windows;
    windows.CheckKinds();
    for (const Setter& s : setters) {
        for (const BadWindows::Kind& kind : windows.kinds()) {
            SCOPED_TRACE(std::string(s.slot) + " with " + kind.name);
            const std::string before = windows.World();
            s.set(Skin(), kind.window, Routine);
            if (IsWindow(kind.window)) {
                EXPECT_EQ(GetPropA(kind.window, s.property), reinterpret_cast<HANDLE>(&Routine));
                RemovePropA(kind.window, s.property);
            }
            EXPECT_EQ(windows.World(), before);
        }
    }
}

}  // namespace
