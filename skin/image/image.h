// One GDI+ image together with what it was decoded from and its size, and
// the process-wide banner picture that every skinned frame draws in its
// caption band.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>

#include "gdiplus/gdiplus_flat.h"
#include "skin/skin_types.h"

namespace orvia {

struct OrviaImage;

// The image object's operations, in slot order.  Callers go through the
// table (self->methods->...), so replacing a slot replaces it everywhere.
// Every slot takes a live object; nothing throws.
struct OrviaImageMethods {
    // 0: releases what the object holds; called before its memory is freed.
    void (*Destroy)(OrviaImage* self);
    // 1: a new object sharing the same image, block and stream without owning
    //    them: releasing or destroying the copy forgets the handles and frees
    //    nothing.  The copy is valid only while `self` keeps that image.
    //    Free it with FreeOrviaImage.
    OrviaImage* (*Copy)(OrviaImage* self);
    // 2: disposes the image, then releases its stream and frees its block.
    //    The size stays as it was.
    void (*Release)(OrviaImage* self);
    // 3: decodes encoded image bytes (copied into a block of our own) and
    //    adopts the image.  False for an empty buffer or bytes that do not
    //    decode; the previous image is then kept.
    bool (*LoadFromBytes)(OrviaImage* self, ByteSpan bytes);
    // 4: decodes an image file (ANSI path) and adopts it.  False when no
    //    image comes back (null name, missing or unreadable file); the
    //    previous image is then kept.
    bool (*LoadFromFile)(OrviaImage* self, const char* fileName);
    // 5: releases the previous image and adopts `image` (null leaves the
    //    object empty with size 0 × 0), measuring it.  Handing back the image
    //    the object already holds only measures it again.
    void (*SetImage)(OrviaImage* self, gdip::GpImage* image);
    // 6-8: the fields as they are; GDI+ is not asked.
    gdip::GpImage* (*GetImage)(OrviaImage* self);
    std::int32_t (*GetWidth)(OrviaImage* self);
    std::int32_t (*GetHeight)(OrviaImage* self);
};

static_assert(sizeof(OrviaImageMethods) == 9 * sizeof(void*), "the image object has exactly 9 slots");

struct OrviaImage {
    const OrviaImageMethods* methods;
    gdip::GpImage* image = nullptr;
    // The block holding the encoded bytes of an image loaded from bytes; null
    // for an image from a file or none.  Freed only after the image that reads
    // from it is disposed.
    HGLOBAL memory = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The stream over `memory` that the decoder was given; GDI+ may read from
    // it for as long as the image exists, so it is released with the image.
    IStream* stream = nullptr;
    // False for a copy: its handles belong to the object it was copied from.
    bool ownsHandles = true;
};

// The table of this build, in slot order.
const OrviaImageMethods& DefaultImageMethods();

// An empty image object.
OrviaImage* NewOrviaImage();
// Calls slot 0, then frees the object.  Null is ignored.
void FreeOrviaImage(OrviaImage* image);

// The banner picture of every skinned frame: created empty at start-up (after
// the theme, before the frame registry), freed at exit.
extern OrviaImage* g_bannerImage;

// Creates g_bannerImage when there is none.
void NewBannerImage();
// Destroy, then frees g_bannerImage and sets it to null.
void FreeBannerImage();

}  // namespace orvia
