#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <vector>

#include "skin/image/image.h"
#include "skin/theme/theme.h"
#include "tests/skin/image/image_support.h"

namespace {

using orvia::OrviaImage;
using orvia::OrviaImageMethods;
using namespace image_test;

std::span<const std::uint8_t> Banner() { return orvia::embedded::TestBannerJpeg(); }

// The width GDI+ reports for a live image; 0 when the handle is not one.
UINT LiveWidth(gdip::GpImage* image) {
    UINT width = 0;
    return gdip::GdipGetImageWidth(image, &width) == gdip::Ok ? width : 0;
}

// The reference count of a stream once the caller's own hold is dropped:
// 0 means nobody else holds it any more.
ULONG OthersHolding(IStream* held) { return held->Release(); }

class Image : public ::testing::Test {
protected:
    void TearDown() override { orvia::FreeOrviaImage(image_); }
    OrviaImage* image_ = orvia::NewOrviaImage();
    const OrviaImageMethods& m_ = *image_->methods;
};

TEST(ImageObject, SlotsLieInTheirFixedOrder) {
    const std::size_t offsets[] = {
        offsetof(OrviaImageMethods, Destroy),       offsetof(OrviaImageMethods, Copy),
        offsetof(OrviaImageMethods, Release),       offsetof(OrviaImageMethods, LoadFromBytes),
        offsetof(OrviaImageMethods, LoadFromFile),  offsetof(OrviaImageMethods, SetImage),
        offsetof(OrviaImageMethods, GetImage),      offsetof(OrviaImageMethods, GetWidth),
        offsetof(OrviaImageMethods, GetHeight),
    };
    for (std::size_t slot = 0; slot < std::size(offsets); ++slot)
        EXPECT_EQ(offsets[slot], slot * sizeof(void*)) << "slot " << slot;
    const auto* table = reinterpret_cast<void* const*>(&orvia::DefaultImageMethods());
    for (int i = 0; i < 9; ++i) EXPECT_NE(table[i], nullptr) << "slot " << i << " is empty";
}

TEST_F(Image, StartsEmpty) {
    EXPECT_EQ(m_.GetImage(image_), nullptr);
    EXPECT_EQ(m_.GetWidth(image_), 0);
    EXPECT_EQ(m_.GetHeight(image_), 0);
    EXPECT_EQ(image_->memory, nullptr);
}

TEST_F(Image, LoadsTheBannerJpegFromBytes) {
    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    EXPECT_NE(m_.GetImage(image_), nullptr);
    EXPECT_EQ(m_.GetWidth(image_), kBannerWidth);
    EXPECT_EQ(m_.GetHeight(image_), kBannerHeight);
    EXPECT_NE(image_->memory, nullptr);
    EXPECT_NE(image_->stream, nullptr);
}

TEST_F(Image, BadBytesAreRefusedAndThePreviousImageStays) {
    const std::vector<std::uint8_t> garbage(600, 0x5A);
    const std::vector<std::uint8_t> truncatedJpeg(Banner().begin(), Banner().begin() + 2);
    struct Case {
        const char* name;
        orvia::ByteSpan bytes;
    };
    const Case cases[] = {{"empty", {}}, {"not an image", garbage}, {"two bytes of a JPEG", truncatedJpeg}};

    for (const Case& c : cases) EXPECT_FALSE(m_.LoadFromBytes(image_, c.bytes)) << c.name << " on an empty object";
    EXPECT_EQ(m_.GetImage(image_), nullptr);
    EXPECT_EQ(image_->memory, nullptr);

    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    const OrviaImage before = *image_;
    for (const Case& c : cases) {
        EXPECT_FALSE(m_.LoadFromBytes(image_, c.bytes)) << c.name;
        EXPECT_EQ(image_->image, before.image) << c.name;
        EXPECT_EQ(image_->memory, before.memory) << c.name;
        EXPECT_EQ(image_->stream, before.stream) << c.name;
        EXPECT_EQ(m_.GetWidth(image_), kBannerWidth) << c.name;
    }
    EXPECT_EQ(LiveWidth(m_.GetImage(image_)), static_cast<UINT>(kBannerWidth)) << "the kept image still works";
}

// Busy blocks of exactly `size` bytes on the process heap, where fixed global
// memory comes from.
int HeapBlocksOfSize(SIZE_T size) {
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    int count = 0;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && entry.cbData == size) ++count;
    HeapUnlock(heap);
    return count;
}

