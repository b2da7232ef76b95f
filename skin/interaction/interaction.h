// Mouse interaction with a frame's items, and its page windows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/skin_types.h"

namespace orvia {

// The mouse messages of a skinned frame (move, left button, double-click, leave).
LRESULT HandleFrameMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The hover and press transitions of a move or button message at (x, y); on
// a completed click also the item's action.  True when the point lies on an
// item that counts as hit (the status text never does).
bool UpdateItemStates(HWND window, UINT message, std::int32_t x, std::int32_t y);
// The pointer has left the frame.
void ClearItemStates(HWND window);
// Carries out the action of item `index`: a posted system command, an event
// routine, or a page switch.  An index that names no item does nothing.
void ClickItem(HWND window, std::int32_t index);
// Calls the routine whose address the window property `propertyName` holds, if any.
void FireFrameEvent(HWND window, const char* propertyName);
// Calls an application routine with three zero arguments; null is not called.
void CallRoutine(OrviaRoutine routine);

// Moves the frame's current page window into the area between its caption
// band and status band.  A page window that is the frame itself or one of its
// ancestors is never moved, adopted, shown or hidden (AddPage treats it like none).
void PlacePageWindow(HWND window);
// Makes the page window of tab `index` the frame's current one and hides the
// page windows of all other tabs.
void ShowPage(HWND window, std::int32_t index);
// Re-places the visible tabs from the left and redraws the tab strip.
void RelayoutTabs(HWND window);

// Every single-item redraw of this subsystem goes through this pointer
// (RefreshItem unless replaced), so that a test can see which items were
// redrawn and in which order.
using ItemRefresher = void (*)(HWND window, std::int32_t index);
extern ItemRefresher g_itemRefresher;

}  // namespace orvia
