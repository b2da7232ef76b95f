#include "skin/frame/frame_window.h"

#include "skin/controls/child_controls.h"
#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"
#include "skin/render/render.h"
#include "skin/theme/theme.h"

namespace orvia {

LRESULT SizingHitTest(POINT p, const RECT& r, bool sizeBox) {
    if (!sizeBox) return HTNOWHERE;
    constexpr LONG corner = 10, edge = 3;
    if (p.x <= r.left + corner && p.y <= r.top + corner) return HTTOPLEFT;
    if (p.x >= r.right - corner && p.y <= r.top + corner) return HTTOPRIGHT;
    if (p.x <= r.left + corner && p.y >= r.bottom - corner) return HTBOTTOMLEFT;
    if (p.x >= r.right - corner && p.y >= r.bottom - corner) return HTBOTTOMRIGHT;
    if (p.x <= r.left + edge) return HTLEFT;
    if (p.x >= r.right - edge) return HTRIGHT;
    if (p.y <= r.top + edge) return HTTOP;
    if (p.y >= r.bottom - edge) return HTBOTTOM;
    return HTNOWHERE;
}

int SizingEdge(LRESULT hitTest) {
    if (hitTest < HTLEFT || hitTest > HTBOTTOMRIGHT) return 0;
    return static_cast<int>(hitTest - HTLEFT) + WMSZ_LEFT;
}

int CursorForHitTest(LRESULT hitTest) {
    switch (hitTest) {
    case HTTOP:
    case HTBOTTOM: return 32645;  // IDC_SIZENS
    case HTLEFT:
    case HTRIGHT: return 32644;  // IDC_SIZEWE
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return 32642;  // IDC_SIZENWSE
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return 32643;  // IDC_SIZENESW
    default: return 32512;  // IDC_ARROW
    }
}

void FillMinMaxInfo(MINMAXINFO& info, const RECT& monitor, const RECT& work, int minWidth, int minHeight) {
    info.ptMaxSize = {work.right - work.left, work.bottom - work.top};
    info.ptMaxPosition = {work.left - monitor.left, work.top - monitor.top};
    info.ptMinTrackSize = {minWidth, minHeight};
}

namespace {

void StartRepaintTimer(HWND window) { SetTimer(window, kRepaintTimerId, kRepaintTimerMs, nullptr); }

LRESULT OnDestroy(HWND window, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR previous = GetProperty(window, prop::kWndProc);
    if (previous) SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
    RemoveFrame(window);
    ReleaseFrameSurfaces(window);
    return CallPreviousProc(window, WM_DESTROY, wParam, lParam);
}

LRESULT OnSize(HWND window, WPARAM wParam, LPARAM lParam) {
    // Not recomposed at the iconic size; the restore re-renders.
    if (GetIntProperty(window, prop::kMinimize) == 0) {
        RenderFrame(window, false);
        InvalidateRect(window, nullptr, FALSE);
        PlacePageWindow(window);
    }
    return CallPreviousProc(window, WM_SIZE, wParam, lParam);
}

// WM_ACTIVATE, WM_KILLFOCUS, WM_NCACTIVATE: the system may have drawn over the
// side edges; they are restored now and once more when the timer fires.
LRESULT OnActivationChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPreviousProc(window, message, wParam, lParam);
    RepaintSideEdges(window);
    StartRepaintTimer(window);
    return result;
}

LRESULT OnPaint(HWND window) {
    PaintFromCache(window);
    return 0;
}

LRESULT OnEraseBackground(HWND window, WPARAM wParam) {
    EraseFromCache(window, reinterpret_cast<HDC>(wParam));
    return 1;
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    // A maximized frame cannot be sized, so its edges keep whatever cursor
    // the previous procedure gives them.
    if (reinterpret_cast<HWND>(wParam) != window || IsZoomed(window))
        return CallPreviousProc(window, WM_SETCURSOR, wParam, lParam);
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(CursorForHitTest(LOWORD(lParam)))));
    return TRUE;
}

LRESULT OnGetMinMaxInfo(HWND window, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (info && GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        FillMinMaxInfo(*info, monitor.rcMonitor, monitor.rcWork, GetIntProperty(window, prop::kMinWidth),
                       GetIntProperty(window, prop::kMinHeight));
    return CallPreviousProc(window, WM_GETMINMAXINFO, wParam, lParam);
}

LRESULT OnNcCalcSize(HWND window, WPARAM wParam, LPARAM lParam) {
    // Leaving the proposed rectangle as it is makes the whole window client area.
    if (wParam == TRUE) {
        RepaintSideEdges(window);
        return 1;
    }
    const LRESULT result = CallPreviousProc(window, WM_NCCALCSIZE, wParam, lParam);
    RepaintSideEdges(window);
    return result;
}

LRESULT OnNcHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    if (GetIntProperty(window, prop::kSizeBox) == 1) {
        RECT rect{};
        GetWindowRect(window, &rect);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (const LRESULT zone = SizingHitTest(point, rect, true); zone != HTNOWHERE) return zone;
    }
    return CallPreviousProc(window, WM_NCHITTEST, wParam, lParam);
}

