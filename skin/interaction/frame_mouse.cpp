// Hover, press and click of a frame's caption buttons and page tabs, and
// dragging or maximizing the frame by its caption and status bands.
#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"
#include "skin/interaction/item_logic.h"
#include "skin/render/render.h"

namespace orvia {

ItemRefresher g_itemRefresher = RefreshItem;

namespace {

ItemRedraw RedrawOn(HWND window) {
    return [window](std::int32_t index) { g_itemRefresher(window, index); };
}

std::int32_t WindowHeight(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc.bottom - rc.top;
}

bool InBands(HWND window, std::int32_t y) {
    return InCaptionOrStatusBand(y, WindowHeight(window), GetIntProperty(window, prop::kBannerHeight),
                                 GetIntProperty(window, prop::kStatusHeight));
}

void ArmLeaveTracking(HWND window) {
    if (GetProperty(window, prop::kTracking) != 0) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = 0;
    TrackMouseEvent(&track);
    SetProperty(window, prop::kTracking, 1);
}

LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
    ArmLeaveTracking(window);
    const POINT p = MousePoint(lParam);
    if (UpdateItemStates(window, WM_MOUSEMOVE, p.x, p.y)) return 0;
    return CallPreviousProc(window, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT OnMouseLeave(HWND window, WPARAM wParam, LPARAM lParam) {
    ClearItemStates(window);
    SetProperty(window, prop::kTracking, 0);
    return CallPreviousProc(window, WM_MOUSELEAVE, wParam, lParam);
}

LRESULT OnDoubleClick(HWND window, WPARAM wParam, LPARAM lParam) {
    const POINT p = MousePoint(lParam);
    const LONG_PTR maximizeBox = GetProperty(window, prop::kMaximizeBox);
    if (maximizeBox == 1) {
        const bool hit = UpdateItemStates(window, WM_LBUTTONDBLCLK, p.x, p.y);
        const WPARAM command = DoubleClickCommand(maximizeBox, hit, InBands(window, p.y), IsZoomed(window) != 0);
        if (command != 0) {
            ReleaseCapture();
            PostMessageA(window, WM_SYSCOMMAND, command, 0);
            return 0;
        }
    }
    return CallPreviousProc(window, WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT OnButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
    const POINT p = MousePoint(lParam);
    if (UpdateItemStates(window, WM_LBUTTONDOWN, p.x, p.y)) return 0;
    if (PressDragsWindow(false, InBands(window, p.y), GetProperty(window, prop::kMaximize))) {
        // The system's move loop runs inside this call, until the button is released.
        ReleaseCapture();
        SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    }
    return CallPreviousProc(window, WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT OnButtonUp(HWND window, WPARAM wParam, LPARAM lParam) {
    const POINT p = MousePoint(lParam);
    // A click may have run application code that destroyed the frame: the
    // window is not touched again after a hit.
    if (UpdateItemStates(window, WM_LBUTTONUP, p.x, p.y)) return 0;
    return CallPreviousProc(window, WM_LBUTTONUP, wParam, lParam);
}

void PostCommand(HWND window, WPARAM command) { PostMessageA(window, WM_SYSCOMMAND, command, 0); }

void ClickCaptionButton(HWND window, std::int32_t id) {
    switch (id) {
    case kButtonClose: PostCommand(window, SC_CLOSE); break;
    case kButtonMinimize: PostCommand(window, SC_MINIMIZE); break;
    case kButtonMaximize: PostCommand(window, SC_MAXIMIZE); break;
    case kButtonRestore: PostCommand(window, SC_RESTORE); break;
    case kButtonHelp: FireFrameEvent(window, prop::kHelpClick); break;
    case kButtonMainMenu: FireFrameEvent(window, prop::kMainMenuClick); break;
    default: break;
    }
}

// Selects tab `index`, shows its page and deselects the others, in index
// order.  ShowPage sends messages to page windows, whose code may change the
// frame, so the record is looked up again after it.
void SelectClickedTab(HWND window, std::int32_t index) {
    for (std::int32_t i = 1;; ++i) {
        FrameRecord* record = FindFrame(window);
        if (!record) return;
        FrameItem* item = ItemAt(*record, i);
        if (!item) return;
        if (item->nKind != kItemPageTab) continue;
        if (i == index) {
            item->bSelected = 1;
            g_itemRefresher(window, i);
            ShowPage(window, i);
        } else if (item->bSelected) {
            item->bSelected = 0;
            g_itemRefresher(window, i);
        }
    }
}

void ClickPageTab(HWND window, std::int32_t index) {
    FrameRecord* record = FindFrame(window);
    const FrameItem* tab = record ? ItemAt(*record, index) : nullptr;
    if (!tab) return;
    if (tab->pfnOnClick) {
        // The routine may destroy the frame or add and remove pages; the
        // record and the tab's position are found afresh afterwards.
        const TabIdentity identity = IdentityOf(*tab);
        ReleaseCapture();
        CallRoutine(identity.pfnOnClick);
        record = FindFrame(window);
        if (!record) return;
        index = FindTab(*record, identity);
        tab = ItemAt(*record, index);
        if (!tab) return;
    }
    if (tab->hPage) SelectClickedTab(window, index);
}

}  // namespace

LRESULT HandleFrameMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove(window, wParam, lParam);
    case WM_MOUSELEAVE: return OnMouseLeave(window, wParam, lParam);
    case WM_LBUTTONDBLCLK: return OnDoubleClick(window, wParam, lParam);
    case WM_LBUTTONDOWN: return OnButtonDown(window, wParam, lParam);
    case WM_LBUTTONUP: return OnButtonUp(window, wParam, lParam);
    default: return CallPreviousProc(window, message, wParam, lParam);
    }
}

bool UpdateItemStates(HWND window, UINT message, std::int32_t x, std::int32_t y) {
    FrameRecord* record = FindFrame(window);
    if (!record || record->nItemCount < 1) return false;
    const std::int32_t hit = HitTestItems(*record, x, y);
    const std::int32_t clicked = ApplyMouseTransition(*record, message, hit, RedrawOn(window));
    if (clicked != -1) ClickItem(window, clicked);
    return hit != -1;
}

void ClearItemStates(HWND window) {
    FrameRecord* record = FindFrame(window);
    if (!record || record->nItemCount < 1) return;
    ApplyLeave(*record, RedrawOn(window));
}

void ClickItem(HWND window, std::int32_t index) {
    FrameRecord* record = FindFrame(window);
    const FrameItem* item = record ? ItemAt(*record, index) : nullptr;
    if (!item) return;
    switch (item->nKind) {
    case kItemCaptionButton: ClickCaptionButton(window, item->nId); break;
    case kItemPageTab: ClickPageTab(window, index); break;
    default: break;
    }
}

void FireFrameEvent(HWND window, const char* propertyName) {
    const LONG_PTR address = GetProperty(window, propertyName);
    if (address != 0) CallRoutine(reinterpret_cast<OrviaRoutine>(address));
}

void CallRoutine(OrviaRoutine routine) {
    if (routine) routine(0, 0, 0);
}

}  // namespace orvia
