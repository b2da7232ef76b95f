// Not built yet: each slot does nothing and returns its failure value.
#include "skin/frame/registry.h"
#include "skin/object/slots.h"

namespace orvia::slots {
bool AttachSkin(OrviaSkin*, HWND, std::optional<std::int32_t>, std::optional<std::int32_t>, std::optional<bool>,
                std::optional<bool>, std::optional<bool>, std::optional<bool>, std::optional<bool>,
                std::optional<std::int32_t>, std::optional<std::int32_t>) {
    return false;
}
bool SetSizable(OrviaSkin*, HWND, std::optional<std::int32_t>, std::optional<std::int32_t>) { return false; }
}  // namespace orvia::slots
