// Not built yet: each slot does nothing and returns its failure value.
#include "skin/object/slots.h"

namespace orvia::slots {
bool SetImageFromBytes(OrviaSkin*, ByteSpan) { return false; }
bool SetImageFromFile(OrviaSkin*, const char*) { return false; }
void ApplyImage(OrviaSkin*) {}
COLORREF SampleImageColor(OrviaSkin*, gdip::GpImage*) { return 0; }
bool SetSkinColor(OrviaSkin*, COLORREF) { return false; }
}  // namespace orvia::slots
