// Soak of the whole skin through its object interface: cycle after cycle a
// frame is made, attached, rendered, resized, hovered and pressed item by
// item, given and relieved of pages, repainted with a new banner, skin colour
// or background colour, and destroyed again among a few other live frames in
// a changing order.  After a warm-up the GDI and USER object counts must come
// back to where they were and the private memory must stay within a bound;
// the exit code says whether they did.
//   soak [--cycles N (10000)] [--warm-up N (cycles / 10, 10 to 50)] [--memory-bound-mb M (8)]
#include "bench/bench_support.h"
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/interaction/item_logic.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/embedded.h"
#include "skin/theme/theme.h"

namespace orvia::embedded {
std::span<const std::uint8_t> SoakBannerJpeg();
}

namespace {

using orvia::OrviaSkin;

struct Options {
    int cycles = 10000;
    int warmUp = -1;  // not given: a tenth of the cycles, 10 to 50
    double memoryBoundMb = 8.0;
};

bool ParseCount(const char* text, int minimum, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!text[0] || *end || value < minimum || value > 100000000) return false;
    out = static_cast<int>(value);
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        bool ok = false;
        if (a == "--cycles") ok = ParseCount(value, 1, o.cycles);
        else if (a == "--warm-up") ok = ParseCount(value, 0, o.warmUp);
        else if (a == "--memory-bound-mb") {
            char* end = nullptr;
            o.memoryBoundMb = std::strtod(value, &end);
            ok = value[0] && !*end && o.memoryBoundMb > 0;
        }
        if (!ok) return std::nullopt;
        ++i;
    }
    if (o.warmUp < 0) o.warmUp = std::clamp(o.cycles / 10, 10, 50);
    return o;
}

using bench_support::NowMs;
using bench_support::Pump;

// --- Counting what the process holds ------------------------------------------

// GetGuiResources where the system has it.  Wine has not (0 with
// ERROR_CALL_NOT_IMPLEMENTED); there the handle tables are walked instead.
// A GDI handle given by its table index alone names whatever object lives in
// that slot, and so does a USER handle given by its index with a zero high
// word, so a walk over the indexes finds every live object of the process.
struct Census {
    bool guiResources = false;
    DWORD gdi = 0, user = 0;
    std::array<DWORD, 15> gdiByType{};  // by GetObjectType (OBJ_PEN 1 ... OBJ_COLORSPACE 14)
    DWORD windows = 0, icons = 0, menus = 0;
    SIZE_T privateBytes = 0;
    bool privateFromPagefile = false;
};

bool GuiResourcesImplemented() {
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

BOOL CALLBACK CountOne(HWND, LPARAM counter) {
    ++*reinterpret_cast<DWORD*>(counter);
    return TRUE;
}
// EnumChildWindows already walks every descendant.
BOOL CALLBACK CountWithChildren(HWND window, LPARAM counter) {
    CountOne(window, counter);
    EnumChildWindows(window, CountOne, counter);
    return TRUE;
}

struct PrivateMemory {
    SIZE_T bytes = 0;
    bool fromPagefileUsage = false;
};

PrivateMemory PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return {};
    // Wine leaves PrivateUsage 0.  Its page-file figure is the private memory
    // that has been written to, which is what a leak grows as well.
    if (counters.PrivateUsage) return {counters.PrivateUsage, false};
    return {counters.PagefileUsage, true};
}