TEST_F(Image, AFailedDecodeKeepsNoCopyOfTheBytes) {
    constexpr SIZE_T kOddSize = 12347;
    HGLOBAL probe = GlobalAlloc(GMEM_FIXED, kOddSize);
    const int withProbe = HeapBlocksOfSize(kOddSize);
    GlobalFree(probe);
    const int before = HeapBlocksOfSize(kOddSize);
    ASSERT_EQ(withProbe, before + 1) << "fixed global blocks cannot be counted here";

    const std::vector<std::uint8_t> garbage(kOddSize, 0x33);
    for (int i = 0; i < 8; ++i) ASSERT_FALSE(m_.LoadFromBytes(image_, garbage));
    EXPECT_EQ(HeapBlocksOfSize(kOddSize), before);
}

// A table whose Release slot notes what the object holds when it is asked to
// let go, to see that an image's block outlives the image.
struct ReleaseSeen {
    gdip::GpImage* image;
    HGLOBAL memory;
    SIZE_T blockSize;
};
std::vector<ReleaseSeen> g_releases;

TEST(ImageReplace, ThePreviousImageIsReleasedWhileItsBlockIsStillThere) {
    OrviaImageMethods spying = orvia::DefaultImageMethods();
    spying.Release = [](OrviaImage* self) {
        g_releases.push_back({self->image, self->memory, self->memory ? GlobalSize(self->memory) : 0});
        orvia::DefaultImageMethods().Release(self);
    };
    OrviaImage image{&spying};
    g_releases.clear();
    ASSERT_TRUE(spying.LoadFromBytes(&image, Banner()));
    const gdip::GpImage* first = image.image;
    const HGLOBAL firstBlock = image.memory;
    g_releases.clear();

    ASSERT_TRUE(spying.LoadFromBytes(&image, SolidBmp(4, 4, 0x123456)));
    ASSERT_EQ(g_releases.size(), 1u);
    EXPECT_EQ(g_releases[0].image, first);
    EXPECT_EQ(g_releases[0].memory, firstBlock) << "the block must not be freed before its image";
    EXPECT_EQ(g_releases[0].blockSize, Banner().size());
    EXPECT_NE(image.memory, firstBlock);
    EXPECT_EQ(spying.GetWidth(&image), 4);
    spying.Destroy(&image);
}