LRESULT OnNcPaint(HWND window) {
    RepaintSideEdges(window);
    return 0;
}

LRESULT OnNcLButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
    // The window has no WS_THICKFRAME, so the sizing loop is started
    // explicitly.  The click is not passed on after it: the default handling
    // would start a second sizing loop once the button is already up, and
    // the edge would follow the mouse until the next click.
    if (const int edge = SizingEdge(static_cast<LRESULT>(wParam)); edge != 0 && !IsZoomed(window)) {
        SendMessageW(window, WM_SYSCOMMAND, SC_SIZE + edge, lParam);
        return 0;
    }
    return CallPreviousProc(window, WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT OnCaptionRedraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPreviousProc(window, message, wParam, lParam);
    RepaintSideEdges(window);
    return result;
}

// Whether the window comes back maximized when it is restored now: a
// maximized frame that was minimized is restored to maximized.
bool RestoresToMaximized(HWND window) {
    if (!IsIconic(window)) return false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    return GetWindowPlacement(window, &placement) && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
}

// The buttons are only marked here; the WM_SIZE that the command causes renders them.
LRESULT OnSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        SetProperty(window, prop::kMinimize, 1);
        return CallPreviousProc(window, WM_SYSCOMMAND, wParam, lParam);
    case SC_RESTORE:
        SetProperty(window, prop::kMinimize, 0);
        SyncMaximizeButtons(window, RestoresToMaximized(window));
        return CallPreviousProc(window, WM_SYSCOMMAND, wParam, lParam);
    case SC_MAXIMIZE:
        SyncMaximizeButtons(window, true);
        return CallPreviousProc(window, WM_SYSCOMMAND, wParam, lParam);
    default: {
        const LRESULT result = CallPreviousProc(window, WM_SYSCOMMAND, wParam, lParam);
        RepaintSideEdges(window);
        return result;
    }
    }
}

LRESULT OnTimer(HWND window, WPARAM wParam, LPARAM lParam) {
    if (wParam != kRepaintTimerId) return CallPreviousProc(window, WM_TIMER, wParam, lParam);
    RepaintSideEdges(window);
    KillTimer(window, kRepaintTimerId);
    return 0;
}

// Dialog-like children (buttons, static texts, message boxes) sit on the
// skin's background colour.
LRESULT OnBackgroundColor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_theme || !g_theme->backBrush) return CallPreviousProc(window, message, wParam, lParam);
    return reinterpret_cast<LRESULT>(g_theme->backBrush);
}

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: return OnDestroy(window, wParam, lParam);
    case WM_SIZE: return OnSize(window, wParam, lParam);
    case WM_ACTIVATE: return OnActivationChange(window, message, wParam, lParam);
    case WM_KILLFOCUS: return OnActivationChange(window, message, wParam, lParam);
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return OnEraseBackground(window, wParam);
    case WM_SETCURSOR: return OnSetCursor(window, wParam, lParam);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(window, wParam, lParam);
    case WM_DRAWITEM: return HandleOwnerDraw(window, message, wParam, lParam);
    case WM_NCCALCSIZE: return OnNcCalcSize(window, wParam, lParam);
    case WM_NCHITTEST: return OnNcHitTest(window, wParam, lParam);
    case WM_NCPAINT: return OnNcPaint(window);
    case WM_NCACTIVATE: return OnActivationChange(window, message, wParam, lParam);
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(window, wParam, lParam);
    case 0xAE: return OnCaptionRedraw(window, message, wParam, lParam);  // themed caption redraw
    case WM_SYSCOMMAND: return OnSysCommand(window, wParam, lParam);
    case WM_TIMER: return OnTimer(window, wParam, lParam);
    case WM_CTLCOLORMSGBOX: return OnBackgroundColor(window, message, wParam, lParam);
    case WM_CTLCOLORBTN: return OnBackgroundColor(window, message, wParam, lParam);
    case WM_CTLCOLORDLG: return OnBackgroundColor(window, message, wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnBackgroundColor(window, message, wParam, lParam);
    case WM_CTLCOLOREDIT: return CallPreviousProc(window, message, wParam, lParam);
    case WM_CTLCOLORLISTBOX: return CallPreviousProc(window, message, wParam, lParam);
    case WM_CTLCOLORSCROLLBAR: return CallPreviousProc(window, message, wParam, lParam);
    case WM_MOUSEMOVE: return HandleFrameMouse(window, message, wParam, lParam);
    case WM_LBUTTONDOWN: return HandleFrameMouse(window, message, wParam, lParam);
    case WM_LBUTTONUP: return HandleFrameMouse(window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK: return HandleFrameMouse(window, message, wParam, lParam);
    case WM_MOUSELEAVE: return HandleFrameMouse(window, message, wParam, lParam);
    default: return CallPreviousProc(window, message, wParam, lParam);
    }
}

}  // namespace orvia
