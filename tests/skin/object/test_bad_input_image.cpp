// Slots 2 to 6 and 18: image bytes and files that do not make a picture,
// a missing image, and colours outside 0x00BBGGRR.  A refused picture leaves
// the banner, its sizes, the skin colour and its brush as they were and
// redraws no frame.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/theme/embedded.h"
#include "tests/skin/image/image_support.h"
#include "tests/skin/object/test_bad_input_support.h"

namespace {

using bad_input::CountingSkin;
using bad_input::DescribeTheme;
using Bytes = std::vector<std::uint8_t>;

// An 8 × 8 grey JPEG.
const std::uint8_t kJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01,
    0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x10, 0x0B, 0x0C, 0x0E, 0x0C, 0x0A, 0x10, 0x0E, 0x0D, 0x0E, 0x12,
    0x11, 0x10, 0x13, 0x18, 0x28, 0x1A, 0x18, 0x16, 0x16, 0x18, 0x31, 0x23, 0x25, 0x1D, 0x28, 0x3A, 0x33, 0x3D,
    0x3C, 0x39, 0x33, 0x38, 0x37, 0x40, 0x48, 0x5C, 0x4E, 0x40, 0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6D, 0x51,
    0x57, 0x5F, 0x62, 0x67, 0x68, 0x67, 0x3E, 0x4D, 0x71, 0x79, 0x70, 0x64, 0x78, 0x5C, 0x65, 0x67, 0x63, 0xFF,
    0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4,
    0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x3F, 0xFF, 0xD9,
};
constexpr std::size_t kJpegScanStart = 146;  // the start-of-scan marker
constexpr std::size_t kJpegSizeAt = 94;      // height and width in the frame header

Bytes Jpeg() { return {std::begin(kJpeg), std::end(kJpeg)}; }

Bytes Png() {
    const orvia::ByteSpan png = orvia::embedded::SkinImagePng();
    return {png.begin(), png.end()};
}

Bytes Cut(const Bytes& b, std::size_t n) { return {b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)}; }

void PutBigEndian32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

// The skin image with a header that declares 100000 × 100000 pixels and a
// correct checksum, so that only the size is wrong.
Bytes HugePng() {
    Bytes b = Png();
    PutBigEndian32(b, 16, 100000);
    PutBigEndian32(b, 20, 100000);
    PutBigEndian32(b, 29, Crc32(&b[12], 17));
    return b;
}

Bytes HugeJpeg() {
    Bytes b = Jpeg();
    for (std::size_t i = kJpegSizeAt; i < kJpegSizeAt + 4; ++i) b[i] = 0xFF;
    return b;
}

// A .bmp header that declares 100000 × 100000 pixels over 48 bytes of them.
Bytes HugeBmp() {
    Bytes b = image_test::SolidBmp(4, 4, RGB(10, 20, 30));
    for (int at : {18, 22})
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(100000u >> (8 * i));
    return b;
}

struct BytesRow {
    const char* name;
    Bytes bytes;
};

std::vector<BytesRow> BadImageBytes() {
    const Bytes png = Png(), jpeg = Jpeg(), bmp = image_test::SolidBmp(16, 16, RGB(10, 20, 30));
    return {
        {"empty", {}},
        {"1 byte", Cut(png, 1)},
        {"2 bytes", Cut(png, 2)},
        {"3 bytes", Cut(png, 3)},
        {"a PNG signature alone", Cut(png, 8)},
        {"a PNG cut after its header", Cut(png, 33)},
        {"a PNG cut in half", Cut(png, png.size() / 2)},
        {"a PNG declaring 100000 x 100000", HugePng()},
        {"a JPEG cut inside its tables", Cut(jpeg, 60)},
        {"a JPEG cut before its image data", Cut(jpeg, kJpegScanStart)},
        {"a JPEG declaring 65535 x 65535", HugeJpeg()},
        {"a BMP cut in half", Cut(bmp, bmp.size() / 2)},
        {"a BMP declaring 100000 x 100000", HugeBmp()},
        {"1000 bytes of garbage", Bytes(1000, 0x5A)},
        {"1 MB of zeros", Bytes(1 << 20, 0)},
    };
}

// Every test starts from a picture that a refused one must leave in place.
class BadPicture : public ::testing::Test {
protected:
    void SetUp() override {
        const Bytes jpeg = Jpeg();
        ASSERT_TRUE(skin_.get()->methods->SetImageFromBytes(skin_.get(), jpeg));
        ASSERT_EQ(orvia::g_bannerImage->width, 8);
        redrawsBefore_ = skin_.redraws();
        themeBefore_ = DescribeTheme();
    }
    void TearDown() override { skin_.get()->methods->SetSkinColor(skin_.get(), 0xD2B30E); }
    void ExpectNothingChanged() {
        EXPECT_EQ(DescribeTheme(), themeBefore_);
        EXPECT_EQ(skin_.redraws(), redrawsBefore_) << "no frame redrawn";
    }
    CountingSkin skin_;
    harness::SkinnedFrame frame_;  // a frame that a redraw would reach
    int redrawsBefore_ = 0;
    std::string themeBefore_;
};

// Slot 2.
TEST_F(BadPicture, BytesThatDoNotDecodeAreRefused) {
    orvia::OrviaSkin* skin = skin_.get();
    for (const BytesRow& row : BadImageBytes()) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(skin->methods->SetImageFromBytes(skin, row.bytes));
        ExpectNothingChanged();
    }
    EXPECT_FALSE(skin->methods->SetImageFromBytes(skin, orvia::ByteSpan(kJpeg, 0))) << "no bytes at a real address";
    ExpectNothingChanged();
}

