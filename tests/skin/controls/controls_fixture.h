// Shared by the child-control tests: a parent window that hands owner-draw
// requests to the skin the way a skinned frame does and records the
// notifications that its buttons send, plus pixel helpers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "skin/controls/button_paint.h"
#include "skin/controls/child_controls.h"
#include "skin/frame/registry.h"
#include "skin/theme/theme.h"
#include "tests/harness/harness.h"

namespace controls_test {

struct Notification {
    HWND from;
    WORD code;
    LRESULT checkSeen;  // BM_GETCHECK of the sender while the parent handles the notification
};

inline std::vector<Notification>& Notifications() {
    static std::vector<Notification> notifications;
    return notifications;
}

inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        return orvia::HandleOwnerDraw(window, message, wParam, lParam);
    case WM_COMMAND:
        if (lParam) {
            const HWND from = reinterpret_cast<HWND>(lParam);
            Notifications().push_back({from, HIWORD(wParam), SendMessageW(from, BM_GETCHECK, 0, 0)});
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The notifications with `code` that `from` sent.
inline std::vector<Notification> NotificationsFrom(HWND from, WORD code) {
    std::vector<Notification> out;
    for (const Notification& n : Notifications())
        if (n.from == from && n.code == code) out.push_back(n);
    return out;
}

inline harness::TestWindow::Options HostOptions() {
    harness::TestWindow::Options options;
    options.className = harness::TestWindowClass(L"ControlsTestHost", HostProc);
    options.style = WS_POPUP;
    options.width = 360;
    options.height = 240;
    options.text = L"Controls";
    return options;
}

inline HWND AddControl(HWND parent, const wchar_t* className, DWORD style, const wchar_t* text, int x, int y,
                       int width, int height, INT_PTR id = 0) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
}

inline HWND AddButton(HWND parent, DWORD style, const wchar_t* text, int x, int y, int width, int height,
                      INT_PTR id = 0) {
    return AddControl(parent, L"Button", style, text, x, y, width, height, id);
}

// Every test starts with the pointer far from its windows, so that no real
// mouse message changes a draw state behind its back.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1270, 1010);
        harness::PumpMessages();
        Notifications().clear();
    }
    void TearDown() override { harness::PumpMessages(); }
};

// Repaints `window` at once (through its own WM_PAINT) and reads back its
// client area from the screen.
inline harness::Pixels Repainted(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return harness::Pixels::FromWindow(window);
}

// The sprite-sheet rectangle as the theme holds it.
inline harness::Pixels SpriteCell(int x, int y, int width, int height) {
    return harness::Pixels::FromDC(orvia::g_theme->spriteDC, x, y, width, height);
}

// The first pixel where (ax, ay) of `a` and (bx, by) of `b` differ over a
// width × height block, as text; empty when they are equal.
inline std::string CompareBlock(const harness::Pixels& a, int ax, int ay, const harness::Pixels& b, int bx, int by,
                                int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) {
                char buffer[160];
                std::snprintf(buffer, sizeof buffer, "(%d, %d): %06lx against (%d, %d): %06lx", ax + x, ay + y,
                              a.At(ax + x, ay + y), bx + x, by + y, b.At(bx + x, by + y));
                return buffer;
            }
    return "";
}

}  // namespace controls_test
