#include "skin/controls/child_controls.h"

#include <windowsx.h>

#include <cwchar>

#include "skin/controls/button_paint.h"
#include "skin/frame/registry.h"
#include "skin/object/slots.h"
#include "skin/theme/theme.h"

namespace orvia {

namespace {

constexpr DWORD kHoverTimeMs = 5;

bool HasClassName(HWND window, const wchar_t* expected) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return std::wcscmp(name, expected) == 0;
}

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

bool IsSkinnedButton(HWND window) { return GetIntProperty(window, prop::kWindowType) != kNotSkinnedType; }

// The style type field the button had before the skin made it owner-drawn.
LONG_PTR OriginalButtonStyle(HWND button) { return GetProperty(button, prop::kButtonStyle); }

// --- Check state ------------------------------------------------------------

// Check boxes and radio buttons keep at most the states their style allows,
// as the system's control does; push buttons keep whatever they are given.
LONG_PTR ClampCheck(LONG_PTR originalStyle, WPARAM value) {
    switch (originalStyle) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return value > BST_CHECKED ? BST_CHECKED : static_cast<LONG_PTR>(value);
    case BS_3STATE:
    case BS_AUTO3STATE:
        return value > BST_INDETERMINATE ? BST_INDETERMINATE : static_cast<LONG_PTR>(value);
    default:
        return static_cast<LONG_PTR>(value);
    }
}

