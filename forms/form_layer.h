// The program's window and form layer: windows are described by layouts
// (data), loaded into real Win32 windows, and report their events to handlers
// the application gives.  The program's start window ends the message loop
// when it is destroyed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace forms {

struct WindowLayout {
    const wchar_t* name;     // how the application asks for the window's handle
    int x, y, width, height;  // screen position and outer size
    const wchar_t* caption;  // empty for none
    DWORD style;
    DWORD exStyle;
};

using CreatedHandler = std::function<void(HWND)>;
using ExitHandler = std::function<void()>;

// Registers the window class; safe to call again.  False when the class could
// not be registered.
bool Initialise(HINSTANCE instance);

// Creates the window of `layout`, runs `onCreated` with its handle before the
// window is first shown, and shows it unless the handler destroyed it.  The
// start window ends the message loop when it is destroyed.  Returns the
// handle, or null when creation failed or the handler destroyed the window.
HWND LoadWindow(const WindowLayout& layout, const CreatedHandler& onCreated, bool startWindow);

// The handle of a loaded window that still exists, by its layout name; null
// when there is none.
HWND WindowHandle(const wchar_t* name);

void DestroyFormWindow(HWND window);

// A task-modal message box without owner, as the user expects of a notice
// that no window of the program can hold.
int ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type);

// Runs `handler` once when the message loop ends (handlers run in the order
// in which they were registered).
void OnExit(ExitHandler handler);

// Dispatches messages until the start window is destroyed, then runs the exit
// handlers.  Returns the quit code.
int RunMessageLoop();

}  // namespace forms
