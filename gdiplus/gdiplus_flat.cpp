#include "gdiplus/gdiplus_flat.h"

namespace gdip {
namespace {

// One line per entry point: name, parameter list, argument list.  The table
// below and the forwarding wrappers are both generated from it so that a
// signature is written exactly once.
#define GDIP_FUNCTIONS(X)                                                                         \
    X(GdiplusStartup, (ULONG_PTR * a, const StartupInput* b, void* c), (a, b, c))                 \
    X(GdipCreateSolidFill, (ARGB a, GpSolidFill * *b), (a, b))                                    \
    X(GdipDeleteBrush, (GpBrush * a), (a))                                                        \
    X(GdipCreateLineBrush,                                                                        \
      (const PointF* a, const PointF* b, ARGB c, ARGB d, WrapMode e, GpLineGradient** f),         \
      (a, b, c, d, e, f))                                                                         \
    X(GdipCreatePen1, (ARGB a, REAL b, Unit c, GpPen * *d), (a, b, c, d))                         \
    X(GdipDeletePen, (GpPen * a), (a))                                                            \
    X(GdipCreateFontFamilyFromName, (const WCHAR* a, GpFontCollection* b, GpFontFamily** c),      \
      (a, b, c))                                                                                  \
    X(GdipDeleteFontFamily, (GpFontFamily * a), (a))                                              \
    X(GdipGetFamilyName, (const GpFontFamily* a, WCHAR* b, LANGID c), (a, b, c))                  \
    X(GdipCreateFont, (const GpFontFamily* a, REAL b, int c, int d, GpFont** e), (a, b, c, d, e)) \
    X(GdipDeleteFont, (GpFont * a), (a))                                                          \
    X(GdipGetFamily, (GpFont * a, GpFontFamily * *b), (a, b))                                     \
    X(GdipGetFontStyle, (GpFont * a, int* b), (a, b))                                             \
    X(GdipGetFontSize, (GpFont * a, REAL * b), (a, b))                                            \
    X(GdipCreateStringFormat, (int a, LANGID b, GpStringFormat** c), (a, b, c))                   \
    X(GdipDeleteStringFormat, (GpStringFormat * a), (a))                                          \
    X(GdipSetStringFormatAlign, (GpStringFormat * a, StringAlignment b), (a, b))                  \
    X(GdipSetStringFormatLineAlign, (GpStringFormat * a, StringAlignment b), (a, b))              \
    X(GdipGetStringFormatAlign, (GpStringFormat * a, StringAlignment * b), (a, b))                \
    X(GdipGetStringFormatLineAlign, (GpStringFormat * a, StringAlignment * b), (a, b))            \
    X(GdipLoadImageFromStream, (IStream * a, GpImage * *b), (a, b))                               \
    X(GdipLoadImageFromFile, (const WCHAR* a, GpImage** b), (a, b))                               \
    X(GdipGetImageWidth, (GpImage * a, UINT * b), (a, b))                                         \
    X(GdipGetImageHeight, (GpImage * a, UINT * b), (a, b))                                        \
    X(GdipDisposeImage, (GpImage * a), (a))                                                       \
    X(GdipCreateFromHDC, (HDC a, GpGraphics * *b), (a, b))                                        \
    X(GdipDeleteGraphics, (GpGraphics * a), (a))                                                  \
    X(GdipDrawImageRect, (GpGraphics * a, GpImage * b, REAL c, REAL d, REAL e, REAL f),           \
      (a, b, c, d, e, f))                                                                         \
    X(GdipDrawImageRectRect,                                                                      \
      (GpGraphics * a, GpImage * b, REAL c, REAL d, REAL e, REAL f, REAL g, REAL h, REAL i,       \
       REAL j, Unit k, const GpImageAttributes* l, void* m, void* n),                             \
      (a, b, c, d, e, f, g, h, i, j, k, l, m, n))                                                 \
    X(GdipFillRectangle, (GpGraphics * a, GpBrush * b, REAL c, REAL d, REAL e, REAL f),           \
      (a, b, c, d, e, f))                                                                         \
    X(GdipDrawRectangle, (GpGraphics * a, GpPen * b, REAL c, REAL d, REAL e, REAL f),             \
      (a, b, c, d, e, f))                                                                         \
    X(GdipDrawString,                                                                             \
      (GpGraphics * a, const WCHAR* b, int c, const GpFont* d, const RectF* e,                    \
       const GpStringFormat* f, const GpBrush* g),                                                \
      (a, b, c, d, e, f, g))                                                                      \
    X(GdipGetSolidFillColor, (GpSolidFill * a, ARGB * b), (a, b))                                 \
    X(GdipGetPenColor, (GpPen * a, ARGB * b), (a, b))                                             \
    X(GdipGetPenWidth, (GpPen * a, REAL * b), (a, b))

struct Api {
    bool loaded = false;
#define DECLARE_SLOT(name, params, args) Status(WINAPI* name) params = nullptr;
    GDIP_FUNCTIONS(DECLARE_SLOT)
#undef DECLARE_SLOT
};

// Resolved on first use; the DLL stays loaded for the life of the process,
// as GDI+ objects made from it are never all released.
const Api& Resolve() {
    static const Api api = [] {
        Api a;
        HMODULE dll = LoadLibraryW(L"gdiplus.dll");
        a.loaded = dll != nullptr;
        if (dll) {
#define RESOLVE_SLOT(name, params, args) \
    a.name = reinterpret_cast<decltype(a.name)>(reinterpret_cast<void*>(GetProcAddress(dll, #name)));
            GDIP_FUNCTIONS(RESOLVE_SLOT)
#undef RESOLVE_SLOT
        }
        return a;
    }();
    return api;
}

}  // namespace

bool IsAvailable() { return Resolve().loaded; }

#define DEFINE_WRAPPER(name, params, args)            \
    Status name params {                              \
        auto fn = Resolve().name;                     \
        return fn ? fn args : NotLoaded;              \
    }
GDIP_FUNCTIONS(DEFINE_WRAPPER)
#undef DEFINE_WRAPPER

}  // namespace gdip
