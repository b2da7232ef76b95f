// Composing a frame into its off-screen surfaces and putting it, or one
// changed item, on screen.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orvia {

// Recomposes the frame into its cache and back surfaces.  Without `force`
// only when the window size differs from the last full render.
void RenderFrame(HWND window, bool force);

// WM_PAINT: copies the update rectangle from the cache surface.
void PaintFromCache(HWND window);
// WM_ERASEBKGND with the message's DC.
void EraseFromCache(HWND window, HDC dc);
// Restores the frame's 3-pixel left and right edges from the cache surface.
void RepaintSideEdges(HWND window);
// Deletes the frame's two surfaces (DCs and bitmaps) when the window is
// destroyed; the properties are left on the window, naming nothing.
void ReleaseFrameSurfaces(HWND window);
// Redraws item `index` (1-based) on the cache surface and copies it to the window.
void RefreshItem(HWND window, std::int32_t index);

}  // namespace orvia