// Slot 3.
TEST_F(BadPicture, FilesThatDoNotDecodeAreRefused) {
    orvia::OrviaSkin* skin = skin_.get();
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string folderWithoutSlash = folder;
    folderWithoutSlash.pop_back();
    const std::string missing = std::string(folder) + "orvia-no-such-picture.png";
    const std::string tooLong = std::string(folder) + std::string(300, 'a') + ".png";
    const std::string megabyte = std::string(folder) + std::string(1 << 20, 'a');
    const std::string loneLead = std::string(folder) + "orvia-picture\xB8";
    const image_test::TempFile garbage("orvia-garbage.png", Bytes(1000, 0x5A));
    const image_test::TempFile empty("orvia-empty.png", {});
    const image_test::TempFile cut("orvia-cut.png", Cut(Png(), 33));
    const image_test::TempFile huge("orvia-huge.png", HugePng());
    const image_test::TempFile hugeJpeg("orvia-huge.jpg", HugeJpeg());
    struct Row {
        const char* name;
        const char* path;
    };
    const Row rows[] = {
        {"null", nullptr},
        {"empty", ""},
        {"a missing file", missing.c_str()},
        {"a folder", folder},
        {"a folder without its last backslash", folderWithoutSlash.c_str()},
        {"longer than MAX_PATH", tooLong.c_str()},
        {"1 MB long", megabyte.c_str()},
        {"ending in a lone lead byte", loneLead.c_str()},
        {"a file of garbage", garbage.path()},
        {"an empty file", empty.path()},
        {"a PNG cut after its header", cut.path()},
        {"a PNG declaring 100000 x 100000", huge.path()},
        {"a JPEG declaring 65535 x 65535", hugeJpeg.path()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(skin->methods->SetImageFromFile(skin, row.path));
        ExpectNothingChanged();
    }
}

// Slot 5: a null image samples as 0, and nothing else changes.
TEST_F(BadPicture, ANullImageSamplesAsBlack) {
    EXPECT_EQ(skin_.get()->methods->SampleImageColor(skin_.get(), nullptr), 0u);
    ExpectNothingChanged();
}

// Slot 4 without a picture: the sizes are those the banner keeps from its
// last picture, the colour is the 0 that sampling nothing gives, and every
// frame is redrawn.
TEST_F(BadPicture, ApplyingNoPictureTakesTheEmptyPicturesValues) {
    orvia::OrviaSkin* skin = skin_.get();
    skin->methods->SetSkinColor(skin, 0x123456);
    const int redraws = skin_.redraws();
    skin->methods->ApplyImage(skin);
    EXPECT_EQ(orvia::g_theme->bannerImageWidth, 8);
    EXPECT_EQ(orvia::g_theme->bannerImageHeight, 8);
    EXPECT_EQ(orvia::g_theme->skinColor, 0u);
    gdip::ARGB argb = 0;
    gdip::GdipGetSolidFillColor(orvia::g_theme->skinColorBrush, &argb);
    EXPECT_EQ(argb, 0xFF000000u);
    EXPECT_EQ(skin_.redraws(), redraws + 1);
}

struct ColourRow {
    const char* name;
    COLORREF color;
    gdip::ARGB fill;
};

const ColourRow kOddColours[] = {
    {"CLR_INVALID", CLR_INVALID, 0xFFFFFFFF},
    {"a high byte of 0xFF", 0xFF123456, 0xFF563412},
    {"a palette index", 0x01000005, 0xFF050000},
};

// Slot 6 takes any value: the fill uses its low three bytes; the picture is
// dropped, its sizes and the sampled colour stay; always true.
TEST_F(BadPicture, SkinColourIgnoresTheHighByte) {
    orvia::OrviaSkin* skin = skin_.get();
    for (const ColourRow& row : kOddColours) {
        SCOPED_TRACE(row.name);
        const COLORREF sampled = orvia::g_theme->skinColor;
        const int redraws = skin_.redraws();
        EXPECT_TRUE(skin->methods->SetSkinColor(skin, row.color));
        gdip::ARGB argb = 0;
        gdip::GdipGetSolidFillColor(orvia::g_theme->skinColorBrush, &argb);
        EXPECT_EQ(argb, row.fill);
        EXPECT_EQ(orvia::g_bannerImage->image, nullptr);
        EXPECT_EQ(orvia::g_theme->bannerImageWidth, 8);
        EXPECT_EQ(orvia::g_theme->skinColor, sampled);
        EXPECT_EQ(skin_.redraws(), redraws + 1);
    }
}

// Slot 18: CLR_INVALID is the button-face colour; any other value is kept as
// given (slot 19 returns it) and the fill uses its low three bytes.
TEST_F(BadPicture, BackColourKeepsOddValuesAsGiven) {
    orvia::OrviaSkin* skin = skin_.get();
    for (const ColourRow& row : kOddColours) {
        SCOPED_TRACE(row.name);
        const int redraws = skin_.redraws();
        skin->methods->SetBackColor(skin, row.color);
        const COLORREF expected = row.color == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : row.color;
        EXPECT_EQ(skin->methods->GetBackColor(skin), expected);
        gdip::ARGB argb = 0;
        gdip::GdipGetSolidFillColor(orvia::g_theme->backFill, &argb);
        EXPECT_EQ(argb, row.color == CLR_INVALID ? orvia::ColorToArgb(expected, 255) : row.fill);
        EXPECT_EQ(skin_.redraws(), redraws + (row.color == CLR_INVALID ? 0 : 1))
            << "the button-face colour was in place already";
    }
    skin->methods->SetBackColor(skin, CLR_INVALID);
}

}  // namespace
