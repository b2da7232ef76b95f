// Our own declarations of the GDI+ flat interface.  gdiplus.dll is loaded by
// name at run time and every entry point is resolved once; nothing links
// against an import library, so the program still starts (and draws nothing
// with GDI+) on a system where the DLL or an entry point is missing.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>

namespace gdip {

using Status = int;
using ARGB = std::uint32_t;
using REAL = float;

constexpr Status Ok = 0;
constexpr Status InvalidParameter = 2;
constexpr Status FontFamilyNotFound = 14;
// Returned by every wrapper whose entry point could not be resolved.
constexpr Status NotLoaded = 18;

enum Unit : int { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2 };
enum FontStyle : int { FontStyleRegular = 0, FontStyleBold = 1 };
enum StringAlignment : int { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum WrapMode : int { WrapModeTile = 0 };

// Opaque handles: GDI+ hands out pointers whose layout we never look into.
struct GpImage;
struct GpBrush;
struct GpSolidFill;
struct GpLineGradient;
struct GpPen;
struct GpFont;
struct GpFontFamily;
struct GpFontCollection;
struct GpStringFormat;
struct GpGraphics;
struct GpImageAttributes;

struct PointF {
    REAL X;
    REAL Y;
};
struct RectF {
    REAL X;
    REAL Y;
    REAL Width;
    REAL Height;
};
struct StartupInput {
    std::uint32_t GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

// True once gdiplus.dll has been loaded (or attempted) and reports whether it
// was found.
bool IsAvailable();

Status GdiplusStartup(ULONG_PTR* token, const StartupInput* input, void* output);
Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
Status GdipDeleteBrush(GpBrush* brush);
Status GdipCreateLineBrush(const PointF* p1, const PointF* p2, ARGB c1, ARGB c2, WrapMode wrap,
                           GpLineGradient** brush);
Status GdipCreatePen1(ARGB color, REAL width, Unit unit, GpPen** pen);
Status GdipDeletePen(GpPen* pen);
Status GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection,
                                    GpFontFamily** family);
Status GdipDeleteFontFamily(GpFontFamily* family);
Status GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID language);
Status GdipCreateFont(const GpFontFamily* family, REAL emSize, int style, int unit, GpFont** font);
Status GdipDeleteFont(GpFont* font);
Status GdipGetFamily(GpFont* font, GpFontFamily** family);
Status GdipGetFontStyle(GpFont* font, int* style);
Status GdipGetFontSize(GpFont* font, REAL* size);
Status GdipCreateStringFormat(int flags, LANGID language, GpStringFormat** format);
Status GdipDeleteStringFormat(GpStringFormat* format);
Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align);
Status GdipGetStringFormatLineAlign(GpStringFormat* format, StringAlignment* align);
Status GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status GdipLoadImageFromFile(const WCHAR* fileName, GpImage** image);
Status GdipGetImageWidth(GpImage* image, UINT* width);
Status GdipGetImageHeight(GpImage* image, UINT* height);
Status GdipDisposeImage(GpImage* image);
Status GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);
Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width,
                         REAL height);
Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstX, REAL dstY,
                             REAL dstWidth, REAL dstHeight, REAL srcX, REAL srcY, REAL srcWidth,
                             REAL srcHeight, Unit srcUnit, const GpImageAttributes* attributes,
                             void* abortCallback, void* callbackData);
Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                         REAL height);
Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width,
                         REAL height);
Status GdipDrawString(GpGraphics* graphics, const WCHAR* text, int length, const GpFont* font,
                      const RectF* layout, const GpStringFormat* format, const GpBrush* brush);
Status GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
Status GdipGetPenColor(GpPen* pen, ARGB* color);
Status GdipGetPenWidth(GpPen* pen, REAL* width);

// A brush of any kind is passed where GDI+ expects its base type.
inline GpBrush* AsBrush(GpSolidFill* brush) { return reinterpret_cast<GpBrush*>(brush); }
inline GpBrush* AsBrush(GpLineGradient* brush) { return reinterpret_cast<GpBrush*>(brush); }

}  // namespace gdip
