// Popup menus are modal: while one is open, the test looks at it from a
// thread timer (the menu's own loop dispatches timers) and then closes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_menu {

// What the timer saw of the open menu.
struct Seen {
    bool open = false;
    RECT rect{};                      // the menu window, screen coordinates
    HMENU menu = nullptr;             // the menu it shows
    std::vector<std::wstring> items;  // its item texts
};

// Keys to press once the menu has been seen; none closes it with Esc.
inline std::vector<WORD>& KeysToPress() {
    static std::vector<WORD> keys;
    return keys;
}

inline Seen& LastSeen() {
    static Seen seen;
    return seen;
}

inline BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

inline void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&window));
    if (!window) return;
    KillTimer(nullptr, timer);
    Seen& seen = LastSeen();
    seen.open = true;
    GetWindowRect(window, &seen.rect);
    seen.menu = reinterpret_cast<HMENU>(SendMessageW(window, 0x01E1 /* MN_GETHMENU */, 0, 0));
    for (int i = 0; seen.menu && i < GetMenuItemCount(seen.menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(seen.menu, i, text, 64, MF_BYPOSITION);
        seen.items.push_back(text);
    }
    std::vector<WORD> keys = KeysToPress();
    if (keys.empty()) keys = {VK_ESCAPE};
    for (WORD key : keys) {
        PostMessageW(window, WM_KEYDOWN, key, 0);
        PostMessageW(window, WM_KEYUP, key, 0);
    }
}

// Call before the code that opens the menu; `keys` are pressed in the menu
// once it has been seen (Esc when empty).  Returns the timer, for KillTimer
// once the menu code has returned (in case no menu ever opened).
inline UINT_PTR WatchNextMenu(std::vector<WORD> keys = {}) {
    LastSeen() = {};
    KeysToPress() = std::move(keys);
    return SetTimer(nullptr, 0, 20, LookAndClose);
}

}  // namespace test_menu
