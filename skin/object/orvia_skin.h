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
// - Slots whose subsystem is not part of this build yet do nothing and return
//   their failure value; each is marked below.
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
    void (*Destroy)(OrviaSkin* self);
    // 1: a new instance (the object has no state to copy).  Free it with FreeOrviaSkin.
    OrviaSkin* (*Copy)(OrviaSkin* self);
    // 2: banner picture from encoded image bytes; false when they do not decode.
    bool (*SetImageFromBytes)(OrviaSkin* self, ByteSpan bytes);
    // 3: banner picture from an image file (ANSI path); false when it cannot be read.
    bool (*SetImageFromFile)(OrviaSkin* self, const char* fileName);
    // 4: skin colour and sizes from the banner picture, then redraw every frame.
    void (*ApplyImage)(OrviaSkin* self);
    // 5: colour of the image scaled to one pixel.  Precondition: image is a live
    //    GDI+ image or null; null gives 0.
    COLORREF (*SampleImageColor)(OrviaSkin* self, gdip::GpImage* image);
    // 6: drops the banner picture; the frames' base colour becomes `color`.  Always true.
    bool (*SetSkinColor)(OrviaSkin* self, COLORREF color);
    // 7: makes a top-level window a skinned frame.  False only when `window`
    //    is not a window.  Defaults: banner 80 (at least 26), status 26,
    //    minimize from WS_MINIMIZEBOX, maximize from WS_MINIMIZEBOX and the
    //    system menu, help/main menu/sizable false, minimum size 150 × 100.
    bool (*AttachSkin)(OrviaSkin* self, HWND window, std::optional<std::int32_t> bannerHeight,
                       std::optional<std::int32_t> statusHeight, std::optional<bool> minimizeBox,
                       std::optional<bool> maximizeBox, std::optional<bool> helpButton,
                       std::optional<bool> mainMenuButton, std::optional<bool> sizable,
                       std::optional<std::int32_t> minWidth, std::optional<std::int32_t> minHeight);
    // 8: skins the child controls of every frame, now and when attached later.
    void (*SkinAllChildControls)(OrviaSkin* self);
    // 9: renders every registered frame again and invalidates it.
    void (*RedrawAllFrames)(OrviaSkin* self);
    // 10: replaces the frame's status text.
    void (*SetStatusText)(OrviaSkin* self, HWND window, const char* text);
    // 11: adds a page tab (icon from a 4-byte handle, from .ico bytes, or the
    //     default icon) and its page window.  1 on success, 0 otherwise.
    std::int32_t (*AddPage)(OrviaSkin* self, HWND window, const char* title, ByteSpan iconBytes,
                            std::optional<HWND> page, std::optional<OrviaRoutine> onClick);
    // 12: selects the page(s) titled `title`.  1 when one was found, else 0.
    std::int32_t (*SelectPage)(OrviaSkin* self, HWND window, const char* title);
    // 13: removes the first page titled `title`.  1 when one was found, else 0.
    std::int32_t (*RemovePage)(OrviaSkin* self, HWND window, const char* title);
    // 14: appends an item to `record` and returns its 1-based index.
    //     Precondition: `record` is a live record; the icon defaults to none.
    std::int32_t (*AddFrameItem)(OrviaSkin* self, FrameRecord& record, std::int32_t kind, std::int32_t id,
                                 std::int32_t left, std::int32_t top, std::int32_t width,
                                 std::int32_t height, const char* text, std::optional<HICON> icon);
    // 15: the routine run when the Help caption button is clicked (any window; null clears).
    void (*SetHelpClickRoutine)(OrviaSkin* self, HWND window, OrviaRoutine routine);
    // 16: the routine run when the MainMenu caption button is clicked.
    void (*SetMainMenuClickRoutine)(OrviaSkin* self, HWND window, OrviaRoutine routine);
    // 17: makes a registered frame resizable; false when it is not registered.
    //     Minimum size defaults to 150 × 100.
    bool (*SetSizable)(OrviaSkin* self, HWND window, std::optional<std::int32_t> minWidth,
                       std::optional<std::int32_t> minHeight);
    // 18: background of frames and skinned controls; CLR_INVALID (−1) means the
    //     system's button-face colour.  Redraws all frames when it changes.
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
