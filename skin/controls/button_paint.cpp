#include "skin/controls/button_paint.h"

#include <algorithm>
#include <string>

#include "skin/controls/child_controls.h"
#include "skin/frame/registry.h"
#include "skin/theme/theme.h"

namespace orvia {

namespace {

constexpr int kPushCellWidth = 40;
constexpr int kPushCellHeight = 23;
constexpr int kPushBorder = 5;
constexpr int kSmallCell = 15;
constexpr int kCheckBoxRow = 25;
constexpr int kRadioRow = 40;
constexpr int kCheckedOffset = 4 * kSmallCell;
constexpr COLORREF kTransparentKey = RGB(255, 0, 255);
// The text of a check box or radio button starts one pixel right of its box.
constexpr int kSmallTextLeft = kSmallCell + 1;
constexpr UINT kPushTextFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
constexpr UINT kSmallTextFormat = DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS;
// How far inside the button's edge the push button's focus cue runs.
constexpr int kPushFocusInset = 3;

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class OwnedBitmap {
public:
    OwnedBitmap(HDC compatibleWith, int width, int height)
        : bitmap_(compatibleWith ? CreateCompatibleBitmap(compatibleWith, width, height) : nullptr) {}
    ~OwnedBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

// Selects an object into a DC and puts the previous one back on destruction.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

std::wstring WindowTextW(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

bool IsSmallCellType(int type) { return type == kCheckBoxType || type == kRadioButtonType; }

int StateOffset(bool enabled, int drawState) {
    if (!enabled) return 3;
    if (drawState == kDrawPressed) return 2;
    if (drawState == kDrawHover) return 1;
    return 0;
}

// The focus cue of a check box or radio button surrounds its text, or its box
// when it has none.
RECT SmallFocusRect(HDC dc, const std::wstring& text, int width, int height) {
    if (text.empty()) return {0, 0, std::min(kSmallCell, width), std::min(kSmallCell, height)};
    RECT extent{kSmallTextLeft, 0, width, height};
    DrawTextW(dc, text.c_str(), -1, &extent, kSmallTextFormat | DT_CALCRECT);
    const int textHeight = extent.bottom - extent.top;
    const int top = std::max(0, (height - textHeight) / 2);
    RECT focus{kSmallTextLeft - 1, top - 1, std::min<LONG>(extent.right + 1, width), top + textHeight + 1};
    focus.top = std::max<LONG>(focus.top, 0);
    focus.bottom = std::min<LONG>(focus.bottom, height);
    return focus;
}

}  // namespace

SpriteCell ChooseSpriteCell(int type, LONG_PTR check, bool enabled, int drawState, bool pushLike) {
    if (IsSmallCellType(type)) {
        const int base = check == 1 ? kCheckedOffset : 0;
        return {base + kSmallCell * StateOffset(enabled, drawState), type == kCheckBoxType ? kCheckBoxRow : kRadioRow,
                kSmallCell, kSmallCell};
    }
    int offset = StateOffset(enabled, drawState);
    if (pushLike && check == 1 && enabled) offset = 2;
    return {kPushCellWidth * offset, 0, kPushCellWidth, kPushCellHeight};
}

void DrawNineGrid(HDC target, const RECT& d, const RECT& s, const RECT& i) {
    if (!g_theme || !target) return;
    HDC source = g_theme->spriteDC;
    const int l = i.left - s.left;
    const int r = s.right - i.right;
    const int t = i.top - s.top;
    const int b = s.bottom - i.bottom;
    const int w = d.right - d.left;
    const int h = d.bottom - d.top;
    const int innerW = i.right - i.left;
    const int innerH = i.bottom - i.top;
    BitBlt(target, d.left, d.top, l, t, source, s.left, s.top, SRCCOPY);
    StretchBlt(target, d.left + l, d.top, w - l - r, t, source, i.left, s.top, innerW, t, SRCCOPY);
    BitBlt(target, d.right - r, d.top, r, t, source, i.right, s.top, SRCCOPY);
    StretchBlt(target, d.left, d.top + t, l, h - t - b, source, s.left, i.top, l, innerH, SRCCOPY);
    StretchBlt(target, d.left + l, d.top + t, w - l - r, h - t - b, source, i.left, i.top, innerW, innerH, SRCCOPY);
    StretchBlt(target, d.right - r, d.top + t, r, h - t - b, source, i.right, i.top, r, innerH, SRCCOPY);
    BitBlt(target, d.left, d.bottom - b, l, b, source, s.left, i.bottom, SRCCOPY);
    StretchBlt(target, d.left + l, d.bottom - b, w - l - r, b, source, i.left, i.bottom, innerW, b, SRCCOPY);
    BitBlt(target, d.right - r, d.bottom - b, r, b, source, i.right, i.bottom, SRCCOPY);
}

void PaintSkinnedButton(HWND button, HDC dc, UINT itemState) {
    if (!g_theme || !dc || !IsWindow(button)) return;
    RECT bounds{};
    GetWindowRect(button, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;

    MemoryDC memory(g_theme->spriteDC);
    OwnedBitmap surface(g_theme->spriteDC, width, height);
    // Without a surface of its own the button would be drawn from whatever
    // the bare memory DC holds; drawing nothing is the better failure.
    if (!memory.get() || !surface.get()) return;
    const HDC off = memory.get();
    Selection surfaceSelection(off, surface.get());

    // UTF-16 throughout: an 8-bit read would pass the label through the
    // system's ANSI code page and lose every character outside it.
    const std::wstring text = WindowTextW(button);
    SetBkMode(off, TRANSPARENT);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    if (!font) font = g_theme->defaultControlFont;
    Selection fontSelection(off, font);

    const int type = GetIntProperty(button, prop::kWindowType);
    const bool enabled = IsWindowEnabled(button) != FALSE;
    const bool pushLike = (GetWindowLongPtrW(button, GWL_STYLE) & BS_PUSHLIKE) != 0;
    const SpriteCell cell = ChooseSpriteCell(type, GetProperty(button, prop::kCheck), enabled,
                                             GetIntProperty(button, prop::kDrawState), pushLike);

    RECT all{0, 0, width, height};
    FillRect(off, &all, g_theme->backBrush);
    const bool showFocus = (itemState & ODS_FOCUS) && !(itemState & ODS_NOFOCUSRECT);
    if (IsSmallCellType(type)) {
        TransparentBlt(off, 0, 0, kSmallCell, kSmallCell, g_theme->spriteDC, cell.x, cell.y, kSmallCell, kSmallCell,
                       kTransparentKey);
        RECT textRect{kSmallTextLeft, 0, width, height};
        if (!text.empty()) DrawTextW(off, text.c_str(), -1, &textRect, kSmallTextFormat);
        if (showFocus) {
            const RECT focus = SmallFocusRect(off, text, width, height);
            DrawFocusRect(off, &focus);
        }
    } else {
        const RECT outer{cell.x, cell.y, cell.x + kPushCellWidth, cell.y + kPushCellHeight};
        const RECT inner{cell.x + kPushBorder, cell.y + kPushBorder, cell.x + kPushCellWidth - kPushBorder,
                         cell.y + kPushCellHeight - kPushBorder};
        DrawNineGrid(off, all, outer, inner);
        RECT textRect = all;
        if (!text.empty()) DrawTextW(off, text.c_str(), -1, &textRect, kPushTextFormat);
        if (showFocus) {
            RECT focus = all;
            InflateRect(&focus, -kPushFocusInset, -kPushFocusInset);
            DrawFocusRect(off, &focus);
        }
    }
    BitBlt(dc, 0, 0, width, height, off, 0, 0, SRCCOPY);
}

}  // namespace orvia
