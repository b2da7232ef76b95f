// The window procedure of every skinned frame, and the pure pieces of its
// non-client handling that can be checked without a window.
#pragma once

#include <windows.h>

namespace orvia {

// Installed by AttachSkin.  The whole window is client area; the skin does the
// edge sizing, cursors, maximized size and minimum tracking size itself and
// passes everything it does not finish to the previous procedure.
LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The repaint timer that redraws the side edges once more after activation changes.
inline constexpr UINT_PTR kRepaintTimerId = 5566;
inline constexpr UINT kRepaintTimerMs = 100;

// The sizing zone under `point` (screen coordinates) of a window at
// `windowRect`: the corners reach 10 pixels along each edge, the plain edges
// are 3 pixels deep.  HTNOWHERE when the point is in no zone or the window is
// not sizable.
LRESULT SizingHitTest(POINT point, const RECT& windowRect, bool sizeBox);

// The WMSZ_* edge that a sizing hit-test code drags (HTLEFT → WMSZ_LEFT ...),
// or 0 for every other code.
int SizingEdge(LRESULT hitTest);

// The system cursor (IDC_* number) shown over a hit-test code.
int CursorForHitTest(LRESULT hitTest);

// Fills the maximized size and position and the minimum tracking size: a
// maximized frame covers the work area of its monitor.  The position is
// relative to that monitor's top-left corner.  Other fields are untouched.
void FillMinMaxInfo(MINMAXINFO& info, const RECT& monitor, const RECT& workArea, int minWidth, int minHeight);

}  // namespace orvia
