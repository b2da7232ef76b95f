// Putting the cached frame on screen.  Nothing here renders: every path is a
// copy from the cache surface, so painting stays as cheap as one blit.
#include "skin/frame/registry.h"
#include "skin/render/frame_geometry.h"
#include "skin/render/gdi_scoped.h"
#include "skin/render/render.h"

namespace orvia {

namespace {

HDC CacheDC(HWND window) { return reinterpret_cast<HDC>(GetProperty(window, prop::kCacheDC)); }
HDC BackDC(HWND window) { return reinterpret_cast<HDC>(GetProperty(window, prop::kBackDC)); }

SIZE WindowSize(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void Copy(HDC to, HDC from, const PixelBox& box) {
    BitBlt(to, box.left, box.top, box.width, box.height, from, box.left, box.top, SRCCOPY);
}

}  // namespace

void PaintFromCache(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    if (HDC cache = CacheDC(window))
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, cache, r.left, r.top, SRCCOPY);
    EndPaint(window, &paint);
}

void EraseFromCache(HWND window, HDC dc) {
    HDC cache = CacheDC(window);
    if (!cache || !dc) return;
    const SIZE size = WindowSize(window);
    BitBlt(dc, 0, 0, size.cx, size.cy, cache, 0, 0, SRCCOPY);
}

void RepaintSideEdges(HWND window) {
    HDC cache = CacheDC(window);
    if (!cache) return;
    const ScopedWindowDC windowDC(window, ScopedWindowDC::Whole);
    const SIZE size = WindowSize(window);
    const SideEdgeStrips strips = SideEdges(size.cx, size.cy, GetIntProperty(window, prop::kBannerHeight),
                                            GetIntProperty(window, prop::kStatusHeight));
    Copy(windowDC.get(), cache, strips.left);
    Copy(windowDC.get(), cache, strips.right);
}

void RefreshItem(HWND window, std::int32_t index) {
    FrameRecord* record = FindFrame(window);
    if (!record || index < 1 || index > record->nItemCount || index > static_cast<std::int32_t>(record->Items.size()))
        return;
    const FrameItem& item = record->Items[static_cast<std::size_t>(index - 1)];
    HDC cache = CacheDC(window);
    if (!item.bVisible || !cache) return;
    const PixelBox box{item.nLeft, item.nTop, item.nWidth, item.nHeight};
    // The back surface holds the frame without items: the item's old look
    // goes before the new one is drawn.
    Copy(cache, BackDC(window), box);
    {
        const ScopedGraphics graphics(cache);
        DrawFrameItem(item, cache, graphics.get());
    }
    const ScopedWindowDC windowDC(window);
    Copy(windowDC.get(), cache, box);
}

}  // namespace orvia
