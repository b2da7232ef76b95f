// Drawing skinned buttons from the theme's sprite sheet.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orvia {

// A rectangle of the sprite sheet, as x, y, width and height in pixels.
struct SpriteCell {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The sprite cell a skinned button shows.  `type` is its Orvia_WindowType (5
// push button, 6 check box, 7 radio button), `check` its Orvia_bCheck and
// `drawState` its Orvia_DrawState.  A disabled button shows its disabled cell
// whatever its draw state.  A push-like check box or radio button (type 5
// with BS_PUSHLIKE) that is checked looks pressed, so that its state stays
// visible.  Check boxes and radio buttons show their checked cells only for a
// check value of exactly 1.  Any other type gives the push-button cells.
SpriteCell ChooseSpriteCell(int type, LONG_PTR check, bool enabled, int drawState, bool pushLike);

// Copies the sprite-sheet cell `outer` onto `destination` of `target` in
// nine parts: corners 1:1, edges and centre (`inner`) stretched.  Copies are
// made in row order (top-left, top, top-right, left, centre, right,
// bottom-left, bottom, bottom-right), so where a destination too small for
// the borders makes parts overlap, the later part wins.  Draws nothing while
// the theme is absent.
void DrawNineGrid(HDC target, const RECT& destination, const RECT& outer, const RECT& inner);

// Paints a skinned button at its full size into `dc` at (0, 0), composed
// off-screen and copied to `dc` once.  `itemState` is the ODS_* state of the
// owner-draw request: ODS_FOCUS without ODS_NOFOCUSRECT adds a focus cue.
// Does nothing for a handle that is not a window, a null DC or an absent
// theme.
void PaintSkinnedButton(HWND button, HDC dc, UINT itemState = 0);

}  // namespace orvia
