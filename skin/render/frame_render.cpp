// Not built yet: frames are not composed.
#include "skin/object/slots.h"
#include "skin/render/render.h"

namespace orvia {
void RenderFrame(HWND, bool) {}
void PaintFromCache(HWND window) { ValidateRect(window, nullptr); }
void EraseFromCache(HWND, HDC) {}
void RepaintSideEdges(HWND) {}
void RefreshItem(HWND, std::int32_t) {}
void ReleaseFrameSurfaces(HWND) {}
namespace slots {
void RedrawAllFrames(OrviaSkin*) {}
}  // namespace slots
}  // namespace orvia
