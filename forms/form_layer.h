// The program's window and form layer: windows are described by layouts
// (data: position, size, caption, controls, menus), loaded into real Win32
// windows, and report their events to the handlers the layouts and the
// application give ("created", a menu item's "selected", a browser's
// "document loaded").  The program's start window ends the message loop when
// it is destroyed.  Every window is a Unicode window and every text of the
// layer is UTF-16, so texts show the same whatever the system's code page.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace browser {
class WebBrowserHost;
}

namespace forms {

using Handler = std::function<void()>;

enum class ControlKind {
    Container,  // a plain child window that holds other controls
    Browser,    // the embedded web-browser control
};

struct ControlLayout {
    const wchar_t* name;
    ControlKind kind;
    // Name of an earlier control of the same window that holds this one;
    // null for the window itself.  A control whose parent is not an earlier
    // control of the window is not created.
    const wchar_t* parent;
    int x, y, width, height;  // in the parent's client area; may lie partly outside it
    const wchar_t* startUrl = nullptr;  // Browser: the page shown first (none when null or empty)
    Handler onDocumentLoaded = nullptr;  // Browser: runs for every finished document (or part of one)
};

struct MenuItemLayout {
    const wchar_t* text;
    Handler onSelected;
};

// A popup menu kept with its window (never a menu bar) and popped up on request.
struct MenuLayout {
    const wchar_t* name;
    std::vector<MenuItemLayout> items;
};

struct WindowLayout {
    const wchar_t* name;     // how the application asks for the window's handle
    int x, y, width, height;  // screen position and outer size
    const wchar_t* caption;  // empty for none
    DWORD style;             // WS_VISIBLE: shown once the "created" handler has run
    DWORD exStyle;
    std::vector<ControlLayout> controls = {};
    std::vector<MenuLayout> menus = {};
};

using CreatedHandler = std::function<void(HWND)>;
using ExitHandler = std::function<void()>;

// Registers the window classes; safe to call again.  False when a class could
// not be registered.
bool Initialise(HINSTANCE instance);

// Creates the window of `layout` with its controls and menus, runs
// `onCreated` with its handle before the window is first shown, and shows it
// unless the handler destroyed it.  The start window ends the message loop
// when it is destroyed.  Returns the handle, or null when creation failed or
// the handler destroyed the window.  A browser control that cannot be created
// is left out; the window is loaded all the same.
HWND LoadWindow(const WindowLayout& layout, const CreatedHandler& onCreated, bool startWindow);

// The handle of a loaded window that still exists, by its layout name; null
// when there is none.
HWND WindowHandle(const wchar_t* name);

// The window handle of control `control` of the loaded window `window`; for a
// browser control, the control's own top window.  Null when either is unknown.
HWND ControlHandle(HWND window, const wchar_t* control);

// The browser control `control` of the loaded window `window`, or null.
browser::WebBrowserHost* BrowserControl(HWND window, const wchar_t* control);

// The popup menu `menu` kept for the loaded window `window`, or null.
HMENU MenuHandle(HWND window, const wchar_t* menu);

// Pops up the menu `menu` of `window` with its top-left corner at `screenPoint`
// (right button tracking, `window` as owner).  Modal: returns when the menu
// closes; a chosen item's "selected" handler runs when the window receives
// the choice.  False when the window has no such menu.
bool PopUpMenu(HWND window, const wchar_t* menu, POINT screenPoint);

void DestroyFormWindow(HWND window);

// A task-modal message box without owner, as the user expects of a notice
// that no window of the program can hold.
int ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type);

// Runs `handler` once when the message loop ends (handlers run in the order
// in which they were registered).
void OnExit(ExitHandler handler);

// Dispatches messages until the start window is destroyed, destroys the
// windows of the layer that are still open, then runs the exit handlers.
// Returns the quit code.
int RunMessageLoop();

}  // namespace forms
