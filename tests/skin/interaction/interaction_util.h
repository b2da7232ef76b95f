// Shared by the interaction tests: watching item redraws, a frame whose own
// window procedure records what the skin passes on to it, and posting mouse
// messages the way the system delivers them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/interaction/interaction.h"
#include "skin/render/render.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"

namespace interaction_test {

// Records every single-item redraw of the interaction code (and still
// performs it) while it exists.
class RefreshLog {
public:
    RefreshLog() {
        Entries().clear();
        previous_ = orvia::g_itemRefresher;
        orvia::g_itemRefresher = &Record;
    }
    ~RefreshLog() { orvia::g_itemRefresher = previous_; }
    RefreshLog(const RefreshLog&) = delete;
    RefreshLog& operator=(const RefreshLog&) = delete;

    // The indexes redrawn on `window`, in order; cleared by Clear().
    std::vector<std::int32_t> For(HWND window) const {
        std::vector<std::int32_t> out;
        for (const Entry& e : Entries())
            if (e.window == window) out.push_back(e.index);
        return out;
    }
    void Clear() { Entries().clear(); }

private:
    struct Entry {
        HWND window;
        std::int32_t index;
    };
    static std::vector<Entry>& Entries() {
        static std::vector<Entry> entries;
        return entries;
    }
    static void Record(HWND window, std::int32_t index) {
        Entries().push_back({window, index});
        orvia::RefreshItem(window, index);
    }
    orvia::ItemRefresher previous_ = nullptr;
};

// Messages that reached the frame's own window procedure, the one the skin
// calls as the previous procedure.
inline std::vector<harness::RecordedMessage>& PassedOn() {
    static std::vector<harness::RecordedMessage> messages;
    return messages;
}

inline LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE:
        PassedOn().push_back({window, message, wParam, lParam});
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

inline const wchar_t* OwnClass() { return harness::TestWindowClass(L"InteractionFrame", OwnProc); }

// Frame options with the recording class.
inline harness::SkinnedFrame::Options FrameOptions(const harness::AttachArgs& attach = {},
                                                   RECT rect = {100, 100, 500, 400}) {
    harness::SkinnedFrame::Options o;
    o.rect = rect;
    o.className = OwnClass();
    o.attach = attach;
    return o;
}

// Sits on top of the frame's procedure: records the messages in `swallowed`
// and does not pass them on (the system's move loop, or a system command
// that would close the frame), passes everything else on.
class Interceptor {
public:
    Interceptor(HWND window, std::vector<UINT> swallowed) : window_(window), swallowed_(std::move(swallowed)) {
        Self() = this;
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Interceptor::Proc)));
    }
    ~Interceptor() {
        if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        Self() = nullptr;
    }
    Interceptor(const Interceptor&) = delete;
    Interceptor& operator=(const Interceptor&) = delete;
    const std::vector<harness::RecordedMessage>& caught() const { return caught_; }
    void Clear() { caught_.clear(); }

private:
    static Interceptor*& Self() {
        static Interceptor* self = nullptr;
        return self;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Interceptor* self = Self();
        for (UINT m : self->swallowed_)
            if (m == message) {
                self->caught_.push_back({window, message, wParam, lParam});
                return 0;
            }
        return CallWindowProcW(self->previous_, window, message, wParam, lParam);
    }
    HWND window_;
    std::vector<UINT> swallowed_;
    WNDPROC previous_ = nullptr;
    std::vector<harness::RecordedMessage> caught_;
};

// Posts a mouse message at client point (x, y) and handles everything queued.
inline void Mouse(HWND window, UINT message, int x, int y, WPARAM keys = 0) {
    PostMessageW(window, message, keys, MAKELPARAM(x, y));
    harness::PumpMessages();
}
inline void Move(HWND window, int x, int y) { Mouse(window, WM_MOUSEMOVE, x, y); }
inline void Down(HWND window, int x, int y) { Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
inline void Up(HWND window, int x, int y) { Mouse(window, WM_LBUTTONUP, x, y); }
inline void Leave(HWND window) {
    PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    harness::PumpMessages();
}
inline void Click(HWND window, int x, int y) {
    Move(window, x, y);
    Down(window, x, y);
    Up(window, x, y);
}

// The centre of item `index` of a frame's record.
inline POINT CentreOf(const orvia::FrameRecord& record, std::int32_t index) {
    const RECT& rc = record.Items[static_cast<std::size_t>(index - 1)].rcBounds;
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The real pointer rests on the frame's caption band, away from every item
// and from page windows, so that the leave tracking the skin requests finds
// it inside the window and reports no leave that the test did not send.
inline void RestPointerInside(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    SetCursorPos(rc.left + 150, rc.top + 12);
    harness::PumpFor(30);
}

}  // namespace interaction_test
