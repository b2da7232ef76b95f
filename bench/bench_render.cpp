// Figures for the frame rendering: a full render at the program's size and at
// a full-screen size, against a straight-line replay of the same GDI and GDI+
// calls on the same surfaces; the paint path against one blit; one item's
// refresh against a full render; and a soak whose GDI and USER counts must
// end where they started.  Prints figures only: nothing here passes or fails
// but the soak's counts.
#include "bench/bench_support.h"
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/render/banner_source.h"
#include "skin/render/frame_geometry.h"
#include "skin/render/gdi_scoped.h"
#include "skin/render/render.h"
#include "skin/theme/theme.h"
#include "tests/skin/render/gui_resources.h"

namespace orvia::embedded {
std::span<const std::uint8_t> BenchBannerJpeg();
}

namespace {

using orvia::OrviaSkin;

using bench_support::NowMs;
using bench_support::Pump;

struct Stats {
    double median = 0, mean = 0, best = 0;
};

Stats Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    Stats s;
    s.best = times.front();
    s.median = times[times.size() / 2];
    for (double t : times) s.mean += t;
    s.mean /= static_cast<double>(times.size());
    return s;
}

double TimeOnce(const std::function<void()>& op) {
    const double start = NowMs();
    op();
    GdiFlush();
    return NowMs() - start;
}

// Runs `op` a few times unmeasured, then `runs` times, each timed alone.
Stats Measure(int runs, const std::function<void()>& op) {
    for (int i = 0; i < 3; ++i) op();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(TimeOnce(op));
    return Summarise(std::move(times));
}

// Two operations timed in turn, so that whatever else the machine is doing
// weighs on both alike.
std::pair<Stats, Stats> MeasurePair(int runs, const std::function<void()>& a, const std::function<void()>& b) {
    for (int i = 0; i < 3; ++i) {
        a();
        b();
    }
    std::vector<double> ta, tb;
    for (int i = 0; i < runs; ++i) {
        ta.push_back(TimeOnce(a));
        tb.push_back(TimeOnce(b));
    }
    return {Summarise(std::move(ta)), Summarise(std::move(tb))};
}

void PrintStats(const char* what, const Stats& s) {
    std::printf("  %-44s median %8.3f ms   mean %8.3f ms   best %8.3f ms\n", what, s.median, s.mean, s.best);
}

// The program's own frame: the banner picture, Close and Minimize, the status
// notice and one selected page tab.
struct Frame {
    HWND window = nullptr;
    HWND page = nullptr;
};

