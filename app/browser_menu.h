// The program's own menu over the web page.  The browser control shows its
// own context menu on a right-click and keeps each document in child windows
// that it creates and replaces as documents load; so every window of the
// control's tree is subclassed (hooked), and the hook turns a right-button
// press into a call of the program's routine and keeps both right-button
// messages from the browser.  Each finished document walks the tree again,
// which reaches the windows made for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/skin_types.h"

namespace tovrin {

struct HookEntry {
    HWND hookedWindow = nullptr;
    // The procedure in place when the window was hooked; messages the hook
    // does not finish go there.
    WNDPROC previousProc = nullptr;
    // Runs on a right-button press; null for none.
    orvia::OrviaRoutine callback = nullptr;
};

// One entry per live hooked window, in the order in which the windows were
// hooked.  An entry goes when its window is destroyed, so that a new window
// that gets the same handle value is hooked in its turn.
struct HookTable {
    std::vector<HookEntry> entries;
};

// The process-wide table; null before start-up creates it and after exit.
extern HookTable* g_hookTable;

void NewHookTable();
// Frees the table with its entries; windows still hooked stay hooked (at exit
// none is left).
void FreeHookTable();

// Hooks `window` and every window below it that is not hooked yet, depth
// first (a child's whole subtree before its next sibling), each with
// `callback`.  Windows already hooked keep their entry and callback.  Does
// nothing for a handle that is not a window, or without a table.
void HookWindowTree(HWND window, orvia::OrviaRoutine callback = nullptr);

// True when `window` is hooked; `copy` then receives its entry, otherwise an
// all-zero entry.
bool FindHookEntry(HWND window, HookEntry& copy);

// The procedure of every hooked window.
LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The browser control's "document loaded" handler: hooks the control's
// window tree with ShowBrowserMenu.
void OnDocumentLoaded();

// The right-click routine: pops up the page window's menu at the cursor.
// Its arguments (the click position in the clicked window and a 0) are not
// needed: the menu goes where the cursor is.
void ShowBrowserMenu(std::int32_t x, std::int32_t y, std::int32_t zero);

}  // namespace tovrin
