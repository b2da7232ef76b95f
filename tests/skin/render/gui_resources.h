// Counts of the process's live GDI objects and of the thread's windows, for
// showing that frames leave nothing behind.
#pragma once

#include <windows.h>

namespace render_test {

// GetGuiResources where the system implements it.  Wine does not (it
// returns 0 with ERROR_CALL_NOT_IMPLEMENTED); there the process's GDI handle
// table is walked instead: a handle given by its table index alone names
// whatever object lives in that slot, so every index with an object type is
// one live object.
inline DWORD GdiObjectCount() {
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return count;
    DWORD live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    return live;
}

inline bool GuiResourcesImplemented() {
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

namespace detail {
inline BOOL CALLBACK CountOne(HWND, LPARAM counter) {
    ++*reinterpret_cast<DWORD*>(counter);
    return TRUE;
}
// EnumChildWindows already walks every descendant.
inline BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
    CountOne(window, counter);
    EnumChildWindows(window, CountOne, counter);
    return TRUE;
}
}  // namespace detail

// GetGuiResources' USER count where it exists; otherwise the windows of this
// thread with all their descendants, the USER objects that frames make.
inline DWORD UserObjectCount() {
    if (GuiResourcesImplemented()) return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    DWORD windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), detail::CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace render_test
