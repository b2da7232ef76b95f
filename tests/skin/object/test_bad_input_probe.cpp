#include <gtest/gtest.h>
#include "skin/render/render.h"
#include <cstdio>
#include <string>
#include <vector>
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/embedded.h"
#include "skin/theme/theme.h"
#include "tests/harness/frame_fixture.h"

namespace {
struct Clock { static DWORD now() { return GetTickCount(); } };
double Ms(DWORD t) { return GetTickCount() - t; }

const std::uint8_t kJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01,
    0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43,
    0x00, 0x10, 0x0B, 0x0C, 0x0E, 0x0C, 0x0A, 0x10, 0x0E, 0x0D, 0x0E, 0x12,
    0x11, 0x10, 0x13, 0x18, 0x28, 0x1A, 0x18, 0x16, 0x16, 0x18, 0x31, 0x23,
    0x25, 0x1D, 0x28, 0x3A, 0x33, 0x3D, 0x3C, 0x39, 0x33, 0x38, 0x37, 0x40,
    0x48, 0x5C, 0x4E, 0x40, 0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6D, 0x51,
    0x57, 0x5F, 0x62, 0x67, 0x68, 0x67, 0x3E, 0x4D, 0x71, 0x79, 0x70, 0x64,
    0x78, 0x5C, 0x65, 0x67, 0x63, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08,
    0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,
    0x3F, 0xFF, 0xD9,
};

std::uint32_t Crc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void Try(const char* name, std::vector<std::uint8_t> b) {
    auto* s = orvia::g_skin;
    auto t = Clock::now();
    bool ok = s->methods->SetImageFromBytes(s, orvia::ByteSpan(b.data(), b.size()));
    printf("PROBE bytes %-20s ok=%d w=%d h=%d %.1f ms\n", name, ok, orvia::g_bannerImage->width, orvia::g_bannerImage->height, Ms(t));
}

TEST(Probe, Images) {
    auto png = orvia::embedded::SkinImagePng();
    std::vector<std::uint8_t> p(png.begin(), png.end());
    printf("png size %zu IHDR w=%u\n", p.size(), (p[16]<<24)|(p[17]<<16)|(p[18]<<8)|p[19]);
    Try("png", p);
    Try("png-trunc100", std::vector<std::uint8_t>(p.begin(), p.begin() + 100));
    Try("png-trunc-half", std::vector<std::uint8_t>(p.begin(), p.begin() + p.size() / 2));
    Try("png-33", std::vector<std::uint8_t>(p.begin(), p.begin() + 33));
    auto huge = p;
    for (int i : {16, 20}) { huge[i] = 0x00; huge[i+1] = 0x01; huge[i+2] = 0x86; huge[i+3] = 0xA0; }
    std::uint32_t c = Crc(&huge[12], 17);
    huge[29] = c >> 24; huge[30] = c >> 16; huge[31] = c >> 8; huge[32] = c;
    Try("png-huge", huge);
    std::vector<std::uint8_t> j(std::begin(kJpeg), std::end(kJpeg));
    Try("jpeg", j);
    Try("jpeg-noeoi", std::vector<std::uint8_t>(j.begin(), j.end() - 2));
    Try("jpeg-noscan", std::vector<std::uint8_t>(j.begin(), j.begin() + 146));
    Try("jpeg-half", std::vector<std::uint8_t>(j.begin(), j.begin() + 60));
    auto hj = j; hj[94]=0xFF; hj[95]=0xFF; hj[96]=0xFF; hj[97]=0xFF;
    Try("jpeg-huge", hj);
    Try("garbage", std::vector<std::uint8_t>(1000, 0x5A));
    Try("one", {0x89});
    auto t = Clock::now();
    auto s = orvia::g_skin;
    std::string longName(300, 'a');
    printf("PROBE file long %d %.1f\n", s->methods->SetImageFromFile(s, longName.c_str()), Ms(t));
    std::string mb(1 << 20, 'a');
    t = Clock::now();
    printf("PROBE file 1mb %d %.1f\n", s->methods->SetImageFromFile(s, mb.c_str()), Ms(t));
    char tmp[MAX_PATH]; GetTempPathA(MAX_PATH, tmp);
    printf("PROBE file dir %d\n", s->methods->SetImageFromFile(s, tmp));
    printf("PROBE file lead %d\n", s->methods->SetImageFromFile(s, "abc\x81"));
    s->methods->SetSkinColor(s, 0xD2B30E);
}

TEST(Probe, Texts) {
    harness::SkinnedFrame frame;
    auto s = orvia::g_skin;
    for (size_t n : {1000u, 10000u, 100000u}) {
        std::string mb(n, 'x');
        auto t = Clock::now();
        s->methods->SetStatusText(s, frame, mb.c_str());
        printf("PROBE status %zu %.1f ms\n", n, Ms(t));
        std::string sp;
        for (size_t i = 0; i < n; ++i) sp += (i % 2) ? ' ' : 'x';
        t = Clock::now();
        s->methods->SetStatusText(s, frame, sp.c_str());
        printf("PROBE status spaced %zu %.1f ms\n", n, Ms(t));
        t = Clock::now();
        s->methods->AddPage(s, frame, mb.c_str(), {}, std::nullopt, std::nullopt);
        printf("PROBE page %zu %.1f ms\n", n, Ms(t));
        fflush(stdout);
    }
}

TEST(Probe, MinSize) {
    harness::AttachArgs a; a.minWidth = INT_MAX; a.minHeight = INT_MAX; a.sizable = true;
    harness::SkinnedFrame::Options o; o.attach = a;
    harness::SkinnedFrame frame(o);
    MoveWindow(frame, 100, 100, 300, 200, TRUE);
    harness::PumpMessages();
    RECT r; GetWindowRect(frame, &r);
    printf("PROBE min INT_MAX rect %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    harness::AttachArgs b; b.minWidth = -500; b.minHeight = -500;
    o.attach = b;
    harness::SkinnedFrame f2(o);
    MoveWindow(f2, 100, 100, 0, 0, TRUE);
    harness::PumpMessages();
    GetWindowRect(f2, &r);
    printf("PROBE min neg rect %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    harness::AttachArgs c; c.minWidth = 5000; c.minHeight = 4000;
    o.attach = c;
    harness::SkinnedFrame f3(o);
    MoveWindow(f3, 100, 100, 300, 200, TRUE);
    harness::PumpMessages();
    GetWindowRect(f3, &r);
    printf("PROBE min 5000 rect %ld %ld %ld %ld  maxtrack %d %d\n", r.left, r.top, r.right, r.bottom, GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
}

TEST(Probe, Misc) {
    HBRUSH b = CreateSolidBrush(0xFF123456);
    LOGBRUSH lb{}; int n = GetObjectW(b, sizeof lb, &lb);
    printf("PROBE brush %p %d %08lx\n", (void*)b, n, lb.lbColor);
    b = CreateSolidBrush(0x01000005);
    n = GetObjectW(b, sizeof lb, &lb);
    printf("PROBE brush pal %p %d %08lx\n", (void*)b, n, lb.lbColor);
    ICONINFO ii{};
    printf("PROBE iconinfo bogus %d\n", GetIconInfo(reinterpret_cast<HICON>(0x12345678), &ii));
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0,0,10,10, GetDesktopWindow(), nullptr, nullptr, nullptr);
    printf("PROBE child hwnd as icon %d\n", GetIconInfo(reinterpret_cast<HICON>(child), &ii));
    DestroyWindow(child);
    printf("PROBE appicon %d\n", GetIconInfo(orvia::g_theme->appIcon, &ii));
}
}  // namespace
