#include "skin/frame/registry.h"
#include "skin/object/slots.h"

namespace orvia::slots {

std::int32_t AddFrameItem(OrviaSkin*, FrameRecord& record, std::int32_t kind, std::int32_t id, std::int32_t left,
                          std::int32_t top, std::int32_t width, std::int32_t height, const char* text,
                          std::optional<HICON> icon) {
    return orvia::AddFrameItem(record, kind, id, left, top, width, height, text, icon);
}

}  // namespace orvia::slots
