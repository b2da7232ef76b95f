// A skinned frame for tests: a real top-level window made a frame through the
// skin object's AttachSkin, destroyed when the fixture goes away.
//
//   harness::SkinnedFrame frame;                          // 400 × 300 at (100, 100), all defaults
//   harness::SkinnedFrame::Options o;
//   o.rect = {0, 0, 640, 480};
//   o.attach.sizable = true;
//   harness::SkinnedFrame sizable(o);
//   orvia::FrameRecord* record = sizable.record();        // null once destroyed
//
// Needs the process-wide objects (link tests/harness/skin_environment.cpp).
// Header only, so that any test program of the skin can use it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/frame/registry.h"
#include "skin/object/orvia_skin.h"
#include "tests/harness/harness.h"

namespace harness {

// The optional arguments of AttachSkin; a field left empty is omitted.
struct AttachArgs {
    std::optional<std::int32_t> bannerHeight;
    std::optional<std::int32_t> statusHeight;
    std::optional<bool> minimizeBox;
    std::optional<bool> maximizeBox;
    std::optional<bool> helpButton;
    std::optional<bool> mainMenuButton;
    std::optional<bool> sizable;
    std::optional<std::int32_t> minWidth;
    std::optional<std::int32_t> minHeight;
};

// AttachSkin through the skin object's table.
inline bool AttachThroughSkin(HWND window, const AttachArgs& a = {}) {
    orvia::OrviaSkin* skin = orvia::g_skin;
    return skin->methods->AttachSkin(skin, window, a.bannerHeight, a.statusHeight, a.minimizeBox, a.maximizeBox,
                                     a.helpButton, a.mainMenuButton, a.sizable, a.minWidth, a.minHeight);
}

class SkinnedFrame {
public:
    struct Options {
        RECT rect{100, 100, 500, 400};  // window rectangle, screen coordinates
        DWORD style = WS_OVERLAPPEDWINDOW;
        const wchar_t* className = nullptr;  // the window's own procedure: TestWindowClass() when null
        bool show = true;                    // shown (not activated) before attaching
        AttachArgs attach;
    };

    SkinnedFrame() : SkinnedFrame(Options{}) {}
    explicit SkinnedFrame(const Options& o) : window_(WindowOptions(o)) {
        attached_ = AttachThroughSkin(window_, o.attach);
        PumpMessages();
    }
    SkinnedFrame(const SkinnedFrame&) = delete;
    SkinnedFrame& operator=(const SkinnedFrame&) = delete;

    HWND hwnd() const { return window_.hwnd(); }
    operator HWND() const { return window_.hwnd(); }
    // AttachSkin's result.
    bool attached() const { return attached_; }
    // The frame's registry record through its DUI index; null when it has none.
    orvia::FrameRecord* record() const { return orvia::FindFrame(window_.hwnd()); }
    // Destroys the window now (WM_DESTROY leaves the registry) and pumps.
    void Destroy() {
        window_.Destroy();
        PumpMessages();
    }

private:
    static TestWindow::Options WindowOptions(const Options& o) {
        TestWindow::Options w;
        w.x = o.rect.left;
        w.y = o.rect.top;
        w.width = o.rect.right - o.rect.left;
        w.height = o.rect.bottom - o.rect.top;
        w.style = o.style;
        w.className = o.className;
        w.show = o.show;
        return w;
    }

    TestWindow window_;
    bool attached_ = false;
};

}  // namespace harness
