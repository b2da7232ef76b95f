#include "app/browser_menu.h"

#include <windowsx.h>

#include <algorithm>

#include "app/query_page.h"
#include "forms/form_layer.h"

namespace tovrin {

HookTable* g_hookTable = nullptr;

namespace {

void HookOne(HWND window, orvia::OrviaRoutine callback) {
    HookEntry existing;
    if (FindHookEntry(window, existing)) return;
    // The wide function keeps a Unicode window Unicode.  When it fails the
    // window is recorded all the same: its procedure was not replaced, so
    // the recorded 0 is never called.
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWindowProc));
    g_hookTable->entries.push_back({window, reinterpret_cast<WNDPROC>(previous), callback});
}

void Unhook(HWND window) {
    if (!g_hookTable) return;
    auto& entries = g_hookTable->entries;
    auto it = std::find_if(entries.begin(), entries.end(),
                           [window](const HookEntry& e) { return e.hookedWindow == window; });
    if (it != entries.end()) entries.erase(it);
}

LRESULT PassOn(const HookEntry& entry, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A window that is not (or no longer) in the table still gets an answer.
    if (!entry.previousProc) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(entry.previousProc, window, message, wParam, lParam);
}

LRESULT OnRightButtonDown(const HookEntry& entry, LPARAM lParam) {
    if (entry.callback) entry.callback(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0);
    return 0;
}

// The window is going: its entry goes after the previous procedure has seen
// the message, so that a later window with the same handle value is hooked.
LRESULT OnFinalDestroy(const HookEntry& entry, HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = PassOn(entry, window, WM_NCDESTROY, wParam, lParam);
    Unhook(window);
    return result;
}

}  // namespace

void NewHookTable() { g_hookTable = new HookTable; }

void FreeHookTable() {
    delete g_hookTable;
    g_hookTable = nullptr;
}

bool FindHookEntry(HWND window, HookEntry& copy) {
    copy = {};
    if (!g_hookTable) return false;
    for (const HookEntry& e : g_hookTable->entries) {
        if (e.hookedWindow == window) {
            copy = e;
            return true;
        }
    }
    return false;
}

void HookWindowTree(HWND window, orvia::OrviaRoutine callback) {
    // A null handle would make FindWindowExW walk the desktop's windows.
    if (!g_hookTable || !IsWindow(window)) return;
    HookOne(window, callback);
    for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
         child = FindWindowExW(window, child, nullptr, nullptr))
        HookWindowTree(child, callback);
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A copy: the callback may run a modal loop during which the table grows.
    HookEntry entry;
    FindHookEntry(window, entry);
    switch (message) {
    case WM_RBUTTONDOWN: return OnRightButtonDown(entry, lParam);
    case WM_RBUTTONUP: return 0;
    case WM_NCDESTROY: return OnFinalDestroy(entry, window, wParam, lParam);
    default: return PassOn(entry, window, message, wParam, lParam);
    }
}

void OnDocumentLoaded() {
    HookWindowTree(forms::ControlHandle(forms::WindowHandle(kQueryPageName), kBrowserName), ShowBrowserMenu);
}

void ShowBrowserMenu(std::int32_t, std::int32_t, std::int32_t) {
    POINT cursor{};
    GetCursorPos(&cursor);
    forms::PopUpMenu(forms::WindowHandle(kQueryPageName), kMenuName, cursor);
}

}  // namespace tovrin
