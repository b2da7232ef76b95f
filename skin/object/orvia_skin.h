// The skin module's whole public interface: one object with a 20-slot method
// table.  Applications, and the skin itself where one method relies on
// another, call through the table, so replacing a slot replaces the method
// everywhere.
//
// Conventions for every slot:
// - Texts are 8-bit strings in code page 936, terminated by a zero; a null
//   text reads as the empty text.
// - Byte buffers are ByteSpan (pointer and length); the skin copies what it
//   keeps.  An empty span is a valid, empty buffer.
// - Colours are 0x00BBGGRR (COLORREF).
// - An optional argument is a std::optional: std::nullopt means "omitted" and
//   takes the slot's default, which is different from a given 0 or false.
// - Nothing throws.  Failure is reported by the result (false, 0 or null).
//
// Bad input, for every slot (each slot's own results follow its comment):
// - `self` is the object the table was taken from.  A null self acts as an
//   object with DefaultSkinMethods(): the slots that reach other slots go
//   through that table.
// - A window names a frame only while it is registered under its own handle.
//   Null, a handle of another kind, a destroyed window, a child window, an
//   unregistered window and a window that has left the registry but lives on
//   (its WM_DESTROY came, it was not destroyed) name none, also when they
//   carry an Orvia_DUIIndex; "no frame" below means any of these.
// - Texts may have any length and any bytes: they are stored and compared
//   byte for byte (a lead byte without its trail byte included) and drawn
//   clipped to their item; only as much of a long text is laid out as the
//   item can show, so that a megabyte of text draws no slower than what fits.
// - A ByteSpan must describe readable memory; a length longer than the memory
//   behind the pointer cannot be detected.
// - Heights and sizes are 32-bit values of any sign; nothing that the skin
//   computes from them wraps round.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "gdiplus/gdiplus_flat.h"
#include "skin/frame/frame_types.h"
#include "skin/skin_types.h"

