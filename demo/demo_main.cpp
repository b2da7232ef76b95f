// A plain top-level window that the skin attaches to, for trying the frame by
// hand: sizable, all five caption buttons, a status band, three pages with
// their own page windows, and the usual child controls on the first page.
#include <windows.h>

#include <cstdint>
#include <span>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"

namespace orvia::embedded {
std::span<const std::uint8_t> BannerJpeg();
std::span<const std::uint8_t> PageHouseIco();
}  // namespace orvia::embedded

namespace {

constexpr wchar_t kFrameClass[] = L"OrviaDemoFrame";
constexpr wchar_t kPageClass[] = L"OrviaDemoPage";
HWND g_frame = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && g_frame) {
        wchar_t text[64] = {};
        GetWindowTextW(reinterpret_cast<HWND>(lParam), text, 64);
        char gbk[160] = {};
        WideCharToMultiByte(936, 0, text, -1, gbk, sizeof gbk - 16, nullptr, nullptr);
        char status[200];
        wsprintfA(status, "\xb5\xe3\xbb\xf7: %s", gbk);  // 点击: <label>
        orvia::g_skin->methods->SetStatusText(orvia::g_skin, g_frame, status);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

HWND Control(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
             int id) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

HWND MakePage(HINSTANCE instance, const wchar_t* title) {
    return CreateWindowExW(0, kPageClass, title, WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, instance, nullptr);
}

void FillControlsPage(HWND page) {
    Control(page, L"BUTTON", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, 16, 16, 80, 26, 101);
    Control(page, L"BUTTON", L"取消", BS_PUSHBUTTON | WS_TABSTOP, 104, 16, 80, 26, 102);
    HWND disabled = Control(page, L"BUTTON", L"不可用", BS_PUSHBUTTON, 192, 16, 80, 26, 103);
    EnableWindow(disabled, FALSE);
    Control(page, L"BUTTON", L"一个很长很长的按钮文字", BS_PUSHBUTTON, 280, 16, 90, 26, 104);
    Control(page, L"BUTTON", L"记住我", BS_AUTOCHECKBOX | WS_TABSTOP, 16, 56, 120, 18, 111);
    HWND checked = Control(page, L"BUTTON", L"自动更新", BS_AUTOCHECKBOX | WS_TABSTOP, 16, 80, 120, 18, 112);
    SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
    HWND off = Control(page, L"BUTTON", L"不可选", BS_AUTOCHECKBOX, 16, 104, 120, 18, 113);
    EnableWindow(off, FALSE);
    Control(page, L"BUTTON", L"快递公司", BS_GROUPBOX, 160, 50, 200, 110, 120);
    HWND first = Control(page, L"BUTTON", L"顺丰", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 176, 72, 80, 18, 121);
    SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
    Control(page, L"BUTTON", L"圆通", BS_AUTORADIOBUTTON, 176, 96, 80, 18, 122);
    Control(page, L"BUTTON", L"中通", BS_AUTORADIOBUTTON, 176, 120, 80, 18, 123);
}

void OnHelp(std::int32_t, std::int32_t, std::int32_t) {
    MessageBoxW(g_frame, L"这是皮肤演示程序。", L"帮助", MB_OK | MB_ICONINFORMATION);
}

void OnMainMenu(std::int32_t, std::int32_t, std::int32_t) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"换成纯色皮肤");
    AppendMenuW(menu, MF_STRING, 2, L"恢复横幅图片");
    AppendMenuW(menu, MF_STRING, 3, L"背景改为浅蓝");
    POINT pt;
    GetCursorPos(&pt);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, g_frame, nullptr);
    DestroyMenu(menu);
    orvia::OrviaSkin* skin = orvia::g_skin;
    if (chosen == 1) skin->methods->SetSkinColor(skin, RGB(60, 120, 200));
    if (chosen == 2) skin->methods->SetImageFromBytes(skin, orvia::embedded::BannerJpeg());
    if (chosen == 3) skin->methods->SetBackColor(skin, RGB(225, 238, 250));
}

void OnTabClicked(std::int32_t, std::int32_t, std::int32_t) {
    orvia::g_skin->methods->SetStatusText(orvia::g_skin, g_frame, "\xd2\xb3\xc7\xa9\xd2\xd1\xc7\xd0\xbb\xbb");  // 页签已切换
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvia::g_skin = orvia::NewOrviaSkin();
    orvia::NewTheme();
    orvia::NewBannerImage();
    orvia::NewFrameRegistry();
    orvia::BuildTheme();

    Register(kFrameClass, FrameProc, instance);
    Register(kPageClass, PageProc, instance);
    g_frame = CreateWindowExW(0, kFrameClass, L"皮肤演示 Orvia demo", WS_OVERLAPPEDWINDOW, 80, 60, 640, 480, nullptr,
                              nullptr, instance, nullptr);

    orvia::OrviaSkin* skin = orvia::g_skin;
    skin->methods->SetImageFromBytes(skin, orvia::embedded::BannerJpeg());
    skin->methods->AttachSkin(skin, g_frame, std::nullopt, std::nullopt, true, true, true, true, true, 400, 300);
    skin->methods->SkinAllChildControls(skin);
    skin->methods->SetHelpClickRoutine(skin, g_frame, OnHelp);
    skin->methods->SetMainMenuClickRoutine(skin, g_frame, OnMainMenu);
    skin->methods->SetStatusText(skin, g_frame, "\xbb\xb6\xd3\xad\xca\xb9\xd3\xc3\xc6\xa4\xb7\xf4\xd1\xdd\xca\xbe");  // 欢迎使用皮肤演示

    HWND controls = MakePage(instance, L"controls");
    FillControlsPage(controls);
    HWND second = MakePage(instance, L"second");
    Control(second, L"STATIC", L"第二页：拖动标题栏或状态栏移动窗口，拖动边缘改变大小。", 0, 16, 16, 360, 40, 201);
    HWND third = MakePage(instance, L"third");
    Control(third, L"EDIT", L"可以输入中文", WS_BORDER | ES_AUTOHSCROLL, 16, 16, 220, 24, 301);

    skin->methods->AddPage(skin, g_frame, "\xbf\xd8\xbc\xfe", orvia::embedded::PageHouseIco(), controls, std::nullopt);  // 控件
    skin->methods->AddPage(skin, g_frame, "\xcb\xb5\xc3\xf7", {}, second, OnTabClicked);  // 说明
    skin->methods->AddPage(skin, g_frame, "\xca\xe4\xc8\xeb", {}, third, OnTabClicked);   // 输入
    skin->methods->SelectPage(skin, g_frame, "\xbf\xd8\xbc\xfe");

    ShowWindow(g_frame, SW_SHOWNORMAL);
    UpdateWindow(g_frame);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