TEST_F(Image, TheStreamGoesWithItsImage) {
    struct Case {
        const char* name;
        void (*letGo)(OrviaImage*);
    };
    const Case cases[] = {
        {"Release", [](OrviaImage* i) { i->methods->Release(i); }},
        {"Destroy", [](OrviaImage* i) { i->methods->Destroy(i); }},
        {"SetImage(null)", [](OrviaImage* i) { i->methods->SetImage(i, nullptr); }},
        {"replaced from bytes", [](OrviaImage* i) { i->methods->LoadFromBytes(i, SolidBmp(2, 2, 0)); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_.LoadFromBytes(image_, Banner())) << c.name;
        IStream* stream = image_->stream;
        ASSERT_NE(stream, nullptr) << c.name;
        stream->AddRef();
        c.letGo(image_);
        EXPECT_NE(image_->stream, stream) << c.name;
        EXPECT_EQ(OthersHolding(stream), 0u) << c.name << ": the stream is still held";
    }
}

TEST_F(Image, LoadsFromAFileAndDropsTheEarlierBlock) {
    TempFile file("orvia_image_test.bmp", SolidBmp(31, 17, 0x00FF00));
    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    IStream* earlierStream = image_->stream;
    earlierStream->AddRef();

    ASSERT_TRUE(m_.LoadFromFile(image_, file.path()));
    EXPECT_NE(m_.GetImage(image_), nullptr);
    EXPECT_EQ(m_.GetWidth(image_), 31);
    EXPECT_EQ(m_.GetHeight(image_), 17);
    EXPECT_EQ(image_->memory, nullptr);
    EXPECT_EQ(image_->stream, nullptr);
    EXPECT_EQ(OthersHolding(earlierStream), 0u);

    for (const char* name : {static_cast<const char*>(nullptr), "", "Z:\\no\\such\\banner.png"}) {
        EXPECT_FALSE(m_.LoadFromFile(image_, name)) << (name ? name : "(null)");
        EXPECT_EQ(m_.GetWidth(image_), 31) << "the file's image stays";
    }
    m_.Release(image_);  // lets go of the file before it is deleted
}

TEST_F(Image, ReleaseKeepsTheSizeUntilTheNextImage) {
    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    m_.Release(image_);
    EXPECT_EQ(m_.GetImage(image_), nullptr);
    EXPECT_EQ(image_->memory, nullptr);
    EXPECT_EQ(m_.GetWidth(image_), kBannerWidth);
    EXPECT_EQ(m_.GetHeight(image_), kBannerHeight);
    m_.Release(image_);  // releasing an empty object is harmless

    m_.SetImage(image_, nullptr);
    EXPECT_EQ(m_.GetImage(image_), nullptr);
    EXPECT_EQ(m_.GetWidth(image_), 0);
    EXPECT_EQ(m_.GetHeight(image_), 0);
}

TEST_F(Image, SetImageAdoptsAndMeasures) {
    gdip::GpImage* decoded = orvia::LoadImageFromBytes(SolidBmp(7, 3, 0xFF));
    ASSERT_NE(decoded, nullptr);
    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    m_.SetImage(image_, decoded);
    EXPECT_EQ(m_.GetImage(image_), decoded);
    EXPECT_EQ(m_.GetWidth(image_), 7);
    EXPECT_EQ(m_.GetHeight(image_), 3);
    EXPECT_EQ(image_->memory, nullptr) << "the banner's block went with the banner";

    m_.SetImage(image_, decoded);  // the same image again is not disposed
    EXPECT_EQ(LiveWidth(decoded), 7u);
    EXPECT_EQ(m_.GetWidth(image_), 7);
}

TEST_F(Image, ACopySharesTheImageWithoutOwningIt) {
    ASSERT_TRUE(m_.LoadFromBytes(image_, Banner()));
    OrviaImage* copy = m_.Copy(image_);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, image_);
    EXPECT_EQ(copy->methods->GetImage(copy), image_->image);
    EXPECT_EQ(copy->memory, image_->memory);
    EXPECT_EQ(copy->methods->GetWidth(copy), kBannerWidth);
    EXPECT_EQ(copy->methods->GetHeight(copy), kBannerHeight);

    orvia::FreeOrviaImage(copy);
    EXPECT_EQ(LiveWidth(m_.GetImage(image_)), static_cast<UINT>(kBannerWidth))
        << "freeing the copy must leave the original's image alive";
    EXPECT_NE(GlobalSize(image_->memory), 0u);
}

TEST(BannerImage, IsCreatedOnceAndFreedWithItsPicture) {
    ASSERT_NE(orvia::g_bannerImage, nullptr) << "the start-up objects include the banner picture";
    OrviaImage* banner = orvia::g_bannerImage;
    orvia::NewBannerImage();
    EXPECT_EQ(orvia::g_bannerImage, banner) << "a second creation keeps the existing object";

    ASSERT_TRUE(banner->methods->LoadFromBytes(banner, Banner()));
    IStream* stream = banner->stream;
    stream->AddRef();
    orvia::FreeBannerImage();
    EXPECT_EQ(orvia::g_bannerImage, nullptr);
    EXPECT_EQ(OthersHolding(stream), 0u) << "freeing the banner releases its picture";
    orvia::FreeBannerImage();  // nothing left to free

    orvia::NewBannerImage();
    ASSERT_NE(orvia::g_bannerImage, nullptr);
    EXPECT_EQ(orvia::g_bannerImage->methods->GetImage(orvia::g_bannerImage), nullptr);
}

}  // namespace
