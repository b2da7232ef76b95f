// Mouse interaction with a frame's items, and its page windows.
#pragma once

#include <windows.h>

namespace orvia {

// The mouse messages of a skinned frame (move, left button, double-click, leave).
LRESULT HandleFrameMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the frame's current page window into the area between its caption
// band and status band.
void PlacePageWindow(HWND window);

}  // namespace orvia
