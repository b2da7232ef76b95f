// Skinning the child controls of skinned frames and their page windows.
#pragma once

#include <windows.h>

namespace orvia {

// Walks the children of `window` depth first and skins each once.
void SkinChildControls(HWND window);

// WM_DRAWITEM reaching a frame or container: paints a skinned button.
LRESULT HandleOwnerDraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orvia
