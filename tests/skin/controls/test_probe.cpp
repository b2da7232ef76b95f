#include "tests/skin/controls/controls_fixture.h"
#include <cstdio>
namespace {
int CALLBACK Enum(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM) {
    std::printf("rec %lu\n", r->iType);
    if (r->iType == EMR_BITBLT) { auto* b = (const EMRBITBLT*)r; std::printf("  bitblt %ld %ld %ld %ld src %ld %ld\n", b->xDest, b->yDest, b->cxDest, b->cyDest, b->xSrc, b->ySrc); }
    if (r->iType == EMR_STRETCHBLT) { auto* b = (const EMRSTRETCHBLT*)r; std::printf("  stretch %ld %ld %ld %ld src %ld %ld %ld %ld\n", b->xDest, b->yDest, b->cxDest, b->cyDest, b->xSrc, b->ySrc, b->cxSrc, b->cySrc); }
    return 1;
}
TEST(Probe, Emf) {
    HDC emf = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    orvia::DrawNineGrid(emf, RECT{0,0,80,30}, RECT{0,0,40,23}, RECT{5,5,35,18});
    HENHMETAFILE h = CloseEnhMetaFile(emf);
    EnumEnhMetaFile(nullptr, h, Enum, nullptr, nullptr);
    DeleteEnhMetaFile(h);
    harness::TestWindow host(controls_test::HostOptions());
    HWND b = controls_test::AddButton(host, BS_PUSHBUTTON, L"OK", 10, 10, 40, 23);
    orvia::SkinChildControls(host);
    emf = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    orvia::PaintSkinnedButton(b, emf);
    h = CloseEnhMetaFile(emf);
    std::printf("--- paint\n");
    EnumEnhMetaFile(nullptr, h, Enum, nullptr, nullptr);
    DeleteEnhMetaFile(h);
    auto p = controls_test::Repainted(b);
    auto c = controls_test::SpriteCell(0,0,40,23);
    std::printf("px %06lx %06lx  %06lx %06lx\n", p.At(0,0), c.At(0,0), p.At(20,2), c.At(20,2));
    std::printf("diff: %s\n", controls_test::CompareBlock(p,0,0,c,0,0,40,23).c_str());
}
}
