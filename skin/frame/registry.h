// The registry of skinned frames, the window-property table in which the
// skin keeps per-window state, and the small operations that several parts of
// the skin share (style changes, one-time subclassing, passing messages on).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "skin/frame/frame_types.h"

namespace orvia {

// Property names.  The skin never removes a property.
namespace prop {
inline constexpr char kWndProc[] = "Brelin_WndProc";
inline constexpr char kDuiIndex[] = "Orvia_DUIIndex";
inline constexpr char kBannerHeight[] = "Orvia_BannerHeight";
inline constexpr char kStatusHeight[] = "Orvia_StatusHeight";
inline constexpr char kMaximizeBox[] = "Orvia_MaximizeBox";
inline constexpr char kMaximize[] = "Orvia_Maximize";
inline constexpr char kMinimize[] = "Orvia_bMinimize";
inline constexpr char kSizeBox[] = "Orvia_bSizeBox";
inline constexpr char kMinWidth[] = "Orvia_MinWidth";
inline constexpr char kMinHeight[] = "Orvia_MinHeight";
inline constexpr char kWidth[] = "Orvia_nWidth";
inline constexpr char kHeight[] = "Orvia_nHeight";
inline constexpr char kCacheDC[] = "OrviaCacheDC";
inline constexpr char kBackDC[] = "OrviaBackDC";
inline constexpr char kCacheBitmap[] = "OrviaCacheBitmap";
inline constexpr char kCacheOldBitmap[] = "OrviaCacheOldBitmap";
inline constexpr char kBackBitmap[] = "OrviaBackBitmap";
inline constexpr char kBackOldBitmap[] = "OrviaBackOldBitmap";
inline constexpr char kTracking[] = "Orvia_bTracking";
inline constexpr char kHelpClick[] = "Orvia_Event_HelpClick";
inline constexpr char kMainMenuClick[] = "Orvia_Event_MainMenuClick";
inline constexpr char kChildWindow[] = "Orvia_hWndChild";
inline constexpr char kCheck[] = "Orvia_bCheck";
inline constexpr char kWindowType[] = "Orvia_WindowType";
inline constexpr char kTrackMouseEvent[] = "Orvia_bTrackMouseEvent";
inline constexpr char kDrawState[] = "Orvia_DrawState";
}  // namespace prop

// Pointer-sized property access; an absent property reads as 0.
LONG_PTR GetProperty(HWND window, const char* name);
void SetProperty(HWND window, const char* name, LONG_PTR value);
// The 32-bit integer properties (sizes, flags, indexes) read as signed values.
inline std::int32_t GetIntProperty(HWND window, const char* name) {
    return static_cast<std::int32_t>(GetProperty(window, name));
}

// The ordered list of skinned frames.  Records are held by pointer so that a
// record keeps its address while others are added or removed.
struct FrameRegistry {
    std::vector<std::unique_ptr<FrameRecord>> records;
};

extern FrameRegistry* g_frameRegistry;
// The registry count that every validation reads; refreshed from the list
// whenever an entry is added or removed.
extern std::int32_t g_registryCount;
// On once SkinAllChildControls has run: frames attached later have their
// child controls skinned too.
extern bool g_childControlSwitch;

void NewFrameRegistry();
// Frees every record with its items, then the registry.
void FreeFrameRegistry();
void RefreshRegistryCount();

// The record of an attached frame through its DUI index, or null when the
// index is missing, out of range or names another window's record (the
// window is then not skinned).
FrameRecord* FindFrame(HWND window);
// The 1-based registry position of `window` found by comparing handles, or 0.
std::int32_t FindFrameByHandle(HWND window);
// Appends a record; returns its DUI index (the new count), 0 without a registry.
std::int32_t AppendFrame(std::unique_ptr<FrameRecord> record);
// Removes the first record of `window` and renumbers every remaining frame's
// DUI index.  False when no record matched.
bool RemoveFrame(HWND window);

// The skin-object method of slot 14 (see orvia_skin.h).
std::int32_t AddFrameItem(FrameRecord& record, std::int32_t kind, std::int32_t id, std::int32_t left,
                          std::int32_t top, std::int32_t width, std::int32_t height, const char* text,
                          std::optional<HICON> icon = std::nullopt);

// GWL_STYLE := (style & ~clearBits) | setBits; writes only when that changes
// the style and returns whether it wrote.  Omitted masks count as 0.
bool ChangeWindowStyle(HWND window, std::optional<LONG_PTR> clearBits, std::optional<LONG_PTR> setBits);

// Shows Maximize or Restore (items 2 and 3) for a frame that has the pair;
// `maximized` omitted takes IsZoomed.  Nothing is redrawn.
void SyncMaximizeButtons(HWND window, std::optional<bool> maximized = std::nullopt);

// Installs `procedure` unless the window already carries Brelin_WndProc.
// Subclassing uses the wide functions, so the window stays a Unicode window.
void SubclassOnce(HWND window, WNDPROC procedure);

// Passes a message to the procedure stored in Brelin_WndProc (DefWindowProcW
// when there is none, so a window is never left without an answer).
LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orvia
