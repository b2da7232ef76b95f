// Not built yet: each slot does nothing and returns its failure value.
#include "skin/interaction/interaction.h"
#include "skin/object/slots.h"

namespace orvia {
void PlacePageWindow(HWND) {}
namespace slots {
void SetStatusText(OrviaSkin*, HWND, const char*) {}
std::int32_t AddPage(OrviaSkin*, HWND, const char*, ByteSpan, std::optional<HWND>, std::optional<OrviaRoutine>) {
    return 0;
}
std::int32_t SelectPage(OrviaSkin*, HWND, const char*) { return 0; }
std::int32_t RemovePage(OrviaSkin*, HWND, const char*) { return 0; }
}  // namespace slots
}  // namespace orvia
