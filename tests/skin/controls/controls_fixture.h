// Shared by the child-control tests: a parent window that hands owner-draw
// requests to the skin the way a skinned frame does and records the
// notifications that its buttons send, plus pixel helpers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

// Where a painted image differs from the same button painted without text:
// the ink of its label.  Bounds are inclusive; empty when nothing differs.
struct Ink {
    bool any = false;
    int left = 0, top = 0, right = -1, bottom = -1;
    std::vector<std::vector<bool>> mask;  // [y][x]
};

inline Ink InkOf(const harness::Pixels& painted, const harness::Pixels& blank) {
    Ink ink;
    ink.mask.assign(painted.height(), std::vector<bool>(painted.width(), false));
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            if (painted.At(x, y) == blank.At(x, y)) continue;
            ink.mask[y][x] = true;
            if (!ink.any) {
                ink.any = true;
                ink.left = ink.right = x;
                ink.top = ink.bottom = y;
                continue;
            }
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

// Runs of neighbouring columns that hold ink (glyphs, or the dots of an
// ellipsis), left to right, each with the rows its ink spans.
struct InkRun {
    int left, right, top, bottom;
};

inline std::vector<InkRun> InkRuns(const Ink& ink) {
    std::vector<InkRun> runs;
    if (!ink.any) return runs;
    for (int x = ink.left; x <= ink.right; ++x) {
        int top = -1, bottom = -1;
        for (int y = ink.top; y <= ink.bottom; ++y)
            if (ink.mask[y][x]) {
                if (top < 0) top = y;
                bottom = y;
            }
        if (top < 0) continue;
        if (!runs.empty() && runs.back().right == x - 1) {
            runs.back().right = x;
            runs.back().top = std::min(runs.back().top, top);
            runs.back().bottom = std::max(runs.back().bottom, bottom);
        } else {
            runs.push_back({x, x, top, bottom});
        }
    }
    return runs;
}

}  // namespace controls_test
