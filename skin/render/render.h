// Composing a frame into its off-screen surfaces and putting it, or one
// changed item, on screen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gdiplus/gdiplus_flat.h"
#include "skin/frame/frame_types.h"

namespace orvia {

// Recomposes the frame into its cache and back surfaces and gives the window
// its rounded region.  Without `force` only when the window size differs from
// the last full render.  A handle that is not a window is ignored.
void RenderFrame(HWND window, bool force = false);

// Draws one caption button, page tab or status text at the item's own
// rectangle; `graphics` draws on `dc`.
void DrawFrameItem(const FrameItem& item, HDC dc, gdip::GpGraphics* graphics);

// Light text with a dark halo.  The 8-bit form takes the skin's own texts
// (code page 936); the wide form takes texts that are UTF-16 already, such as
// window titles.  A zero width or height draws unclipped from (x, y).
void DrawHaloText(gdip::GpGraphics* graphics, const char* text, gdip::GpFont* font, int x, int y, int width, int height,
                  gdip::GpStringFormat* format);
void DrawHaloText(gdip::GpGraphics* graphics, const wchar_t* text, gdip::GpFont* font, int x, int y, int width,
                  int height, gdip::GpStringFormat* format);

// Every image drawing of the frame: a source rectangle of `image` in pixels
// into a destination rectangle.
void DrawImagePart(gdip::GpGraphics* graphics, gdip::GpImage* image, float dstX, float dstY, float dstWidth,
                   float dstHeight, float srcX, float srcY, float srcWidth, float srcHeight);

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
