// ReadBmpLayout against the bitmap file format: whatever it accepts must be a
// layout the system can be handed without reading past the buffer or past the
// header copy the theme makes (pixelOffset - infoOffset bytes).  Every figure
// is recomputed here from the raw header fields.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_check.h"
#include "skin/theme/bmp_parse.h"

namespace {

std::uint64_t Le(const std::uint8_t* p, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<orvia::BmpLayout> layout = orvia::ReadBmpLayout(std::span<const std::uint8_t>(data, size));
    if (!layout) return 0;

    FUZZ_CHECK(size >= 14 + 40 && data[0] == 'B' && data[1] == 'M');
    FUZZ_CHECK(layout->infoOffset == 14);
    const std::uint64_t infoSize = Le(data + 14, 4);
    FUZZ_CHECK(infoSize >= 40 && 14 + infoSize <= size);

    const std::int64_t width = static_cast<std::int32_t>(Le(data + 18, 4));
    const std::int64_t height = static_cast<std::int32_t>(Le(data + 22, 4));
    const std::uint64_t bits = Le(data + 28, 2);
    const std::uint64_t compression = Le(data + 30, 4);
    const std::uint64_t colorsUsed = Le(data + 46, 4);
    FUZZ_CHECK(layout->width == width && layout->height == height);
    FUZZ_CHECK(layout->bitCount == bits && layout->compression == compression);
    FUZZ_CHECK(Le(data + 26, 2) == 1);
    FUZZ_CHECK(width > 0 && height != 0);

    // The colour table: for palette depths 2^bits entries unless fewer are
    // declared; for the others the optional one of colorsUsed entries.  Three
    // masks sit between a 40-byte header and the table; larger headers (52
    // bytes on) hold them inside.  Headers of 41 to 51 bytes are ambiguous.
    const bool palette = bits == 1 || bits == 4 || bits == 8;
    FUZZ_CHECK(palette || bits == 16 || bits == 24 || bits == 32);
    FUZZ_CHECK(compression == 0 || (compression == 3 && (bits == 16 || bits == 32)));
    if (palette) FUZZ_CHECK(colorsUsed <= (1u << bits));
    const std::uint64_t colors = palette && colorsUsed == 0 ? 1u << bits : colorsUsed;
    std::uint64_t masks = 0;
    if (compression == 3) {
        FUZZ_CHECK(infoSize == 40 || infoSize >= 52);
        if (infoSize == 40) masks = 12;
    }
    const std::uint64_t headerEnd = 14 + infoSize + masks + 4 * colors;
    FUZZ_CHECK(layout->pixelOffset == headerEnd);
    FUZZ_CHECK(layout->pixelOffset <= size);

    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * bits;
    // Whole bytes, then padded to a multiple of four.
    const std::uint64_t stride = ((rowBits + 7) / 8 + 3) & ~std::uint64_t{3};
    FUZZ_CHECK(layout->pixelBytes >= stride * rows);
    FUZZ_CHECK(layout->pixelBytes <= size - layout->pixelOffset);
    return 0;
}