Census TakeCensus() {
    Census c;
    c.guiResources = GuiResourcesImplemented();
    if (c.guiResources) {
        c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    } else {
        // USER first: the probe DC must be gone again before GDI is counted.
        EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&c.windows));
        HDC probe = CreateCompatibleDC(nullptr);
        constexpr ULONG_PTR kFirstUserHandle = 0x20, kLastUserHandle = 0xFFEF;
        for (ULONG_PTR h = kFirstUserHandle; h <= kLastUserHandle; h += 2) {
            if (IsMenu(reinterpret_cast<HMENU>(h))) ++c.menus;
            else if (DrawIconEx(probe, 0, 0, reinterpret_cast<HICON>(h), 1, 1, 0, nullptr, DI_NORMAL)) ++c.icons;
        }
        DeleteDC(probe);
        c.user = c.windows + c.icons + c.menus;
        for (ULONG_PTR index = 1; index < 0x10000; ++index) {
            const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
            if (type == 0) continue;
            ++c.gdi;
            if (type < c.gdiByType.size()) ++c.gdiByType[type];
        }
    }
    const PrivateMemory memory = PrivateBytes();
    c.privateBytes = memory.bytes;
    c.privateFromPagefile = memory.fromPagefileUsage;
    return c;
}

// The census must see one more of each kind it counts while one is made:
// a walk that found nothing would let every leak pass.
bool CensusSeesEveryKind(const wchar_t* windowClass) {
    const Census base = TakeCensus();
    HWND window = CreateWindowExW(0, windowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HMENU menu = CreateMenu();
    HICON icon = CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const Census with = TakeCensus();
    DestroyWindow(window);
    DestroyMenu(menu);
    DestroyIcon(icon);
    DeleteObject(brush);
    std::printf("  census check (before, with one of each made): windows %lu %lu, menus %lu %lu, icons %lu %lu, "
                "brushes %lu %lu, GDI %lu %lu, USER %lu %lu\n",
                base.windows, with.windows, base.menus, with.menus, base.icons, with.icons, base.gdiByType[OBJ_BRUSH],
                with.gdiByType[OBJ_BRUSH], base.gdi, with.gdi, base.user, with.user);
    // A thread's first window brings the input method's window and device
    // contexts of its own, so more than one of a kind may appear.
    if (with.guiResources) return with.gdi > base.gdi && with.user >= base.user + 3;
    return with.windows > base.windows && with.menus > base.menus && with.icons > base.icons &&
           with.gdiByType[OBJ_BRUSH] > base.gdiByType[OBJ_BRUSH];
}

double Mb(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

void PrintDifferences(const Census& before, const Census& after) {
    static const char* const kTypeNames[] = {"?",      "pen",        "brush",   "DC",      "metafile DC",
                                             "palette", "font",       "bitmap",  "region",  "metafile",
                                             "memory DC", "extended pen", "EMF DC", "EMF", "colour space"};
    for (std::size_t t = 1; t < before.gdiByType.size(); ++t)
        if (before.gdiByType[t] != after.gdiByType[t])
            std::printf("    GDI %-14s %6lu -> %6lu\n", kTypeNames[t], before.gdiByType[t], after.gdiByType[t]);
    if (before.windows != after.windows)
        std::printf("    windows            %6lu -> %6lu\n", before.windows, after.windows);
    if (before.icons != after.icons) std::printf("    icons and cursors  %6lu -> %6lu\n", before.icons, after.icons);
    if (before.menus != after.menus) std::printf("    menus              %6lu -> %6lu\n", before.menus, after.menus);
}

// --- What the application side does -------------------------------------------

int g_routineCalls = 0;
void CountCall(std::int32_t, std::int32_t, std::int32_t) { ++g_routineCalls; }

constexpr wchar_t kFrameClass[] = L"SoakFrame";
constexpr wchar_t kPageClass[] = L"SoakPage";

void RegisterClasses() {
    for (const wchar_t* name : {kFrameClass, kPageClass}) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
}

// A page window as an application makes one: a captioned popup with a push
// button, which AddPage turns into a borderless child of the frame.
HWND MakePageWindow() {
    HWND page = CreateWindowExW(0, kPageClass, L"page", WS_POPUP | WS_CAPTION, 0, 0, 200, 150, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, page, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    return page;
}

struct Page {
    std::string title;
    HWND window = nullptr;
};

struct LiveFrame {
    HWND window = nullptr;
    std::vector<Page> pages;
};

const orvia::OrviaSkinMethods& M() { return *orvia::g_skin->methods; }

// The icon of a page, in turn: .ico bytes (the skin makes and owns the icon),
// a 4-byte handle (the caller's icon) and no bytes (the default icon).
orvia::ByteSpan IconBytesFor(int serial, const std::array<std::uint8_t, 4>& handleBytes) {
    switch (serial % 3) {
    case 0: return orvia::embedded::DefaultPageIco();
    case 1: return handleBytes;
    default: return {};
    }
}

class Soak {
public:
    Soak() {
        const auto handle = static_cast<std::uint32_t>(
            reinterpret_cast<std::uintptr_t>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))));
        std::memcpy(handleIcon_.data(), &handle, 4);
    }

    void Cycle(int c) {
        Timed(kMake, [&] { live_.push_back(MakeFrame(c)); });
        Timed(kResize, [&] { Resize(live_.back(), c); });
        Timed(kPages, [&] { ChurnPages(live_.back(), c); });
        Timed(kMouse, [&] { HoverAndPressEveryItem(live_.back().window); });
        Timed(kLook, [&] { ChangeLook(c); });
        if (c % 5 == 4) Timed(kSizeCommands, [&] { MaximizeAndMinimize(live_.back().window); });
        if (live_.size() > kMostAlive) Timed(kDestroy, [&] { DestroyOne(c); });
        CheckRegistry();
    }

    void ResetTimes() { phaseMs_.fill(0); }
    void PrintTimes(int cycles) const {
        static const char* const kNames[] = {"make, attach, 3 pages", "resize", "hover and press every item",
                                             "add, select, remove page", "banner/skin/back colour",
                                             "maximize, minimize (1 in 5)", "destroy one frame"};
        std::printf("  time per cycle by step:\n");
        for (std::size_t i = 0; i < phaseMs_.size(); ++i)
            std::printf("    %-30s %8.2f ms\n", kNames[i], phaseMs_[i] / cycles);
    }

    // Every frame destroyed, the look back to its starting point, and time
    // for the system's own deferred clean-up.
    void Settle() {
        while (!live_.empty()) DestroyAt(live_.size() - 1);
        CheckRegistry();
        M().SetImageFromBytes(orvia::g_skin, orvia::embedded::SoakBannerJpeg());
        M().SetBackColor(orvia::g_skin, CLR_INVALID);
        for (int i = 0; i < 5; ++i) {
            Pump();
            Sleep(20);
        }
        Pump();
    }

    int registryFailures() const { return registryFailures_; }
    std::size_t alive() const { return live_.size(); }

private:
    static constexpr std::size_t kMostAlive = 3;  // four alive at the peak of a cycle
    enum Phase { kMake, kResize, kMouse, kPages, kLook, kSizeCommands, kDestroy, kPhaseCount };

    template <typename F>
    void Timed(Phase phase, F&& step) {
        const double start = NowMs();
        step();
        phaseMs_[phase] += NowMs() - start;
    }

    LiveFrame MakeFrame(int c) {
        OrviaSkin* skin = orvia::g_skin;
        // Alternately the program's own style (no maximize pair) and a full
        // overlapped window (Close, Maximize, Restore, Minimize).
        const DWORD style = (c / 4) % 2 ? WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX : WS_OVERLAPPEDWINDOW;
        const int x = 20 + (c % 7) * 30, y = 20 + (c % 5) * 25;
        LiveFrame f;
        f.window = CreateWindowExW(0, kFrameClass, L"TovrinV1.0", style, x, y, 420 + (c % 4) * 20, 320, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(f.window, SW_SHOWNOACTIVATE);
        switch (c % 4) {
        case 0:  // every default
            M().AttachSkin(skin, f.window, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                           std::nullopt, std::nullopt, std::nullopt, std::nullopt);
            break;
        case 1:  // the program's own call
            M().AttachSkin(skin, f.window, std::nullopt, std::nullopt, true, false, false, false, false, std::nullopt,
                           std::nullopt);
            break;
        case 2:  // every button, sizable, a low banner that the first page raises
            M().AttachSkin(skin, f.window, 40, 24, true, true, true, true, true, 200, 150);
            break;
        default:  // no status band; made sizable afterwards
            M().AttachSkin(skin, f.window, 90, 0, true, std::nullopt, true, false, false, std::nullopt,
                           std::nullopt);
            M().SetSizable(skin, f.window, std::nullopt, std::nullopt);
            break;
        }
        M().SetHelpClickRoutine(skin, f.window, CountCall);
        M().SetMainMenuClickRoutine(skin, f.window, CountCall);
        M().SetStatusText(skin, f.window, "\xb7\xb5\xbb\xd8\xb2\xe9\xd1\xaf");
        for (int p = 0; p < 3; ++p) AddPage(f, "page " + std::to_string(p + 1), p);
        M().SelectPage(skin, f.window, f.pages.front().title.c_str());
        UpdateWindow(f.window);
        Pump();
        return f;
    }

    void AddPage(LiveFrame& f, const std::string& title, int serial) {
        Page page{title, MakePageWindow()};
        M().AddPage(orvia::g_skin, f.window, page.title.c_str(), IconBytesFor(serial, handleIcon_), page.window,
                    CountCall);
        f.pages.push_back(page);
    }

    // A new size, and on every fourth cycle a second attach with another
    // banner height, which renders again without adding anything.
    void Resize(const LiveFrame& f, int c) {
        const int w = 300 + (c * 37) % 300, h = 220 + (c * 53) % 200;
        SetWindowPos(f.window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (c % 4 == 1)
            M().AttachSkin(orvia::g_skin, f.window, 84 + c % 10, std::nullopt, std::nullopt, std::nullopt,
                           std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
        UpdateWindow(f.window);
        Pump();
    }

    // Posted like the system's own mouse input and pumped: move onto each
    // item, press it, and release it there for the items whose click only
    // runs skin or application code (tabs, Help, MainMenu).  A click on
    // Close, Minimize, Maximize or Restore would post a system command, so
    // their release happens off every item, which cancels the click.  The
    // status text is only hovered: it is never a hit, so a press on it would
    // start the system's move loop.
    static void HoverAndPressEveryItem(HWND window) {
        struct Target {
            LPARAM centre;
            bool press;
            bool click;
        };
        std::vector<Target> targets;
        const orvia::FrameRecord* record = orvia::FindFrame(window);
        if (!record) return;
        for (const orvia::FrameItem& item : record->Items) {
            if (!item.bVisible) continue;
            const LPARAM centre = MAKELPARAM((item.rcBounds.left + item.rcBounds.right) / 2,
                                             (item.rcBounds.top + item.rcBounds.bottom) / 2);
            const bool click = item.nKind == orvia::kItemPageTab ||
                               (item.nKind == orvia::kItemCaptionButton &&
                                (item.nId == orvia::kButtonHelp || item.nId == orvia::kButtonMainMenu));
            targets.push_back({centre, item.nKind != orvia::kItemStatus, click});
        }
        RECT rc{};
        GetWindowRect(window, &rc);
        // The middle of the client area: no item, and neither caption nor status band.
        const LPARAM offItems = MAKELPARAM((rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2 + 20);
        for (const Target& t : targets) {
            PostMessageW(window, WM_MOUSEMOVE, 0, t.centre);
            if (t.press) {
                PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, t.centre);
                if (!t.click) PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, offItems);
                PostMessageW(window, WM_LBUTTONUP, 0, t.click ? t.centre : offItems);
            }
            Pump();
        }
        PostMessageW(window, WM_MOUSELEAVE, 0, 0);
        Pump();
    }

    // A page added and selected, then one removed while its tab is hot; the
    // removed page's window is the application's to destroy.
    void ChurnPages(LiveFrame& f, int c) {
        OrviaSkin* skin = orvia::g_skin;
        AddPage(f, "extra " + std::to_string(c), c);
        M().SelectPage(skin, f.window, f.pages.back().title.c_str());
        const std::size_t victim = static_cast<std::size_t>(c) % f.pages.size();
        if (const orvia::FrameRecord* record = orvia::FindFrame(f.window)) {
            const std::int32_t tab = orvia::FindTabByTitle(*record, f.pages[victim].title.c_str());
            if (const orvia::FrameItem* item = orvia::ItemAt(*record, tab)) {
                const LPARAM centre = MAKELPARAM((item->rcBounds.left + item->rcBounds.right) / 2,
                                                 (item->rcBounds.top + item->rcBounds.bottom) / 2);
                SendMessageW(f.window, WM_MOUSEMOVE, 0, centre);
            }
        }
        M().RemovePage(skin, f.window, f.pages[victim].title.c_str());
        DestroyWindow(f.pages[victim].window);
        f.pages.erase(f.pages.begin() + static_cast<std::ptrdiff_t>(victim));
        M().SelectPage(skin, f.window, f.pages.front().title.c_str());
        M().SetStatusText(skin, f.window, ("cycle " + std::to_string(c)).c_str());
        Pump();
    }

    // Each one redraws every live frame.  A copy of the skin object comes
    // and goes as well.
    static void ChangeLook(int c) {
        OrviaSkin* skin = orvia::g_skin;
        orvia::FreeOrviaSkin(M().Copy(skin));
        switch (c % 3) {
        case 0: M().SetImageFromBytes(skin, orvia::embedded::SoakBannerJpeg()); break;
        case 1: M().SetSkinColor(skin, RGB(40 + c % 100, 90, 160 - c % 100)); break;
        default: M().SetBackColor(skin, c % 2 ? RGB(230, 235 - c % 50, 240) : CLR_INVALID); break;
        }
        Pump();
    }

    static void MaximizeAndMinimize(HWND window) {
        if (orvia::GetProperty(window, orvia::prop::kMaximizeBox) == 1) {
            SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            Pump();
            SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
            Pump();
        }
        SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Pump();
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        Pump();
    }

    // In turn the oldest, the newest and a middle frame.
    void DestroyOne(int c) {
        switch (c % 3) {
        case 0: DestroyAt(0); break;
        case 1: DestroyAt(live_.size() - 1); break;
        default: DestroyAt(1 + static_cast<std::size_t>(c / 3) % (live_.size() - 2)); break;
        }
    }

    void DestroyAt(std::size_t i) {
        // The adopted page windows are children of the frame and go with it.
        DestroyWindow(live_[i].window);
        live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(i));
        Pump();
    }

    // Every live frame still finds its own record, and nothing else is registered.
    void CheckRegistry() {
        bool ok = orvia::g_registryCount == static_cast<std::int32_t>(live_.size());
        for (std::size_t i = 0; i < live_.size(); ++i) {
            const orvia::FrameRecord* record = orvia::FindFrame(live_[i].window);
            ok = ok && record && record->hWnd == live_[i].window &&
                 orvia::GetIntProperty(live_[i].window, orvia::prop::kDuiIndex) == static_cast<std::int32_t>(i + 1);
        }
        if (!ok && registryFailures_++ == 0)
            std::printf("  registry out of step: %d frames registered, %zu alive\n", orvia::g_registryCount,
                        live_.size());
    }

    std::vector<LiveFrame> live_;
    std::array<std::uint8_t, 4> handleIcon_{};
    int registryFailures_ = 0;
    std::array<double, kPhaseCount> phaseMs_{};
};

void PrintProgress(int done, const Census& c, std::size_t alive, double elapsedMs) {
    std::printf("  cycle %6d: GDI %5lu  USER %5lu  private %8.2f MB  (%zu frames alive, %.1f s)\n", done, c.gdi,
                c.user, Mb(c.privateBytes), alive, elapsedMs / 1000.0);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = ParseOptions(argc, argv);
    if (!parsed) {
        std::fprintf(stderr, "usage: soak [--cycles N (>= 1)] [--warm-up N (>= 0)] [--memory-bound-mb M (> 0)]\n");
        return 2;
    }
    const Options o = *parsed;
    RegisterClasses();
    orvia::g_skin = orvia::NewOrviaSkin();
    orvia::NewTheme();
    orvia::NewBannerImage();
    orvia::NewFrameRegistry();
    orvia::BuildTheme();
    // Frames attached from now on have their child controls skinned too.
    M().SkinAllChildControls(orvia::g_skin);

    Soak soak;
    // The first frames make the system's and GDI+'s one-time allocations.
    for (int c = 0; c < o.warmUp; ++c) soak.Cycle(c);
    soak.Settle();
    if (!CensusSeesEveryKind(kPageClass)) {
        std::printf("soak: the object census does not see every kind of object it counts; no result\n");
        return 1;
    }
    soak.ResetTimes();
    const Census before = TakeCensus();

    std::printf("Soak: %d cycles after a warm-up of %d, at most %d frames alive\n", o.cycles, o.warmUp, 4);
    std::printf("  counts from %s\n", before.guiResources
                                          ? "GetGuiResources"
                                          : "the GDI and USER handle tables (GetGuiResources is not implemented "
                                            "here); USER = windows + icons/cursors + menus");
    std::printf("  private memory from %s\n", before.privateFromPagefile
                                                  ? "PagefileUsage (PrivateUsage is 0 here): private memory written to"
                                                  : "PrivateUsage");
    PrintProgress(0, before, 0, 0);
    const int progressEvery = std::max(1, o.cycles / 10);
    const double start = NowMs();
    for (int c = 0; c < o.cycles; ++c) {
        soak.Cycle(o.warmUp + c);
        if ((c + 1) % progressEvery == 0 && c + 1 < o.cycles)
            PrintProgress(c + 1, TakeCensus(), soak.alive(), NowMs() - start);
    }
    soak.Settle();
    const double elapsed = NowMs() - start;
    const Census after = TakeCensus();
    PrintProgress(o.cycles, after, 0, elapsed);

    const double growthMb = Mb(after.privateBytes) - Mb(before.privateBytes);
    const bool countsKept = before.gdi == after.gdi && before.user == after.user;
    const bool memoryKept = growthMb <= o.memoryBoundMb;
    const bool registryKept = soak.registryFailures() == 0;
    std::printf("\n  time              %10.1f s   (%.2f ms per cycle)\n", elapsed / 1000.0, elapsed / o.cycles);
    soak.PrintTimes(o.cycles);
    std::printf("  routine calls     %10d     (tab, Help and MainMenu clicks)\n", g_routineCalls);
    std::printf("                        before      after\n");
    std::printf("  GDI objects       %10lu %10lu\n", before.gdi, after.gdi);
    std::printf("  USER objects      %10lu %10lu\n", before.user, after.user);
    if (!before.guiResources) {
        std::printf("    windows         %10lu %10lu\n", before.windows, after.windows);
        std::printf("    icons/cursors   %10lu %10lu\n", before.icons, after.icons);
        std::printf("    menus           %10lu %10lu\n", before.menus, after.menus);
    }
    std::printf("  private memory    %10.2f %10.2f MB  (%+.2f MB, bound %.1f MB)\n", Mb(before.privateBytes),
                Mb(after.privateBytes), growthMb, o.memoryBoundMb);
    std::printf("  registry checks   %10s\n", registryKept ? "all kept" : "FAILED");
    if (!countsKept) {
        std::printf("  object counts changed:\n");
        PrintDifferences(before, after);
    }
    const bool pass = countsKept && memoryKept && registryKept;
    std::printf("  result            %10s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
