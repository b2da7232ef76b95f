// ReadIcoEntry against the rules its header promises, on any bytes and any
// index.  The first input byte chooses the index: below 0x80 it is the index
// itself; from 0x80 on, the next four bytes are a little-endian int32 (so
// negative and huge indices are reached), or, when fewer follow, a small
// negative index.  The remaining bytes are the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_check.h"
#include "skin/theme/ico_parse.h"

namespace {

std::uint64_t Le(const std::uint8_t* p, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    int index;
    std::size_t skip;
    if (data[0] < 0x80) {
        index = data[0];
        skip = 1;
    } else if (size >= 5) {
        index = static_cast<std::int32_t>(static_cast<std::uint32_t>(Le(data + 1, 4)));
        skip = 5;
    } else {
        index = -1 - (data[0] & 0x7F);
        skip = 1;
    }
    // The file ends where libFuzzer's allocation ends, so any read past it is
    // an AddressSanitizer report.
    const std::span<const std::uint8_t> file(data + skip, size - skip);
    const std::optional<orvia::IcoImageEntry> entry = orvia::ReadIcoEntry(file, index);

    // Whether an entry must come back, worked out from the file format alone.
    bool expected = index >= 0 && file.size() >= 6 + 16 * static_cast<std::uint64_t>(index) + 17;
    std::uint64_t size64 = 0, offset64 = 0;
    const std::uint8_t* e = nullptr;
    if (expected) {
        e = file.data() + 6 + 16 * static_cast<std::size_t>(index);
        const std::uint64_t count = Le(file.data() + 4, 2);
        size64 = Le(e + 8, 4);
        offset64 = Le(e + 12, 4);
        expected = static_cast<std::uint64_t>(index) < count && size64 > 0 && offset64 + size64 <= file.size();
    }
    FUZZ_CHECK(entry.has_value() == expected);
    if (!entry) return 0;

    FUZZ_CHECK(entry->size > 0);
    FUZZ_CHECK(std::uint64_t{entry->offset} + entry->size <= file.size());
    FUZZ_CHECK(entry->size == size64 && entry->offset == offset64);
    FUZZ_CHECK(entry->width == e[0] && entry->height == e[1] && entry->colorCount == e[2]);
    FUZZ_CHECK(entry->planes == Le(e + 4, 2) && entry->bitCount == Le(e + 6, 2));
    return 0;
}
