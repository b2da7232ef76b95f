// Where a window lies relative to another one (null: the screen).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace test_place {

inline RECT RectIn(HWND window, HWND reference) {
    RECT rc{};
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

inline void ExpectPlace(HWND window, HWND reference, int x, int y, int width, int height) {
    const RECT rc = RectIn(window, reference);
    EXPECT_EQ(rc.left, x);
    EXPECT_EQ(rc.top, y);
    EXPECT_EQ(rc.right - rc.left, width);
    EXPECT_EQ(rc.bottom - rc.top, height);
}

}  // namespace test_place
