#include "skin/image/image.h"

#include <cstring>
#include <vector>

#include "skin/theme/theme.h"

namespace orvia {

OrviaImage* g_bannerImage = nullptr;

namespace {

void Release(OrviaImage* self) {
    if (self->ownsHandles) {
        // The image may still read from the stream, and the stream from the
        // block, so they go in that order.
        if (self->image) gdip::GdipDisposeImage(self->image);
        if (self->stream) self->stream->Release();
        if (self->memory) GlobalFree(self->memory);
    }
    self->image = nullptr;
    self->stream = nullptr;
    self->memory = nullptr;
    self->ownsHandles = true;
}

void Destroy(OrviaImage* self) { self->methods->Release(self); }

OrviaImage* Copy(OrviaImage* self) {
    OrviaImage* copy = new OrviaImage(*self);
    copy->ownsHandles = false;
    return copy;
}

void SetImage(OrviaImage* self, gdip::GpImage* image) {
    if (!image || image != self->image) self->methods->Release(self);
    self->image = image;
    UINT width = 0, height = 0;
    if (image) {
        gdip::GdipGetImageWidth(image, &width);
        gdip::GdipGetImageHeight(image, &height);
    }
    self->width = static_cast<std::int32_t>(width);
    self->height = static_cast<std::int32_t>(height);
}

bool LoadFromBytes(OrviaImage* self, ByteSpan bytes) {
    if (bytes.empty()) return false;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
    if (!block) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);

    // FALSE: the block is ours to free, after the image is gone.
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream)) || !stream) {
        GlobalFree(block);
        return false;
    }
    gdip::GpImage* image = nullptr;
    if (gdip::GdipLoadImageFromStream(stream, &image) != gdip::Ok || !image) {
        stream->Release();
        GlobalFree(block);
        return false;
    }
    // SetImage disposes the previous image before its block is freed.
    self->methods->SetImage(self, image);
    self->memory = block;
    self->stream = stream;
    return true;
}

bool LoadFromFile(OrviaImage* self, const char* fileName) {
    if (!fileName) return false;
    gdip::GpImage* image = nullptr;
    gdip::GdipLoadImageFromFile(PathToUtf16(fileName).data(), &image);
    if (!image) return false;
    self->methods->SetImage(self, image);
    return true;
}

gdip::GpImage* GetImage(OrviaImage* self) { return self->image; }
std::int32_t GetWidth(OrviaImage* self) { return self->width; }
std::int32_t GetHeight(OrviaImage* self) { return self->height; }

constexpr OrviaImageMethods kMethods = {
    Destroy, Copy, Release, LoadFromBytes, LoadFromFile, SetImage, GetImage, GetWidth, GetHeight,
};

}  // namespace

const OrviaImageMethods& DefaultImageMethods() { return kMethods; }

OrviaImage* NewOrviaImage() { return new OrviaImage{&kMethods}; }

void FreeOrviaImage(OrviaImage* image) {
    if (!image) return;
    image->methods->Destroy(image);
    delete image;
}

void NewBannerImage() {
    if (!g_bannerImage) g_bannerImage = NewOrviaImage();
}

void FreeBannerImage() {
    FreeOrviaImage(g_bannerImage);
    g_bannerImage = nullptr;
}

}  // namespace orvia
