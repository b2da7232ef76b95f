#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "skin/theme/bmp_parse.h"
#include "skin/theme/embedded.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes MakeBmp(int width, int height, int bits, std::uint32_t colorsUsed = 0) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t table = bits <= 8 ? 4 * (colorsUsed ? colorsUsed : (1u << bits)) : 4 * colorsUsed;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    Bytes b(54 + table + stride * rows, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(54 + table));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint16_t>(bits));
    Put32(b, 46, colorsUsed);
    return b;
}

TEST(BmpLayout, TheEmbeddedSpriteSheet) {
    const auto layout = orvia::ReadBmpLayout(orvia::embedded::SpriteSheetBmp());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 160);
    EXPECT_EQ(layout->height, 55) << "bottom-up";
    EXPECT_EQ(layout->bitCount, 24);
    EXPECT_EQ(layout->pixelOffset, 54u);
    EXPECT_EQ(layout->pixelBytes, 480u * 55u);
}

struct AcceptedCase {
    const char* name;
    Bytes bytes;
    std::size_t pixelOffset;
    std::size_t pixelBytes;
};

class BmpLayoutAccepts : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(BmpLayoutAccepts, FindsPixelsAfterHeaderAndTable) {
    const auto layout = orvia::ReadBmpLayout(GetParam().bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->pixelOffset, GetParam().pixelOffset);
    EXPECT_EQ(layout->pixelBytes, GetParam().pixelBytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpLayoutAccepts,
                         ::testing::Values(AcceptedCase{"Rgb24", MakeBmp(3, 2, 24), 54, 24},
                                           AcceptedCase{"TopDown32", MakeBmp(2, -3, 32), 54, 24},
                                           AcceptedCase{"Palette8Full", MakeBmp(5, 1, 8), 54 + 1024, 8},
                                           AcceptedCase{"Palette4Used3", MakeBmp(8, 2, 4, 3), 54 + 12, 8},
                                           AcceptedCase{"Mono", MakeBmp(33, 1, 1), 54 + 8, 8},
                                           AcceptedCase{"Rgb24WithOptionalTable", MakeBmp(3, 2, 24, 2), 54 + 8, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::function<Bytes()> make;
};

class BmpLayoutRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(BmpLayoutRefuses, GivesNothing) { EXPECT_FALSE(orvia::ReadBmpLayout(GetParam().make())); }

Bytes With(Bytes b, std::function<void(Bytes&)> change) {
    change(b);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpLayoutRefuses,
    ::testing::Values(
        RefusedCase{"Empty", [] { return Bytes{}; }},
        RefusedCase{"ShorterThanHeaders", [] { return With(MakeBmp(1, 1, 24), [](Bytes& b) { b.resize(53); }); }},
        RefusedCase{"NotBM", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { b[0] = 'X'; }); }},
        RefusedCase{"PixelsTruncated", [] { return With(MakeBmp(4, 4, 24), [](Bytes& b) { b.pop_back(); }); }},
        RefusedCase{"CoreHeader", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 14, 12); }); }},
        RefusedCase{"InfoSizeBeyondBuffer", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 14, 0x7FFFFFFF); }); }},
        RefusedCase{"ZeroWidth", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 18, 0); }); }},
        RefusedCase{"NegativeWidth", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 18, 0xFFFFFFFE); }); }},
        RefusedCase{"ZeroHeight", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 22, 0); }); }},
        RefusedCase{"HugeDeclaredSize", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 18, 0x10000); Put32(b, 22, 0x10000); }); }},
        RefusedCase{"MostNegativeHeight", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put32(b, 22, 0x80000000u); }); }},
        RefusedCase{"OddBitDepth", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put16(b, 28, 7); }); }},
        RefusedCase{"RleCompressed", [] { return With(MakeBmp(2, 2, 8), [](Bytes& b) { Put32(b, 30, 1); }); }},
        RefusedCase{"TooManyColours", [] { return With(MakeBmp(2, 2, 4), [](Bytes& b) { Put32(b, 46, 17); }); }},
        RefusedCase{"DeepTableBeyondBuffer", [] { return With(MakeBmp(2, 2, 32), [](Bytes& b) { Put32(b, 46, 0xFFFFFE00u); }); }},
        // Spare bytes so that only the header size can be at fault.
        RefusedCase{"BitFieldsHeaderWithoutMaskPlace", [] { return With(MakeBmp(4, 4, 32), [](Bytes& b) {
                        b.resize(b.size() + 16);
                        Put32(b, 14, 44);
                        Put32(b, 30, 3);
                    }); }},
        RefusedCase{"PaletteTruncated", [] { return With(MakeBmp(2, 2, 8), [](Bytes& b) { b.resize(300); }); }},
        RefusedCase{"TwoPlanes", [] { return With(MakeBmp(2, 2, 24), [](Bytes& b) { Put16(b, 26, 2); }); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
