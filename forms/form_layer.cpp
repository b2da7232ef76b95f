#include "forms/form_layer.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "browser/web_browser_host.h"

namespace forms {
namespace {

constexpr wchar_t kClassName[] = L"OrviaFormWindow";
constexpr wchar_t kContainerClassName[] = L"OrviaFormContainer";
// Child-window ids of controls, and command ids of menu items, count from here.
constexpr UINT kFirstId = 1001;

struct Control {
    std::wstring name;
    HWND window = nullptr;
    std::unique_ptr<browser::WebBrowserHost> browser;
};

struct MenuItem {
    UINT id;
    Handler onSelected;
};

struct Menu {
    std::wstring name;
    HMENU handle = nullptr;
    std::vector<MenuItem> items;
};

struct LoadedWindow {
    std::wstring name;
    HWND window = nullptr;
    std::vector<Control> controls;
    std::vector<Menu> menus;

    LoadedWindow() = default;
    LoadedWindow(const LoadedWindow&) = delete;
    LoadedWindow& operator=(const LoadedWindow&) = delete;
    // Browsers close with their Control, within the window's WM_DESTROY,
    // while the windows they live in still exist.
    ~LoadedWindow() {
        for (Menu& m : menus) DestroyMenu(m.handle);
    }
};

std::vector<std::unique_ptr<LoadedWindow>>& Loaded() {
    static std::vector<std::unique_ptr<LoadedWindow>> windows;
    return windows;
}

std::vector<ExitHandler>& ExitHandlers() {
    static std::vector<ExitHandler> handlers;
    return handlers;
}

HWND g_startWindow = nullptr;
HINSTANCE g_instance = nullptr;

LoadedWindow* FindLoaded(HWND window) {
    if (!window) return nullptr;
    for (const auto& w : Loaded())
        if (w->window == window) return w.get();
    return nullptr;
}

Control* FindControl(LoadedWindow* w, const wchar_t* name) {
    if (!w || !name) return nullptr;
    for (Control& c : w->controls)
        if (c.name == name) return &c;
    return nullptr;
}

Handler FindMenuHandler(HWND window, UINT id) {
    if (LoadedWindow* w = FindLoaded(window))
        for (const Menu& m : w->menus)
            for (const MenuItem& item : m.items)
                if (item.id == id) return item.onSelected;
    return nullptr;
}

LRESULT OnDestroy(HWND window) {
    auto& loaded = Loaded();
    // Taken out of the list before it is torn down: closing a browser sends
    // messages to other windows, whose procedures look in the list.
    std::unique_ptr<LoadedWindow> gone;
    auto it = std::find_if(loaded.begin(), loaded.end(), [window](const auto& w) { return w->window == window; });
    if (it != loaded.end()) {
        gone = std::move(*it);
        loaded.erase(it);
    }
    gone.reset();
    if (window == g_startWindow) {
        g_startWindow = nullptr;
        PostQuitMessage(0);
    }
    return 0;
}

// A menu item's choice; other commands are not the layer's.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 && HIWORD(wParam) == 0) {
        if (const Handler handler = FindMenuHandler(window, LOWORD(wParam))) {
            handler();
            return 0;
        }
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: return OnDestroy(window);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterOnce(const wchar_t* name, bool withIcon) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(g_instance, name, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FormWindowProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (withIcon) wc.hIcon = LoadIconW(g_instance, L"DEFAULT_ICON");
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

HWND CreateContainer(HWND parent, const ControlLayout& c, UINT id) {
    return CreateWindowExW(0, kContainerClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                           c.x, c.y, c.width, c.height, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), g_instance, nullptr);
}

void CreateControls(LoadedWindow& w, const std::vector<ControlLayout>& layouts) {
    UINT id = kFirstId;
    for (const ControlLayout& layout : layouts) {
        HWND parent = w.window;
        if (layout.parent) {
            const Control* holder = FindControl(&w, layout.parent);
            if (!holder || !holder->window) continue;
            parent = holder->window;
        }
        Control control;
        control.name = layout.name ? layout.name : L"";
        switch (layout.kind) {
        case ControlKind::Container: control.window = CreateContainer(parent, layout, id++); break;
        case ControlKind::Browser: {
            const RECT bounds{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
            control.browser = browser::WebBrowserHost::Create(parent, bounds, layout.onDocumentLoaded);
            if (control.browser) control.window = control.browser->window();
            break;
        }
        }
        if (!control.window) continue;
        // Kept before navigating: a document that loads at once already finds
        // the control by its name.
        w.controls.push_back(std::move(control));
        if (w.controls.back().browser && layout.startUrl && *layout.startUrl)
            w.controls.back().browser->Navigate(layout.startUrl);
    }
}

void CreateMenus(LoadedWindow& w, const std::vector<MenuLayout>& layouts) {
    UINT id = kFirstId;
    for (const MenuLayout& layout : layouts) {
        Menu menu;
        menu.name = layout.name ? layout.name : L"";
        menu.handle = CreatePopupMenu();
        if (!menu.handle) continue;
        for (const MenuItemLayout& item : layout.items) {
            AppendMenuW(menu.handle, MF_STRING, id, item.text ? item.text : L"");
            menu.items.push_back({id++, item.onSelected});
        }
        w.menus.push_back(std::move(menu));
    }
}

}  // namespace

bool Initialise(HINSTANCE instance) {
    g_instance = instance;
    const bool windows = RegisterOnce(kClassName, true);
    const bool containers = RegisterOnce(kContainerClassName, false);
    return windows && containers;
}

HWND LoadWindow(const WindowLayout& layout, const CreatedHandler& onCreated, bool startWindow) {
    HWND window = CreateWindowExW(layout.exStyle, kClassName, layout.caption ? layout.caption : L"",
                                  layout.style & ~WS_VISIBLE, layout.x, layout.y, layout.width,
                                  layout.height, nullptr, nullptr, g_instance, nullptr);
    if (!window) return nullptr;
    auto record = std::make_unique<LoadedWindow>();
    record->name = layout.name ? layout.name : L"";
    record->window = window;
    LoadedWindow& loaded = *record;
    Loaded().push_back(std::move(record));
    CreateMenus(loaded, layout.menus);
    CreateControls(loaded, layout.controls);
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
    for (const auto& w : Loaded())
        if (w->name == name && IsWindow(w->window)) return w->window;
    return nullptr;
}

HWND ControlHandle(HWND window, const wchar_t* control) {
    const Control* c = FindControl(FindLoaded(window), control);
    return c ? c->window : nullptr;
}

browser::WebBrowserHost* BrowserControl(HWND window, const wchar_t* control) {
    const Control* c = FindControl(FindLoaded(window), control);
    return c ? c->browser.get() : nullptr;
}

HMENU MenuHandle(HWND window, const wchar_t* menu) {
    LoadedWindow* w = FindLoaded(window);
    if (!w || !menu) return nullptr;
    for (const Menu& m : w->menus)
        if (m.name == menu) return m.handle;
    return nullptr;
}

bool PopUpMenu(HWND window, const wchar_t* menu, POINT screenPoint) {
    HMENU handle = MenuHandle(window, menu);
    if (!handle) return false;
    TrackPopupMenu(handle, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint.x, screenPoint.y, 0, window,
                   nullptr);
    return true;
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
    // The program is ending: windows that did not go with the start window
    // go now, before the exit handlers free what their procedures use.
    std::vector<HWND> open;
    for (const auto& w : Loaded()) open.push_back(w->window);
    for (HWND w : open) DestroyFormWindow(w);
    Loaded().clear();

    std::vector<ExitHandler> handlers = std::move(ExitHandlers());
    ExitHandlers().clear();
    for (ExitHandler& h : handlers) h();
    return code;
}

}  // namespace forms
