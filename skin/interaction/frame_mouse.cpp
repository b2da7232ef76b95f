// Not built yet: the frame's mouse messages go to its previous procedure.
#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"

namespace orvia {
LRESULT HandleFrameMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPreviousProc(window, message, wParam, lParam);
}
}  // namespace orvia