Frame MakeFrame(int width, int height) {
    OrviaSkin* skin = orvia::g_skin;
    const orvia::OrviaSkinMethods& m = *skin->methods;
    Frame f;
    f.window = CreateWindowExW(0, L"BenchFrame", L"TovrinV1.0", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, width,
                               height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(f.window, SW_SHOWNOACTIVATE);
    m.AttachSkin(skin, f.window, std::nullopt, std::nullopt, true, false, false, false, false, std::nullopt,
                 std::nullopt);
    m.SetStatusText(skin, f.window, "\xb7\xb5\xbb\xd8\xb2\xe9\xd1\xaf\xc7\xeb\xb5\xe3\xd3\xd2\xc9\xcf\xbd\xc7");
    f.page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, f.window, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    m.AddPage(skin, f.window, "\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf", {}, f.page, std::nullopt);
    m.SelectPage(skin, f.window, "\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf");
    UpdateWindow(f.window);
    Pump();
    return f;
}

void DestroyFrame(Frame& f) {
    DestroyWindow(f.window);
    Pump();
    f = {};
}

template <typename T>
T Prop(HWND window, const char* name) {
    return reinterpret_cast<T>(orvia::GetProperty(window, name));
}

// Every argument of one render worked out beforehand, so that the replay is
// nothing but the drawing calls.
struct ReplayScript {
    int W = 0, H = 0;
    HDC cache = nullptr, back = nullptr;
    HBITMAP cacheBitmap = nullptr, backBitmap = nullptr;
    HGDIOBJ cacheOld = nullptr, backOld = nullptr;
    gdip::GpImage* skinImage = nullptr;
    gdip::GpImage* banner = nullptr;
    orvia::ImagePart bannerPart, gloss, statusGloss;
    std::optional<orvia::GradientBand> leftFade;
    orvia::GradientBand bottomFade;
    COLORREF skinColor = 0;
    orvia::DrawRect client, outline;
    std::array<orvia::ImagePart, 8> border;
    std::wstring title;
    struct Text {
        std::wstring text;
        int x, y, w, h;
        gdip::GpFont* font;
        gdip::GpStringFormat* format;
    };
    std::vector<orvia::ImagePart> images;  // caption buttons and the tab background
    std::vector<Text> texts;               // the status text and the tab title
    struct Icon {
        HICON icon;
        int x, y, size;
    };
    std::vector<Icon> icons;  // the tab's
};

ReplayScript ScriptFor(HWND window) {
    using namespace orvia;
    const OrviaTheme& t = *g_theme;
    ReplayScript s;
    RECT rc{};
    GetWindowRect(window, &rc);
    s.W = rc.right - rc.left;
    s.H = rc.bottom - rc.top;
    const int bh = GetIntProperty(window, prop::kBannerHeight), sh = GetIntProperty(window, prop::kStatusHeight);
    s.cache = Prop<HDC>(window, prop::kCacheDC);
    s.back = Prop<HDC>(window, prop::kBackDC);
    s.cacheBitmap = Prop<HBITMAP>(window, prop::kCacheBitmap);
    s.backBitmap = Prop<HBITMAP>(window, prop::kBackBitmap);
    s.cacheOld = Prop<HGDIOBJ>(window, prop::kCacheOldBitmap);
    s.backOld = Prop<HGDIOBJ>(window, prop::kBackOldBitmap);
    s.skinImage = t.skinImage;
    s.banner = BannerPicture();
    const BannerPlacement placement = PlaceBanner(s.W, bh, t.bannerImageWidth, t.bannerImageHeight);
    s.bannerPart = BannerPart(placement);
    s.leftFade = LeftFade(placement, bh);
    s.bottomFade = BottomFade(s.W, bh);
    s.skinColor = t.skinColor;
    s.gloss = CaptionGloss(s.W);
    s.statusGloss = StatusGloss(s.W, s.H, sh);
    s.client = ClientFill(s.W, s.H, bh, sh);
    s.outline = ClientOutline(s.W, s.H, bh, sh);
    s.border = FrameBorder(s.W, s.H);
    s.title = L"TovrinV1.0";
    for (const FrameItem& item : FindFrame(window)->Items) {
        const DrawRect dst{double(item.nLeft), double(item.nTop), double(item.nWidth), double(item.nHeight)};
        if (item.nKind == kItemCaptionButton && item.bVisible) s.images.push_back({dst, CaptionButtonSource(item)});
        if (item.nKind == kItemPageTab) {
            if (auto x = TabBackgroundSourceX(item)) s.images.push_back({dst, {*x, 90, dst.width, dst.height}});
            const POINT at = TabIconPosition(item);
            s.icons.push_back({item.hIcon, at.x, at.y, 32});
            const PixelBox box = TabTitleBox(item);
            const auto wide = ToUtf16(item.sText.c_str());
            s.texts.push_back({wide.data(), box.left, box.top, box.width, box.height, t.itemFont, t.centeredFormat});
        }
        if (item.nKind == kItemStatus) {
            const auto wide = ToUtf16(item.sText.c_str());
            s.texts.push_back(
                {wide.data(), item.nLeft, item.nTop, item.nWidth, item.nHeight, t.itemFont, t.leftFormat});
        }
    }
    return s;
}

void ReplayImage(gdip::GpGraphics* g, gdip::GpImage* image, const orvia::ImagePart& p) {
    gdip::GdipDrawImageRectRect(g, image, float(p.dst.x), float(p.dst.y), float(p.dst.width), float(p.dst.height),
                                float(p.src.x), float(p.src.y), float(p.src.width), float(p.src.height),
                                gdip::UnitPixel, nullptr, nullptr, nullptr);
}

void ReplayFade(gdip::GpGraphics* g, COLORREF color, const orvia::GradientBand& b) {
    const gdip::PointF from{float(b.fromX), float(b.fromY)}, to{float(b.toX), float(b.toY)};
    gdip::GpLineGradient* brush = nullptr;
    gdip::GdipCreateLineBrush(&from, &to, orvia::ColorToArgb(color, b.fromAlpha), orvia::ColorToArgb(color, b.toAlpha),
                              gdip::WrapModeTile, &brush);
    gdip::GdipFillRectangle(g, gdip::AsBrush(brush), float(b.fill.x), float(b.fill.y), float(b.fill.width),
                            float(b.fill.height));
    gdip::GdipDeleteBrush(gdip::AsBrush(brush));
}

void ReplayText(gdip::GpGraphics* g, const wchar_t* text, gdip::GpFont* font, int x, int y, int w, int h,
                gdip::GpStringFormat* format) {
    const orvia::OrviaTheme& t = *orvia::g_theme;
    static const int offsets[6][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {1, -1}, {1, 0}, {1, 1}};
    for (const auto& o : offsets) {
        const gdip::RectF r{float(x + o[0]), float(y + o[1]), float(w), float(h)};
        gdip::GdipDrawString(g, text, -1, font, &r, format, gdip::AsBrush(t.textHaloBrush));
    }
    const gdip::RectF r{float(x), float(y), float(w), float(h)};
    gdip::GdipDrawString(g, text, -1, font, &r, format, gdip::AsBrush(t.textBrush));
}

// Where a replay's time goes, added up over the runs when asked for.
struct Phases {
    double surfaces = 0, background = 0, backCopy = 0, caption = 0, items = 0, region = 0;
};

// The same calls as a full render, in the same order, with nothing worked out.
void Replay(HWND window, ReplayScript& s, Phases* phases = nullptr) {
    double mark = phases ? NowMs() : 0;
    auto lap = [&](double Phases::*slot) {
        if (!phases) return;
        GdiFlush();
        const double now = NowMs();
        phases->*slot += now - mark;
        mark = now;
    };
    const orvia::OrviaTheme& t = *orvia::g_theme;
    HDC wdc = GetDC(window);
    SelectObject(s.cache, s.cacheOld);
    DeleteObject(s.cacheBitmap);
    SelectObject(s.back, s.backOld);
    DeleteObject(s.backBitmap);
    s.cacheBitmap = CreateCompatibleBitmap(wdc, s.W, s.H);
    SelectObject(s.cache, s.cacheBitmap);
    s.backBitmap = CreateCompatibleBitmap(wdc, s.W, s.H);
    SelectObject(s.back, s.backBitmap);
    gdip::GpGraphics* g = nullptr;
    gdip::GdipCreateFromHDC(s.cache, &g);
    lap(&Phases::surfaces);
    gdip::GdipFillRectangle(g, gdip::AsBrush(t.skinColorBrush), 0, 0, float(s.W), float(s.H));
    if (s.banner) {
        ReplayImage(g, s.banner, s.bannerPart);
        if (s.leftFade) ReplayFade(g, s.skinColor, *s.leftFade);
        ReplayFade(g, s.skinColor, s.bottomFade);
    }
    ReplayImage(g, s.skinImage, s.gloss);
    ReplayImage(g, s.skinImage, s.statusGloss);
    gdip::GdipFillRectangle(g, gdip::AsBrush(t.backFill), float(s.client.x), float(s.client.y), float(s.client.width),
                            float(s.client.height));
    gdip::GdipDrawRectangle(g, t.borderPen, float(s.outline.x), float(s.outline.y), float(s.outline.width),
                            float(s.outline.height));
    for (const auto& part : s.border) ReplayImage(g, s.skinImage, part);
    lap(&Phases::background);
    BitBlt(s.back, 0, 0, s.W, s.H, s.cache, 0, 0, SRCCOPY);
    lap(&Phases::backCopy);
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = t.appIcon;
    DrawIconEx(s.cache, 8, 6, icon, 16, 16, 0, nullptr, DI_NORMAL);
    wchar_t title[64];
    GetWindowTextLengthW(window);
    GetWindowTextW(window, title, 64);
    ReplayText(g, title, t.captionFont, 28, 9, 0, 0, nullptr);
    lap(&Phases::caption);
    for (const auto& part : s.images) ReplayImage(g, s.skinImage, part);
    for (const auto& i : s.icons) DrawIconEx(s.cache, i.x, i.y, i.icon, i.size, i.size, 0, nullptr, DI_NORMAL);
    for (const auto& x : s.texts) ReplayText(g, x.text.c_str(), x.font, x.x, x.y, x.w, x.h, x.format);
    lap(&Phases::items);
    SetWindowRgn(window, CreateRoundRectRgn(0, 0, s.W + 1, s.H + 1, 3, 3), TRUE);
    gdip::GdipDeleteGraphics(g);
    ReleaseDC(window, wdc);
    lap(&Phases::region);
}

void RenderFigures(int width, int height, int runs) {
    Frame f = MakeFrame(width, height);
    std::printf("\nFull render at %d x %d (%d runs)\n", width, height, runs);
    // The replay works on the frame's own DCs and bitmaps; after each run the
    // properties are pointed at the bitmaps it made, outside the timing.
    const auto adopt = [&](ReplayScript& script) {
        orvia::SetProperty(f.window, orvia::prop::kCacheBitmap, reinterpret_cast<LONG_PTR>(script.cacheBitmap));
        orvia::SetProperty(f.window, orvia::prop::kBackBitmap, reinterpret_cast<LONG_PTR>(script.backBitmap));
    };
    ReplayScript script = ScriptFor(f.window);
    const auto [ours, replay] = MeasurePair(
        runs,
        [&] {
            orvia::RenderFrame(f.window, true);
            script.cacheBitmap = Prop<HBITMAP>(f.window, orvia::prop::kCacheBitmap);
            script.backBitmap = Prop<HBITMAP>(f.window, orvia::prop::kBackBitmap);
        },
        [&] {
            Replay(f.window, script);
            adopt(script);
        });
    PrintStats("RenderFrame(force)", ours);
    PrintStats("straight-line replay of the same calls", replay);
    std::printf("  ratio RenderFrame / replay: median %.3f, mean %.3f\n", ours.median / replay.median,
                ours.mean / replay.mean);
    Phases phases;
    const int phaseRuns = std::max(10, runs / 4);
    for (int i = 0; i < phaseRuns; ++i) Replay(f.window, script, &phases);
    adopt(script);
    const double total =
        phases.surfaces + phases.background + phases.backCopy + phases.caption + phases.items + phases.region;
    auto share = [&](const char* what, double t) {
        std::printf("    %-36s %8.3f ms  %5.1f %%\n", what, t / phaseRuns, 100.0 * t / total);
    };
    std::printf("  where the replay's time goes (mean of %d):\n", phaseRuns);
    share("bitmaps, window DC, graphics", phases.surfaces);
    share("fill, banner, fades, glosses, border", phases.background);
    share("copy to the back surface", phases.backCopy);
    share("icon and title (7 text passes)", phases.caption);
    share("items (buttons, tab, status text)", phases.items);
    share("window region (SetWindowRgn)", phases.region);
    DestroyFrame(f);
}

void PaintFigures(int runs) {
    Frame f = MakeFrame(512, 411);
    RECT rc{};
    GetClientRect(f.window, &rc);
    std::printf("\nPaint at 512 x 411 (%d runs)\n", runs);
    HDC cache = Prop<HDC>(f.window, orvia::prop::kCacheDC);
    const auto [paint, blit] = MeasurePair(
        runs,
        [&] {
            InvalidateRect(f.window, nullptr, FALSE);
            UpdateWindow(f.window);
        },
        [&] {
            HDC dc = GetDC(f.window);
            BitBlt(dc, 0, 0, rc.right, rc.bottom, cache, 0, 0, SRCCOPY);
            ReleaseDC(f.window, dc);
        });
    PrintStats("WM_PAINT of the skinned frame", paint);
    const Stats paintErase = Measure(runs, [&] {
        InvalidateRect(f.window, nullptr, TRUE);
        UpdateWindow(f.window);
    });
    PrintStats("WM_PAINT with WM_ERASEBKGND", paintErase);
    PrintStats("one BitBlt of the same rectangle", blit);
    std::printf("  ratio WM_PAINT / BitBlt: median %.3f\n", paint.median / blit.median);

    std::printf("\nItem refresh at 512 x 411 (%d runs)\n", runs);
    orvia::FrameRecord* record = orvia::FindFrame(f.window);
    const int close = 1;
    const auto [refresh, full] = MeasurePair(
        runs,
        [&] {
            orvia::FrameItem& item = record->Items[close - 1];
            item.bHover = !item.bHover;
            orvia::RefreshItem(f.window, close);
        },
        [&] { orvia::RenderFrame(f.window, true); });
    PrintStats("RefreshItem (Close, hover toggled)", refresh);
    PrintStats("RenderFrame(force)", full);
    std::printf("  ratio RefreshItem / RenderFrame: median %.4f\n", refresh.median / full.median);
    DestroyFrame(f);
}

void Soak(int iterations) {
    {
        Frame warmUp = MakeFrame(512, 411);  // first-use allocations of the system's own
        orvia::RenderFrame(warmUp.window, true);
        DestroyFrame(warmUp);
    }
    const bool native = render_test::GuiResourcesImplemented();
    const DWORD gdiBefore = render_test::GdiObjectCount(), userBefore = render_test::UserObjectCount();
    std::printf("\nSoak: %d resizes (each a full render) and item refreshes, a new frame every 1000\n", iterations);
    std::printf("  counts from %s\n", native ? "GetGuiResources"
                                             : "the GDI handle table and the thread's windows (GetGuiResources "
                                               "is not implemented here)");
    std::printf("  before: GDI %lu, USER %lu\n", gdiBefore, userBefore);
    const double start = NowMs();
    Frame f = MakeFrame(512, 411);
    int renders = 0;
    for (int i = 0; i < iterations; ++i) {
        if (i > 0 && i % 1000 == 0) {
            DestroyFrame(f);
            f = MakeFrame(400 + i % 300, 300 + i % 200);
        }
        // Sizes around the program's own, so that the soak is about leaks rather
        // than about how long a large frame takes.
        const int w = 200 + (i * 37) % 400, h = 150 + (i * 53) % 300;
        SetWindowPos(f.window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ++renders;
        orvia::FrameRecord* record = orvia::FindFrame(f.window);
        const int item = 1 + i % record->nItemCount;
        record->Items[static_cast<std::size_t>(item - 1)].bHover ^= 1;
        orvia::RefreshItem(f.window, item);
        if (i % 16 == 0) Pump();
    }
    DestroyFrame(f);
    Pump();
    const DWORD gdiAfter = render_test::GdiObjectCount(), userAfter = render_test::UserObjectCount();
    std::printf("  %d renders in %.1f s\n", renders, (NowMs() - start) / 1000.0);
    std::printf("  after:  GDI %lu, USER %lu  -> %s\n", gdiAfter, userAfter,
                gdiAfter == gdiBefore && userAfter == userBefore ? "unchanged" : "CHANGED");
}

}  // namespace

int main(int argc, char** argv) {
    const int soakIterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"BenchFrame";
    RegisterClassExW(&wc);

    // The program's start-up order of the process-wide objects.
    orvia::g_skin = orvia::NewOrviaSkin();
    orvia::NewTheme();
    orvia::NewBannerImage();
    orvia::NewFrameRegistry();
    orvia::BuildTheme();
    OrviaSkin* skin = orvia::g_skin;
    skin->methods->SetImageFromBytes(skin, orvia::embedded::BenchBannerJpeg());

    std::printf("Frame rendering figures (GDI+ %s)\n", gdip::IsAvailable() ? "loaded" : "MISSING");
    RenderFigures(512, 411, 200);
    RenderFigures(1920, 1040, 60);
    PaintFigures(300);
    Soak(soakIterations);
    return 0;
}
