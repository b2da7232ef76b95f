// Types shared by the whole skin interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvia {

// A counted byte sequence: a whole embedded file (PNG, JPEG, .ico, .bmp) or
// image data handed to the skin.  The skin copies what it keeps.
using ByteSpan = std::span<const std::uint8_t>;

// An application routine that the skin stores and calls later (tab, Help and
// MainMenu clicks, the browser's right-click).  It receives three 32-bit
// integers and its result is ignored.  Stored pointer-sized.
using OrviaRoutine = void (*)(std::int32_t, std::int32_t, std::int32_t);

}  // namespace orvia