namespace orvia {

struct OrviaSkin;

struct OrviaSkinMethods {
    // 0: nothing to release; called before the object's memory is freed.
    //    A null self does nothing.
    void (*Destroy)(OrviaSkin* self);
    // 1: a new instance (the object has no state to copy).  Free it with FreeOrviaSkin.
    //    A null self gives an object with the default table.
    OrviaSkin* (*Copy)(OrviaSkin* self);
    // 2: banner picture from encoded image bytes; false when they do not decode.
    //    Bad input: false, and the picture, its sizes, the skin colour and its
    //    brush stay as they were and no frame is redrawn, for an empty span,
    //    1-3 bytes, garbage, a PNG, JPEG or BMP cut short, and one whose header
    //    declares a size too large to decode (100000 x 100000).
    bool (*SetImageFromBytes)(OrviaSkin* self, ByteSpan bytes);
    // 3: banner picture from an image file (ANSI path); false when it cannot be read.
    //    Bad input: false and nothing changed, as in slot 2, for a null or empty
    //    name, a missing file, a folder, a name longer than MAX_PATH (up to 1 MB),
    //    one ending in a lone lead byte, and a file whose bytes do not decode.
    bool (*SetImageFromFile)(OrviaSkin* self, const char* fileName);
    // 4: skin colour and sizes from the banner picture, then redraw every frame.
    //    Without a picture (after slot 6) it runs all the same: the sizes are
    //    those the banner keeps from its last picture, and the skin colour is
    //    0, what sampling no image gives.
    void (*ApplyImage)(OrviaSkin* self);
    // 5: colour of the image scaled to one pixel.  Precondition: image is a live
    //    GDI+ image or null; null gives 0 and changes nothing.
    COLORREF (*SampleImageColor)(OrviaSkin* self, gdip::GpImage* image);
    // 6: drops the banner picture; the frames' base colour becomes `color`.  Always true.
    //    Any value is taken; the fill uses its low three bytes (CLR_INVALID
    //    gives white).  The sampled colour and the sizes stay.
    bool (*SetSkinColor)(OrviaSkin* self, COLORREF color);
    // 7: makes a top-level window a skinned frame.  False only when `window`
    //    is not a window.  Defaults: banner 80 (at least 26), status 26,
    //    minimize from WS_MINIMIZEBOX, maximize from WS_MINIMIZEBOX and the
    //    system menu, help/main menu/sizable false, minimum size 150 × 100.
    //    Bad input: null, a handle of another kind and a destroyed window give
    //    false and change nothing.  Any other window is attached: a child window
    //    (its parent stays as it was) and a window that has left the registry
    //    (it gets an entry of its own).  A banner below 26, down to INT_MIN, is
    //    26; every other value is stored as given.  A status height of 0 or less
    //    gives no status item and no status band (no double-click or drag band
    //    below the client area); bands taller than the window leave the page
    //    window no height; minimum sizes go to the system as they are (negative
    //    counts as none, and the window is never sized below a huge one).
    bool (*AttachSkin)(OrviaSkin* self, HWND window, std::optional<std::int32_t> bannerHeight,
                       std::optional<std::int32_t> statusHeight, std::optional<bool> minimizeBox,
                       std::optional<bool> maximizeBox, std::optional<bool> helpButton,
                       std::optional<bool> mainMenuButton, std::optional<bool> sizable,
                       std::optional<std::int32_t> minWidth, std::optional<std::int32_t> minHeight);
    // 8: skins the child controls of every frame, now and when attached later.
    //    A registry entry whose window is gone is passed over.
    void (*SkinAllChildControls)(OrviaSkin* self);
    // 9: renders every registered frame again and invalidates it.
    //    A registry entry whose window is gone is passed over.
    void (*RedrawAllFrames)(OrviaSkin* self);
    // 10: replaces the frame's status text.
    //    No frame, or a frame without a status item: nothing changes.  Any text
    //    is stored (null as empty); an empty one draws nothing.
    void (*SetStatusText)(OrviaSkin* self, HWND window, const char* text);
    // 11: adds a page tab (icon from a 4-byte handle, from .ico bytes, or the
    //     default icon) and its page window.  1 on success, 0 otherwise.
    //    No frame: 0, and no tab, no icon and no change to the page window.
    //    Any title is stored (null as empty).  The default page icon, not owned
    //    by the tab, stands in for every buffer that makes no icon: empty, 1-3
    //    bytes, 4 bytes that name no live icon (0, -1, a window's handle), an
    //    .ico cut short, without images, or whose image range is empty or lies
    //    outside the buffer, and image bytes that are not an icon.  A page
    //    window that cannot be one (null, the frame itself or an ancestor, a
    //    handle that is no window, a destroyed window) is stored and gives a tab
    //    without a page: selecting it hides the other pages and shows, adopts,
    //    hides or moves nothing else.  The routine is stored unchecked.
    std::int32_t (*AddPage)(OrviaSkin* self, HWND window, const char* title, ByteSpan iconBytes,
                            std::optional<HWND> page, std::optional<OrviaRoutine> onClick);
    // 12: selects the page(s) titled `title`.  1 when one was found, else 0.
    //    No frame, or a title that no tab has byte for byte (its start, other
    //    letter case, a trailing space or lone lead byte, a megabyte): 0 and
    //    nothing changes.  A null title finds the tabs titled "".
    std::int32_t (*SelectPage)(OrviaSkin* self, HWND window, const char* title);
    // 13: removes the first page titled `title`.  1 when one was found, else 0.
    //    Bad input as in slot 12: 0 and nothing changes.
    std::int32_t (*RemovePage)(OrviaSkin* self, HWND window, const char* title);
    // 14: appends an item to `record` and returns its 1-based index.
    //     Precondition: `record` is a live record, registered or not (it is a
    //     reference, so there is no null record); the icon defaults to none.
    //    Kind, id, geometry, text and icon are taken as given; the icon is not
    //    checked and stays the caller's.  The bounds stop at the ends of the
    //    32-bit range instead of wrapping, and an item of negative size is never
    //    hit.  A count out of step with the items is put right: the result is
    //    the number of items.
    std::int32_t (*AddFrameItem)(OrviaSkin* self, FrameRecord& record, std::int32_t kind, std::int32_t id,
                                 std::int32_t left, std::int32_t top, std::int32_t width,
                                 std::int32_t height, const char* text, std::optional<HICON> icon);
    // 15: the routine run when the Help caption button is clicked (any window; null clears).
    //    Every window takes the property, registered or not; a handle that is
    //    no window takes none; no other window changes.
    void (*SetHelpClickRoutine)(OrviaSkin* self, HWND window, OrviaRoutine routine);
    // 16: the routine run when the MainMenu caption button is clicked.
    //    Bad input as in slot 15.
    void (*SetMainMenuClickRoutine)(OrviaSkin* self, HWND window, OrviaRoutine routine);
    // 17: makes a registered frame resizable; false when it is not registered.
    //     Minimum size defaults to 150 × 100.
    //    No frame: false and nothing changes.  Sizes are stored as given (see 7).
    bool (*SetSizable)(OrviaSkin* self, HWND window, std::optional<std::int32_t> minWidth,
                       std::optional<std::int32_t> minHeight);
    // 18: background of frames and skinned controls; CLR_INVALID (−1) means the
    //     system's button-face colour.  Redraws all frames when it changes.
    //    Any other value is kept as given (slot 19 returns it); the fill uses
    //    its low three bytes.
    void (*SetBackColor)(OrviaSkin* self, COLORREF color);
    // 19: the current background colour.
    COLORREF (*GetBackColor)(OrviaSkin* self);
};

static_assert(sizeof(OrviaSkinMethods) == 20 * sizeof(void*), "the skin interface has exactly 20 slots");

struct OrviaSkin {
    const OrviaSkinMethods* methods;
};

// The method table of this build, in slot order.
const OrviaSkinMethods& DefaultSkinMethods();

// The one skin object of the process, created first at start-up and freed
// first at exit.
extern OrviaSkin* g_skin;

OrviaSkin* NewOrviaSkin();
// Calls slot 0, then frees the object.  Null is ignored.
void FreeOrviaSkin(OrviaSkin* skin);

}  // namespace orvia
