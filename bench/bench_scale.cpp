// Figures for the skin at scale: a full render and a hit test of one frame
// against its number of tabs (10, 100, 1,000), and RedrawAllFrames against
// the number of frames (1, 10, 100).  Each row prints the cost per tab or per
// frame, so that linear growth shows as a steady per-unit figure.  Prints
// figures only.
#include "bench/bench_support.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/interaction/item_logic.h"
#include "skin/object/orvia_skin.h"
#include "skin/render/render.h"
#include "skin/theme/theme.h"

namespace {

using bench_support::NowMs;
using bench_support::Pump;

// The median of `runs` timings of `op` (ms), after one unmeasured run.
double MedianMs(int runs, const std::function<void()>& op) {
    op();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        op();
        GdiFlush();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const orvia::OrviaSkinMethods& M() { return *orvia::g_skin->methods; }

HWND MakeFrame(int x, int y, int width, int height) {
    HWND window = CreateWindowExW(0, L"BenchScaleFrame", L"TovrinV1.0", WS_OVERLAPPEDWINDOW, x, y, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    M().AttachSkin(orvia::g_skin, window, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                   std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    M().SetStatusText(orvia::g_skin, window, "status");
    return window;
}

struct TabRow {
    int tabs = 0;
    double renderMs = 0;      // RenderFrame, forced
    double hitTestUs = 0;     // HitTestItems at a point on no item: the whole list is walked
    double mouseMoveUs = 0;   // WM_MOUSEMOVE through the frame procedure, same point
};

TabRow MeasureTabs(int tabs) {
    HWND frame = MakeFrame(40, 40, 800, 600);
    for (int i = 0; i < tabs; ++i)
        M().AddPage(orvia::g_skin, frame, ("tab " + std::to_string(i + 1)).c_str(), {}, std::nullopt, std::nullopt);
    UpdateWindow(frame);
    Pump();
    TabRow row;
    row.tabs = tabs;
    row.renderMs = MedianMs(tabs >= 1000 ? 9 : 21, [&] { orvia::RenderFrame(frame, true); });

    const orvia::FrameRecord& record = *orvia::FindFrame(frame);
    // Below the tab strip and above the status band: every item is tested and none is hit.
    constexpr int kMissX = 400, kMissY = 300;
    constexpr int kReps = 2000;
    volatile std::int32_t sink = 0;
    row.hitTestUs = MedianMs(9, [&] {
                        for (int r = 0; r < kReps; ++r) sink = sink + orvia::HitTestItems(record, kMissX, kMissY);
                    }) *
                    1000.0 / kReps;
    row.mouseMoveUs = MedianMs(9, [&] {
                          for (int r = 0; r < kReps; ++r)
                              SendMessageW(frame, WM_MOUSEMOVE, 0, MAKELPARAM(kMissX, kMissY));
                      }) *
                      1000.0 / kReps;
    DestroyWindow(frame);
    Pump();
    return row;
}

struct FrameRow {
    int frames = 0;
    double redrawAllMs = 0;  // RedrawAllFrames over every frame
    double attachMs = 0;     // making and attaching all of them
    double destroyMs = 0;    // destroying all of them, oldest first
};

FrameRow MeasureFrames(int count) {
    FrameRow row;
    row.frames = count;
    std::vector<HWND> frames;
    const double start = NowMs();
    for (int i = 0; i < count; ++i) frames.push_back(MakeFrame(10 + (i % 20) * 40, 10 + (i / 20) * 60, 400, 300));
    row.attachMs = NowMs() - start;
    Pump();
    row.redrawAllMs = MedianMs(count >= 100 ? 5 : 11, [&] {
        M().RedrawAllFrames(orvia::g_skin);
        // The invalidations are served from the cache surfaces; counted too.
        Pump();
    });
    const double destroyStart = NowMs();
    for (HWND frame : frames) DestroyWindow(frame);
    Pump();
    row.destroyMs = NowMs() - destroyStart;
    return row;
}

}  // namespace

int main() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"BenchScaleFrame";
    RegisterClassExW(&wc);

    orvia::g_skin = orvia::NewOrviaSkin();
    orvia::NewTheme();
    orvia::NewBannerImage();
    orvia::NewFrameRegistry();
    orvia::BuildTheme();

    // An 800 x 600 frame with Close, Maximize, Restore, Minimize and the status
    // text; its tabs run past the right edge but are all drawn and tested.
    const TabRow none = MeasureTabs(0);
    std::printf("Tabs on one 800 x 600 frame (5 other items); per-tab figures above the frame without tabs\n");
    std::printf("  %6s %12s %14s %14s %14s %16s %16s\n", "tabs", "render ms", "per tab ms", "hit test us",
                "per item ns", "WM_MOUSEMOVE us", "per item ns");
    std::printf("  %6d %12.3f %14s %14.3f %14s %16.3f %16s\n", 0, none.renderMs, "-", none.hitTestUs, "-",
                none.mouseMoveUs, "-");
    for (int tabs : {10, 100, 1000}) {
        const TabRow r = MeasureTabs(tabs);
        const int items = tabs + 5;
        std::printf("  %6d %12.3f %14.4f %14.3f %14.2f %16.3f %16.2f\n", tabs, r.renderMs,
                    (r.renderMs - none.renderMs) / tabs, r.hitTestUs, r.hitTestUs * 1000.0 / items, r.mouseMoveUs,
                    (r.mouseMoveUs - none.mouseMoveUs) * 1000.0 / tabs);
    }

    std::printf("\nFrames at once (400 x 300 each)\n");
    std::printf("  %6s %18s %14s %14s %14s %14s %14s\n", "frames", "RedrawAllFrames ms", "per frame ms", "attach ms",
                "per frame ms", "destroy ms", "per frame ms");
    for (int count : {1, 10, 100}) {
        const FrameRow r = MeasureFrames(count);
        std::printf("  %6d %18.3f %14.3f %14.3f %14.3f %14.3f %14.3f\n", count, r.redrawAllMs,
                    r.redrawAllMs / count, r.attachMs, r.attachMs / count, r.destroyMs, r.destroyMs / count);
    }
    return 0;
}
