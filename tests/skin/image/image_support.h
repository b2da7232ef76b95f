// Pictures for the image tests: the real banner and small solid bitmaps made
// on the spot, as bytes or as a file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace orvia::embedded {
// The 406 × 205 JPEG of the main window's banner, embedded by the test build.
std::span<const std::uint8_t> TestBannerJpeg();
}  // namespace orvia::embedded

namespace image_test {

inline constexpr int kBannerWidth = 406;
inline constexpr int kBannerHeight = 205;

// A 24-bit .bmp file of one colour.
inline std::vector<std::uint8_t> SolidBmp(int width, int height, COLORREF color) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    const std::uint32_t offset = 14 + 40;
    std::vector<std::uint8_t> b(offset + imageSize, 0);
    auto put16 = [&](std::size_t at, std::uint16_t v) {
        b[at] = v & 0xFF;
        b[at + 1] = v >> 8;
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, offset + imageSize);
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &b[offset + y * stride + x * 3];
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    return b;
}

// A file in the temporary folder, removed when the object goes away.
class TempFile {
public:
    TempFile(const char* name, const std::vector<std::uint8_t>& bytes) {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        path_ = std::string(folder) + name;
        if (FILE* f = std::fopen(path_.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    ~TempFile() { DeleteFileA(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

}  // namespace image_test
