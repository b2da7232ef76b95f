// Owners for the GDI and GDI+ objects that one drawing call makes for itself,
// so that every path out of it releases them.
#pragma once

#include <windows.h>

#include "gdiplus/gdiplus_flat.h"

namespace orvia {

// A GDI+ graphics object drawing on a device context.
class ScopedGraphics {
public:
    explicit ScopedGraphics(HDC dc) {
        if (dc) gdip::GdipCreateFromHDC(dc, &graphics_);
    }
    ~ScopedGraphics() {
        if (graphics_) gdip::GdipDeleteGraphics(graphics_);
    }
    ScopedGraphics(const ScopedGraphics&) = delete;
    ScopedGraphics& operator=(const ScopedGraphics&) = delete;
    gdip::GpGraphics* get() const { return graphics_; }

private:
    gdip::GpGraphics* graphics_ = nullptr;
};

// A linear-gradient brush made for one fill.
class ScopedLineBrush {
public:
    ScopedLineBrush(gdip::PointF from, gdip::PointF to, gdip::ARGB fromColor, gdip::ARGB toColor) {
        gdip::GdipCreateLineBrush(&from, &to, fromColor, toColor, gdip::WrapModeTile, &brush_);
    }
    ~ScopedLineBrush() {
        if (brush_) gdip::GdipDeleteBrush(gdip::AsBrush(brush_));
    }
    ScopedLineBrush(const ScopedLineBrush&) = delete;
    ScopedLineBrush& operator=(const ScopedLineBrush&) = delete;
    gdip::GpBrush* get() const { return brush_ ? gdip::AsBrush(brush_) : nullptr; }

private:
    gdip::GpLineGradient* brush_ = nullptr;
};

// GetDC (client) or GetWindowDC (whole window) of a window, released on scope exit.
class ScopedWindowDC {
public:
    enum Kind { Client, Whole };
    explicit ScopedWindowDC(HWND window, Kind kind = Client)
        : window_(window), dc_(kind == Whole ? GetWindowDC(window) : GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace orvia
