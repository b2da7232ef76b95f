// Reading a .bmp file's headers without touching the window system, so that
// it can be tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orvia {

struct BmpLayout {
    std::size_t infoOffset = 14;   // the BITMAPINFOHEADER, followed by its colour table or masks
    std::size_t pixelOffset = 0;   // first byte of the pixel rows
    std::size_t pixelBytes = 0;    // rows × stride, all inside the buffer
    std::int32_t width = 0;
    std::int32_t height = 0;       // negative for top-down rows
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
};

// Where the info header and pixel rows of a bitmap file lie, or nothing when
// the buffer is not a bitmap this reader can hand to the system safely: too
// short for its headers, not "BM", an info header other than the 40-byte (or
// larger) Windows one, a compressed format other than bit fields (or bit
// fields with a header of 41 to 51 bytes, where the masks have no defined
// place), a bit depth the system does not draw, a zero or absurd size, a
// colour table that does not fit, or fewer pixel bytes than width, height and
// depth need.  Pixel data follows the headers, the masks and the colour table
// (of any depth) directly, which is where every bitmap we embed keeps it.
std::optional<BmpLayout> ReadBmpLayout(std::span<const std::uint8_t> bytes);

}  // namespace orvia
