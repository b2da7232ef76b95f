// The window-free half of a frame's mouse interaction and page set: hit
// testing, the hot/pressed state machine, the drag and double-click bands,
// tab-strip layout and the page area.  Everything here works on a
// FrameRecord or on plain numbers, so tests can drive it without a window;
// frame_mouse.cpp and pages.cpp put it on real windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "skin/frame/frame_types.h"
#include "skin/skin_types.h"

namespace orvia {

// Tab strip: 60 × 52 tabs at y 27, 62 pixels apart, the first at x 5.  The
// caption band must be at least 80 high to hold the strip.
inline constexpr std::int32_t kTabFirstLeft = 5;
inline constexpr std::int32_t kTabStep = 62;
inline constexpr std::int32_t kTabTop = 27;
inline constexpr std::int32_t kTabWidth = 60;
inline constexpr std::int32_t kTabHeight = 52;
inline constexpr std::int32_t kBannerHeightForTabs = 80;

// The item at 1-based `index`, or null when the index names no item.  Hot and
// pressed indexes can be stale after re-entrant application code, so every
// access through them goes here.
FrameItem* ItemAt(FrameRecord& record, std::int32_t index);
const FrameItem* ItemAt(const FrameRecord& record, std::int32_t index);

// The pointer position of a button or move message: x is the low word read
// unsigned, y the high word of the 32-bit value read signed.
POINT MousePoint(LPARAM lParam);

// The 1-based index of the item that counts as hit at (x, y), or -1.  The
// first visible item containing the point decides; the status text is never
// a hit and hides what lies below it.
std::int32_t HitTestItems(const FrameRecord& record, std::int32_t x, std::int32_t y);

// Called with the index of every item whose look a transition changed, in
// the order in which the changes happen.
using ItemRedraw = std::function<void(std::int32_t index)>;

void SetHotItem(FrameRecord& record, std::int32_t index, const ItemRedraw& redraw);
void SetPressedItem(FrameRecord& record, std::int32_t index, const ItemRedraw& redraw);

// The transition of a move, button or double-click message with the hit
// index `hit` (-1 for none).  Returns the index of the item whose click the
// release completed, or -1; the click itself is the caller's, after this has
// returned, so all state changes are done before application code runs.
std::int32_t ApplyMouseTransition(FrameRecord& record, UINT message, std::int32_t hit, const ItemRedraw& redraw);

// The pointer left the window.  A pressed item keeps its index (a release
// over it after the pointer returns still clicks) but loses its pressed look;
// the hot item, whether or not it is the pressed one, is cleared.
void ApplyLeave(FrameRecord& record, const ItemRedraw& redraw);

// Before the item list changes under them: clears the looks of the hot and
// pressed items and sets both indexes to -1.  `redraw` receives the items
// whose flags were cleared.
void ForgetHotAndPressed(FrameRecord& record, const ItemRedraw& redraw);

// True when y lies in the caption band (above `bannerHeight`) or the status
// band (below windowHeight - statusHeight), both strictly.
bool InCaptionOrStatusBand(std::int32_t y, std::int32_t windowHeight, std::int32_t bannerHeight,
                           std::int32_t statusHeight);

// A press that hit no item drags the window when it is in a band and the
// skin does not consider the frame maximized.
bool PressDragsWindow(bool hitItem, bool inBand, LONG_PTR maximizedProperty);

// The system command that a double-click posts (SC_MAXIMIZE, or SC_RESTORE on
// a zoomed window), or 0 when the double-click is passed on instead.
WPARAM DoubleClickCommand(LONG_PTR maximizeBoxProperty, bool hitItem, bool inBand, bool zoomed);

// Re-places the visible tabs left to right from x 5 and leaves nNextTabLeft
// after the last of them.  Other items do not move.
void LayOutTabs(FrameRecord& record);

// The rectangle a page window gets in a W × H frame with caption band B and
// status band S: x 3, y B + 1, W - 6 wide, H - B - S - 4 high.  A status band
// of 0 or less counts as none, and a frame too small for a page gives it no
// width or height rather than a negative one.
struct PageArea {
    std::int32_t x, y, width, height;
};
PageArea PageAreaOf(std::int32_t width, std::int32_t height, std::int32_t bannerHeight, std::int32_t statusHeight);

// A tab's icon given as a 4-byte buffer: the little-endian 32-bit handle
// value, sign-extended to a pointer-sized handle.  Null for any other length.
HICON IconHandleFromBytes(ByteSpan bytes);

// What identifies a tab across application code that may add or remove
// items: its position changes then, its content does not.
struct TabIdentity {
    std::int32_t nIndex = 0;
    std::string sText;
    HICON hIcon = nullptr;
    HWND hPage = nullptr;
    OrviaRoutine pfnOnClick = nullptr;
};
TabIdentity IdentityOf(const FrameItem& tab);
// The 1-based index of the first tab with that identity, or -1.
std::int32_t FindTab(const FrameRecord& record, const TabIdentity& identity);

// The first page tab titled `title` (byte-wise, a null title is empty), or -1.
std::int32_t FindTabByTitle(const FrameRecord& record, const char* title, std::int32_t from = 1);

}  // namespace orvia
