// Skinning the child controls of skinned frames and their page windows.
#pragma once

#include <windows.h>

namespace orvia {

// Orvia_WindowType values; a window without the property is not a skinned button.
inline constexpr int kNotSkinnedType = 0;
inline constexpr int kPushButtonType = 5;
inline constexpr int kCheckBoxType = 6;
inline constexpr int kRadioButtonType = 7;

// Orvia_DrawState values.
inline constexpr int kDrawNormal = 0;
inline constexpr int kDrawHover = 1;
inline constexpr int kDrawPressed = 2;

namespace prop {
// The button-style type field (style & BS_TYPEMASK) that a skinned button had
// before it was made owner-drawn; it decides what a click does to the check
// state, as the system's button would have done.
inline constexpr char kButtonStyle[] = "Orvia_ButtonStyle";
}  // namespace prop

// The type a child of class "Button" is skinned as, from its GWL_STYLE:
// push buttons 5, check boxes 6, radio buttons 7 (push-like check boxes and
// radio buttons count as push buttons), anything else 0.
int ButtonTypeFromStyle(LONG_PTR style);

// Walks the children of `window` depth first and skins each once: buttons
// become owner-drawn skinned buttons, every other window a container.  A
// handle that is not a window is ignored.
void SkinChildControls(HWND window);

// The window procedure of a skinned button: hover and press states, the
// check state the owner-drawn control no longer keeps, and clicks completed
// by mouse or space bar.
LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure of every other window the walk reaches: skin-coloured
// background, skinned buttons painted on owner-draw requests.
LRESULT CALLBACK ContainerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_DRAWITEM reaching a frame or container: paints a skinned button and
// returns TRUE; anything else goes to the window's previous procedure.
LRESULT HandleOwnerDraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Stores a new Orvia_DrawState and invalidates the button (without erasing)
// only when the state changes.
void SetDrawState(HWND button, int state);

}  // namespace orvia
