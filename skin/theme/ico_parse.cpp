#include "skin/theme/ico_parse.h"

namespace orvia {
namespace {

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::optional<IcoImageEntry> ReadIcoEntry(std::span<const std::uint8_t> bytes, int index) {
    if (index < 0) return std::nullopt;
    // Computed in 64 bits: a large index must not wrap into a small offset.
    const std::uint64_t entryOffset = 6 + 16 * static_cast<std::uint64_t>(index);
    // One byte past the entry is required as well, so a directory that ends
    // exactly at its last entry (no image data at all) is already refused.
    if (bytes.size() < entryOffset + 17) return std::nullopt;
    // Past the directory's own count the bytes are image data, not an entry.
    if (static_cast<std::uint32_t>(index) >= ReadU16(bytes.data() + 4)) return std::nullopt;

    const std::uint8_t* p = bytes.data() + entryOffset;
    IcoImageEntry entry;
    entry.width = p[0];
    entry.height = p[1];
    entry.colorCount = p[2];
    entry.planes = ReadU16(p + 4);
    entry.bitCount = ReadU16(p + 6);
    entry.size = ReadU32(p + 8);
    entry.offset = ReadU32(p + 12);

    // offset + size may exceed 32 bits; compare against what is left instead.
    if (entry.size == 0 || entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset)
        return std::nullopt;
    return entry;
}

}  // namespace orvia
