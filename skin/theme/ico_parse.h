// Reading an .ico file's directory without touching the window system, so
// that it can be tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orvia {

struct IcoImageEntry {
    std::uint8_t width = 0;   // as stored: 0 means 256
    std::uint8_t height = 0;  // as stored
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t size = 0;    // bytes of the image
    std::uint32_t offset = 0;  // from the start of the file
};

// The directory entry of image `index` (counted from 0), or nothing when the
// buffer is too short for it (it must hold at least 6 + 16 * index + 17
// bytes), when `index` is negative or not below the directory's image count,
// or when the entry's image range is empty or does not lie inside the buffer.
// The range check cannot overflow.
std::optional<IcoImageEntry> ReadIcoEntry(std::span<const std::uint8_t> bytes, int index);

}  // namespace orvia
