// Not built yet: child controls keep their own look.
#include "skin/controls/child_controls.h"

#include "skin/frame/registry.h"
#include "skin/object/slots.h"

namespace orvia {
void SkinChildControls(HWND) {}
LRESULT HandleOwnerDraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPreviousProc(window, message, wParam, lParam);
}
namespace slots {
void SkinAllChildControls(OrviaSkin*) {}
}  // namespace slots
}  // namespace orvia
