// The skin object's methods for the banner picture and the skin colour.
#include "skin/image/image.h"
#include "skin/object/slots.h"
#include "skin/theme/theme.h"

namespace orvia::slots {

namespace {

// A one-pixel drawing surface compatible with the screen, with a GDI+
// graphics object on it; everything is released on scope exit.
class OnePixelSurface {
public:
    OnePixelSurface() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 1, 1);
        ReleaseDC(nullptr, screen);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
        if (previous_) gdip::GdipCreateFromHDC(dc_, &graphics_);
    }
    ~OnePixelSurface() {
        if (graphics_) gdip::GdipDeleteGraphics(graphics_);
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    OnePixelSurface(const OnePixelSurface&) = delete;
    OnePixelSurface& operator=(const OnePixelSurface&) = delete;

    HDC dc() const { return dc_; }
    gdip::GpGraphics* graphics() const { return graphics_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    gdip::GpGraphics* graphics_ = nullptr;
};

void ReplaceSkinColorBrush(OrviaTheme& theme, COLORREF color) {
    if (theme.skinColorBrush) gdip::GdipDeleteBrush(gdip::AsBrush(theme.skinColorBrush));
    theme.skinColorBrush = NewSolidFill(ColorToArgb(color, 255));
}

}  // namespace

bool SetImageFromBytes(OrviaSkin* self, ByteSpan bytes) {
    self = CallTarget(self);
    if (!g_bannerImage || !g_bannerImage->methods->LoadFromBytes(g_bannerImage, bytes)) return false;
    self->methods->ApplyImage(self);
    return true;
}

bool SetImageFromFile(OrviaSkin* self, const char* fileName) {
    self = CallTarget(self);
    if (!g_bannerImage || !g_bannerImage->methods->LoadFromFile(g_bannerImage, fileName)) return false;
    self->methods->ApplyImage(self);
    return true;
}

void ApplyImage(OrviaSkin* self) {
    if (!g_theme || !g_bannerImage) return;
    self = CallTarget(self);
    OrviaTheme& theme = *g_theme;
    OrviaImage& banner = *g_bannerImage;
    // The frames never ask GDI+ for the picture's size while drawing.
    theme.bannerImageWidth = banner.methods->GetWidth(&banner);
    theme.bannerImageHeight = banner.methods->GetHeight(&banner);
    theme.skinColor = self->methods->SampleImageColor(self, banner.methods->GetImage(&banner));
    ReplaceSkinColorBrush(theme, theme.skinColor);
    self->methods->RedrawAllFrames(self);
}

COLORREF SampleImageColor(OrviaSkin*, gdip::GpImage* image) {
    if (!image) return 0;
    OnePixelSurface surface;
    if (!surface.graphics()) return 0;
    // Default quality settings on purpose: the colour is whatever GDI+ makes
    // of the whole picture in one pixel.
    gdip::GdipDrawImageRect(surface.graphics(), image, 0.0f, 0.0f, 1.0f, 1.0f);
    return GetPixel(surface.dc(), 0, 0);
}

bool SetSkinColor(OrviaSkin* self, COLORREF color) {
    self = CallTarget(self);
    if (g_bannerImage) g_bannerImage->methods->Release(g_bannerImage);
    // The banner sizes and the sampled colour stay: they are read only while
    // there is a picture, and the next picture sets them again.
    if (g_theme) ReplaceSkinColorBrush(*g_theme, color);
    self->methods->RedrawAllFrames(self);
    return true;
}

}  // namespace orvia::slots
