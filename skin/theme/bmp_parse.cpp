#include "skin/theme/bmp_parse.h"

namespace orvia {
namespace {

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
// Far beyond any picture a skin carries; keeps rows × stride well inside 64 bits.
constexpr std::int64_t kMaxDimension = 1 << 15;

}  // namespace

std::optional<BmpLayout> ReadBmpLayout(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kInfoHeader = 40;
    if (bytes.size() < kFileHeader + kInfoHeader) return std::nullopt;
    const std::uint8_t* p = bytes.data();
    if (p[0] != 'B' || p[1] != 'M') return std::nullopt;

    const std::uint32_t infoSize = ReadU32(p + 14);
    if (infoSize < kInfoHeader || infoSize > bytes.size() - kFileHeader) return std::nullopt;

    BmpLayout layout;
    layout.width = static_cast<std::int32_t>(ReadU32(p + 18));
    layout.height = static_cast<std::int32_t>(ReadU32(p + 22));
    const std::uint16_t planes = ReadU16(p + 26);
    layout.bitCount = ReadU16(p + 28);
    layout.compression = ReadU32(p + 30);
    const std::uint32_t colorsUsed = ReadU32(p + 46);

    if (planes != 1) return std::nullopt;
    const std::int64_t width = layout.width;
    const std::int64_t rows = layout.height < 0 ? -static_cast<std::int64_t>(layout.height) : layout.height;
    if (width <= 0 || width > kMaxDimension || rows == 0 || rows > kMaxDimension) return std::nullopt;

    std::uint64_t tableBytes = 0;
    switch (layout.bitCount) {
    case 1:
    case 4:
    case 8: {
        if (layout.compression != kRgb) return std::nullopt;
        const std::uint64_t maxColors = 1ull << layout.bitCount;
        if (colorsUsed > maxColors) return std::nullopt;
        tableBytes = 4 * (colorsUsed ? colorsUsed : maxColors);
        break;
    }
    case 16:
    case 32:
        if (layout.compression == kBitFields) {
            // The three masks follow a 40-byte header and lie inside one of
            // 52 bytes or more; a size in between leaves their place open.
            if (infoSize == kInfoHeader)
                tableBytes = 12;
            else if (infoSize < kInfoHeader + 12)
                return std::nullopt;
        } else if (layout.compression != kRgb) {
            return std::nullopt;
        }
        break;
    case 24:
        if (layout.compression != kRgb) return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    // Deeper pixels need no palette, but one of colorsUsed entries may still
    // come before them, and the system reads it along with the header.
    if (layout.bitCount > 8) tableBytes += 4ull * colorsUsed;

    const std::uint64_t pixelOffset = kFileHeader + infoSize + tableBytes;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * layout.bitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(rows);
    if (pixelOffset > bytes.size() || pixelBytes > bytes.size() - pixelOffset) return std::nullopt;

    layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
    layout.pixelBytes = static_cast<std::size_t>(pixelBytes);
    return layout;
}

}  // namespace orvia
