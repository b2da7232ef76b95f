// Figures for the mouse interaction: a hover sweep of 1,000 transitions
// across every caption button and page tab of a frame, against one full
// render.  Hover changes must redraw single items only: the sweep counts the
// full renders it causes (each one asks the window for its icon) and checks
// that a pixel only a full render paints over survives.  Prints figures only.
#include "bench/bench_support.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/interaction/interaction.h"
#include "skin/object/orvia_skin.h"
#include "skin/render/render.h"
#include "skin/theme/theme.h"

namespace {

using bench_support::NowMs;
using bench_support::Pump;

// Every full render sends the frame WM_GETICON; a procedure on top of the
// frame's counts them.
int g_iconRequests = 0;
WNDPROC g_frameProc = nullptr;
LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETICON) ++g_iconRequests;
    return CallWindowProcW(g_frameProc, window, message, wParam, lParam);
}

int g_itemRedraws = 0;
void CountingRefresh(HWND window, std::int32_t index) {
    ++g_itemRedraws;
    orvia::RefreshItem(window, index);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"BenchInteractionFrame";
    RegisterClassExW(&wc);

    orvia::g_skin = orvia::NewOrviaSkin();
    orvia::NewTheme();
    orvia::NewBannerImage();
    orvia::NewFrameRegistry();
    orvia::BuildTheme();
    orvia::OrviaSkin* skin = orvia::g_skin;
    const orvia::OrviaSkinMethods& m = *skin->methods;

    // Every caption button, the status text and five tabs.
    HWND frame = CreateWindowExW(0, L"BenchInteractionFrame", L"TovrinV1.0", WS_OVERLAPPEDWINDOW, 50, 50, 640, 480,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    m.AttachSkin(skin, frame, std::nullopt, std::nullopt, true, true, true, true, false, std::nullopt,
                 std::nullopt);
    m.SetStatusText(skin, frame, "status");
    const char* titles[] = {"one", "two", "three", "four", "five"};
    for (const char* title : titles) m.AddPage(skin, frame, title, {}, std::nullopt, std::nullopt);
    UpdateWindow(frame);
    Pump();

    const orvia::FrameRecord* record = orvia::FindFrame(frame);
    std::vector<LPARAM> targets, buttons, tabs;
    for (const orvia::FrameItem& item : record->Items) {
        if (!item.bVisible) continue;
        const LPARAM centre = MAKELPARAM((item.rcBounds.left + item.rcBounds.right) / 2,
                                         (item.rcBounds.top + item.rcBounds.bottom) / 2);
        if (item.nKind == orvia::kItemCaptionButton) buttons.push_back(centre);
        if (item.nKind == orvia::kItemPageTab) tabs.push_back(centre);
        if (item.nKind != orvia::kItemStatus) targets.push_back(centre);
    }

    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
    orvia::g_itemRefresher = &CountingRefresh;

    std::vector<double> renders;
    g_iconRequests = 0;
    for (int i = 0; i < 53; ++i) {
        const double start = NowMs();
        orvia::RenderFrame(frame, true);
        GdiFlush();
        renders.push_back(NowMs() - start);
    }
    const double render = Median(renders);
    const int iconRequestsPerRender = g_iconRequests / 53;

    const HDC cache = reinterpret_cast<HDC>(orvia::GetProperty(frame, orvia::prop::kCacheDC));
    SetPixel(cache, 320, 300, RGB(255, 0, 255));
    g_iconRequests = 0;
    g_itemRedraws = 0;
    constexpr int kTransitions = 1000;
    int fullRenders = 0, redraws = 0;
    // The median of three sweeps of 1,000 moves, each onto the next of `points`.
    const auto sweep = [&](const std::vector<LPARAM>& points) {
        std::vector<double> times;
        for (int run = 0; run < 3; ++run) {
            SendMessageW(frame, WM_MOUSEMOVE, 0, MAKELPARAM(320, 300));  // start off every item
            g_iconRequests = 0;
            g_itemRedraws = 0;
            const double start = NowMs();
            for (int i = 0; i < kTransitions; ++i)
                SendMessageW(frame, WM_MOUSEMOVE, 0, points[static_cast<std::size_t>(i) % points.size()]);
            GdiFlush();
            times.push_back(NowMs() - start);
            fullRenders += g_iconRequests;
            redraws += g_itemRedraws;
        }
        return Median(times);
    };
    const double all = sweep(targets);
    const int redrawsPerSweep = redraws / 3;
    const double buttonsOnly = sweep(buttons);
    const double tabsOnly = sweep(tabs);
    const bool marked = GetPixel(cache, 320, 300) == RGB(255, 0, 255);

    std::printf("Hover sweep: %d transitions across %zu caption buttons and tabs (median of 3 sweeps)\n",
                kTransitions, targets.size());
    std::printf("  one full render (RenderFrame, force)          median %9.3f ms\n", render);
    std::printf("  sweep over buttons and tabs                   median %9.3f ms  (%.4f ms each)\n", all,
                all / kTransitions);
    std::printf("  ratio one transition / one full render        %.4f\n", all / kTransitions / render);
    std::printf("  ratio whole sweep / one full render           %.2f\n", all / render);
    std::printf("  item redraws per sweep                        %d  (old item normal, new item hot)\n",
                redrawsPerSweep);
    std::printf("  the same over the %zu caption buttons only     %9.3f ms  (%.4f of a full render each)\n",
                buttons.size(), buttonsOnly, buttonsOnly / kTransitions / render);
    std::printf("  the same over the %zu tabs only                %9.3f ms  (%.4f of a full render each)\n",
                tabs.size(), tabsOnly, tabsOnly / kTransitions / render);
    std::printf("  full renders during the sweeps                %d  (must be 0; counted as icon requests, %d per "
                "full render)\n",
                fullRenders, iconRequestsPerRender);
    std::printf("  cache pixel outside the items untouched       %s\n", marked ? "yes" : "NO");

    orvia::g_itemRefresher = orvia::RefreshItem;
    DestroyWindow(frame);
    Pump();
    return fullRenders == 0 && marked ? 0 : 1;
}
