#include "forms/form_layer.h"

#include <utility>

namespace forms {
namespace {

constexpr wchar_t kClassName[] = L"OrviaFormWindow";

struct LoadedWindow {
    std::wstring name;
    HWND window;
};

std::vector<LoadedWindow>& Loaded() {
    static std::vector<LoadedWindow> windows;
    return windows;
}

std::vector<ExitHandler>& ExitHandlers() {
    static std::vector<ExitHandler> handlers;
    return handlers;
}

HWND g_startWindow = nullptr;
HINSTANCE g_instance = nullptr;

LRESULT OnDestroy(HWND window) {
    auto& loaded = Loaded();
    std::erase_if(loaded, [window](const LoadedWindow& w) { return w.window == window; });
    if (window == g_startWindow) {
        g_startWindow = nullptr;
        PostQuitMessage(0);
    }
    return 0;
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: return OnDestroy(window);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool Initialise(HINSTANCE instance) {
    g_instance = instance;
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FormWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(instance, L"DEFAULT_ICON");
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND LoadWindow(const WindowLayout& layout, const CreatedHandler& onCreated, bool startWindow) {
    HWND window = CreateWindowExW(layout.exStyle, kClassName, layout.caption ? layout.caption : L"",
                                  layout.style & ~WS_VISIBLE, layout.x, layout.y, layout.width,
                                  layout.height, nullptr, nullptr, g_instance, nullptr);
    if (!window) return nullptr;
    Loaded().push_back({layout.name ? layout.name : L"", window});
    if (startWindow) g_startWindow = window;
    if (onCreated) onCreated(window);
    if (!IsWindow(window)) return nullptr;
    if (layout.style & WS_VISIBLE) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    return window;
}

HWND WindowHandle(const wchar_t* name) {
    if (!name) return nullptr;
    for (const LoadedWindow& w : Loaded())
        if (w.name == name && IsWindow(w.window)) return w.window;
    return nullptr;
}

void DestroyFormWindow(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
}

int ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(nullptr, text, caption, type);
}

void OnExit(ExitHandler handler) { ExitHandlers().push_back(std::move(handler)); }

int RunMessageLoop() {
    MSG msg{};
    int code = 0;
    // A start window that is already gone (destroyed by its own "created"
    // handler) has posted its quit message, which ends the loop at once.
    while (true) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            code = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::vector<ExitHandler> handlers = std::move(ExitHandlers());
    ExitHandlers().clear();
    for (ExitHandler& h : handlers) h();
    return code;
}

}  // namespace forms
