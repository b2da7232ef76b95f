// A window class whose own procedure stands for "the previous procedure" of a
// skinned frame: it records what reaches it, can answer chosen messages
// itself (so that no system sizing loop or default action runs), and notes
// the state of the window when WM_DESTROY arrives.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

#include "skin/frame/registry.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"

namespace frame_test {

struct DestroySeen {
    HWND window;
    LONG_PTR procedure;       // the window procedure installed while WM_DESTROY is handled
    std::int32_t position;    // the window's registry position by handle, 0 when gone
};

struct PreviousProcSpy {
    std::vector<harness::RecordedMessage> messages;
    std::map<UINT, LRESULT> answers;  // messages answered here instead of by DefWindowProcW
    std::vector<DestroySeen> destroys;

    // The messages that reached the previous procedure of `window`, in order.
    std::vector<harness::RecordedMessage> Of(HWND window, std::initializer_list<UINT> ids = {}) const {
        std::vector<harness::RecordedMessage> out;
        for (const auto& m : messages) {
            if (m.window != window) continue;
            bool wanted = ids.size() == 0;
            for (UINT id : ids) wanted = wanted || m.message == id;
            if (wanted) out.push_back(m);
        }
        return out;
    }
    bool Saw(HWND window, UINT message) const { return !Of(window, {message}).empty(); }
};

inline PreviousProcSpy& Spy() {
    static PreviousProcSpy spy;
    return spy;
}

inline LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PreviousProcSpy& spy = Spy();
    spy.messages.push_back({window, message, wParam, lParam});
    if (message == WM_DESTROY)
        spy.destroys.push_back({window, GetWindowLongPtrW(window, GWLP_WNDPROC), orvia::FindFrameByHandle(window)});
    if (auto it = spy.answers.find(message); it != spy.answers.end()) return it->second;
    return DefWindowProcW(window, message, wParam, lParam);
}

inline const wchar_t* SpyClass() { return harness::TestWindowClass(L"FramePreviousProcSpy", SpyProc); }

// Options of a skinned frame whose previous procedure is the spy.
inline harness::SkinnedFrame::Options SpiedFrame(harness::AttachArgs attach = {}) {
    harness::SkinnedFrame::Options o;
    o.className = SpyClass();
    o.attach = attach;
    return o;
}

// Every test starts with an empty spy and leaves no answers behind.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { Spy() = {}; }
    void TearDown() override { Spy() = {}; }
};

inline std::int32_t Prop(HWND window, const char* name) { return orvia::GetIntProperty(window, name); }

}  // namespace frame_test