bool IsAutoRadio(HWND window) {
    if (IsSkinnedButton(window)) return OriginalButtonStyle(window) == BS_AUTORADIOBUTTON;
    return HasClassName(window, L"Button") && (StyleOf(window) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// A group runs from a sibling with WS_GROUP (or the first sibling) up to the
// next sibling with WS_GROUP.  Every other auto radio button in it is cleared.
void UncheckOtherAutoRadios(HWND radio) {
    if (!(StyleOf(radio) & WS_CHILD)) return;
    HWND first = radio;
    while (!(StyleOf(first) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && (StyleOf(sibling) & WS_GROUP)) break;
        if (sibling != radio && IsAutoRadio(sibling)) SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void OnSetCheck(HWND button, WPARAM value) {
    const LONG_PTR original = OriginalButtonStyle(button);
    const LONG_PTR check = ClampCheck(original, value);
    if (check != GetProperty(button, prop::kCheck)) {
        SetProperty(button, prop::kCheck, check);
        // The owner-drawn control keeps no check state, so it would not
        // repaint for a change made by the application.
        InvalidateRect(button, nullptr, FALSE);
    }
    if (original == BS_AUTORADIOBUTTON && check == BST_CHECKED) UncheckOtherAutoRadios(button);
}

// A completed click changes the check state the way the button's original
// style did.  Buttons without "auto" in their style leave it to the
// application, which answers BN_CLICKED with BM_SETCHECK.
void ApplyClickToCheck(HWND button) {
    const LONG_PTR check = GetProperty(button, prop::kCheck);
    switch (OriginalButtonStyle(button)) {
    case BS_CHECKBOX:
    case BS_3STATE:
    case BS_RADIOBUTTON:
        return;
    case BS_AUTORADIOBUTTON:
        SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        return;
    default:
        SendMessageW(button, BM_SETCHECK, check == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
}

// --- Pointer and keyboard ---------------------------------------------------

// The system's button is mid-click (pressed by mouse or space bar and, for
// the mouse, with the pointer over it): only then does it report BN_CLICKED
// on release, and only then does the check state change.
bool IsPushedBySystem(HWND button) {
    return (CallPreviousProc(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

bool IsPointerOver(HWND button) { return GetProperty(button, prop::kTrackMouseEvent) != 0; }

bool IsInClient(HWND button, LPARAM lParam) {
    RECT client{};
    GetClientRect(button, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

void ReleaseOwnCapture(HWND button) {
    if (GetCapture() == button) ReleaseCapture();
}

void OnMouseMove(HWND button, WPARAM wParam, LPARAM lParam) {
    if (GetProperty(button, prop::kTrackMouseEvent) == 0) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = button;
        track.dwHoverTime = kHoverTimeMs;
        TrackMouseEvent(&track);
        SetProperty(button, prop::kTrackMouseEvent, 1);
    }
    // While the button holds the pointer for a press, its look says whether
    // letting go here would click it.
    if ((wParam & MK_LBUTTON) && GetCapture() == button)
        SetDrawState(button, IsInClient(button, lParam) ? kDrawPressed : kDrawNormal);
}

void OnMouseHover(HWND button) {
    if (GetCapture() != button) SetDrawState(button, kDrawHover);
}

void OnMouseLeave(HWND button) {
    SetDrawState(button, kDrawNormal);
    SetProperty(button, prop::kTrackMouseEvent, 0);
}

// Each returns whether the message goes on to the previous procedure.  A
// disabled button takes no clicks: its presses never reach the system's
// control, so no BN_CLICKED can follow.
bool OnPress(HWND button) {
    if (!IsWindowEnabled(button)) return false;
    SetDrawState(button, kDrawPressed);
    return true;
}

bool OnRelease(HWND button, LPARAM lParam) {
    if (!IsWindowEnabled(button)) {
        ReleaseOwnCapture(button);
        return false;
    }
    const bool inside = IsInClient(button, lParam);
    if (inside && IsPushedBySystem(button)) ApplyClickToCheck(button);
    SetDrawState(button, inside ? kDrawHover : kDrawNormal);
    return true;
}

bool OnSpaceDown(HWND button) { return OnPress(button); }

bool OnSpaceUp(HWND button) {
    if (!IsWindowEnabled(button)) {
        ReleaseOwnCapture(button);
        return false;
    }
    if (IsPushedBySystem(button)) ApplyClickToCheck(button);
    SetDrawState(button, IsPointerOver(button) ? kDrawHover : kDrawNormal);
    return true;
}

// An owner-drawn button answers a double click with BN_DOUBLECLICKED and no
// press, so the second click of a quick pair would be lost.  The system's
// buttons treat it as a second press unless they are plain radio buttons or
// have BS_NOTIFY; the skinned button keeps the behaviour of its original style.
LRESULT OnDoubleClick(HWND button, WPARAM wParam, LPARAM lParam) {
    const bool pressAgain = !(StyleOf(button) & BS_NOTIFY) && OriginalButtonStyle(button) != BS_RADIOBUTTON;
    if (!pressAgain) return IsWindowEnabled(button) ? CallPreviousProc(button, WM_LBUTTONDBLCLK, wParam, lParam) : 0;
    if (!OnPress(button)) return 0;
    return CallPreviousProc(button, WM_LBUTTONDOWN, wParam, lParam);
}

// A press cancelled because another window took the pointer (or focus moved
// away during a space-bar press) leaves the pressed look behind otherwise.
void OnCaptureChanged(HWND button, LPARAM newCapture) {
    if (reinterpret_cast<HWND>(newCapture) == button) return;
    if (GetIntProperty(button, prop::kDrawState) == kDrawPressed)
        SetDrawState(button, IsPointerOver(button) ? kDrawHover : kDrawNormal);
}

LRESULT StateWithCheck(HWND button, LRESULT systemState) {
    return (systemState & ~static_cast<LRESULT>(3)) | (GetProperty(button, prop::kCheck) & 3);
}

// --- The walk ---------------------------------------------------------------

void SkinButton(HWND button) {
    const LONG_PTR style = StyleOf(button);
    const int type = ButtonTypeFromStyle(style);
    if (type == kNotSkinnedType) return;
    SetProperty(button, prop::kCheck, SendMessageW(button, BM_GETCHECK, 0, 0) != 0 ? 1 : 0);
    ChangeWindowStyle(button, BS_TYPEMASK, BS_OWNERDRAW);
    SetProperty(button, prop::kWindowType, type);
    SetProperty(button, prop::kButtonStyle, style & BS_TYPEMASK);
    SubclassOnce(button, ButtonWindowProc);
    // A parent with WS_CLIPCHILDREN does not repaint its children when it is
    // invalidated, so the button would keep its system look until then.
    InvalidateRect(button, nullptr, TRUE);
}

LRESULT OnContainerEraseBackground(HWND window, HDC dc) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const RECT area{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    FillRect(dc, &area, g_theme->backBrush);
    return 1;
}

}  // namespace

int ButtonTypeFromStyle(LONG_PTR style) {
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (style & 0x1F) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return kPushButtonType;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return pushLike ? kPushButtonType : kCheckBoxType;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return pushLike ? kPushButtonType : kRadioButtonType;
    default:
        return kNotSkinnedType;
    }
}

void SkinChildControls(HWND parent) {
    if (!IsWindow(parent)) return;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HasClassName(child, L"Button")) SkinButton(child);
        SkinChildControls(child);
    }
    SubclassOnce(parent, ContainerWindowProc);
}

void SetDrawState(HWND button, int state) {
    if (GetIntProperty(button, prop::kDrawState) == state) return;
    SetProperty(button, prop::kDrawState, state);
    InvalidateRect(button, nullptr, FALSE);
}

LRESULT CALLBACK ButtonWindowProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(button, wParam, lParam); break;
    case WM_MOUSEHOVER: OnMouseHover(button); break;
    case WM_MOUSELEAVE: OnMouseLeave(button); break;
    case WM_LBUTTONDOWN: if (!OnPress(button)) return 0; break;
    case WM_LBUTTONDBLCLK: return OnDoubleClick(button, wParam, lParam);
    case WM_LBUTTONUP: if (!OnRelease(button, lParam)) return 0; break;
    case WM_KEYDOWN: if (wParam == VK_SPACE && !OnSpaceDown(button)) return 0; break;
    case WM_KEYUP: if (wParam == VK_SPACE && !OnSpaceUp(button)) return 0; break;
    case WM_CAPTURECHANGED: OnCaptureChanged(button, lParam); break;
    case BM_SETCHECK: OnSetCheck(button, wParam); break;
    case BM_GETCHECK: return GetProperty(button, prop::kCheck);
    case BM_GETSTATE: return StateWithCheck(button, CallPreviousProc(button, message, wParam, lParam));
    default: break;
    }
    return CallPreviousProc(button, message, wParam, lParam);
}

LRESULT CALLBACK ContainerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        if (!g_theme) break;
        return OnContainerEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM: return HandleOwnerDraw(window, message, wParam, lParam);
    default: break;
    }
    return CallPreviousProc(window, message, wParam, lParam);
}

LRESULT HandleOwnerDraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (message == WM_DRAWITEM && item && item->CtlType == ODT_BUTTON && item->hwndItem &&
        IsSkinnedButton(item->hwndItem)) {
        PaintSkinnedButton(item->hwndItem, item->hDC, item->itemState);
        return TRUE;
    }
    return CallPreviousProc(window, message, wParam, lParam);
}

namespace slots {

void SkinAllChildControls(OrviaSkin*) {
    g_childControlSwitch = true;
    const std::int32_t count = g_registryCount;
    for (std::int32_t index = 1; index <= count; ++index) {
        // A window procedure reached by the walk may destroy a frame, which
        // shortens the registry under the loop.
        if (!g_frameRegistry || index > static_cast<std::int32_t>(g_frameRegistry->records.size())) break;
        const HWND frame = g_frameRegistry->records[static_cast<std::size_t>(index - 1)]->hWnd;
        SkinChildControls(frame);
        if (IsWindowVisible(frame)) InvalidateRect(frame, nullptr, TRUE);
    }
}

}  // namespace slots

}  // namespace orvia
