// The page window that holds the web-browser control, and its menu's handlers.
#pragma once

#include <windows.h>

#include "forms/form_layer.h"

namespace tovrin {

// Names by which the program finds the page window, its controls and its menu.
inline constexpr wchar_t kQueryPageName[] = L"QueryPage";
inline constexpr wchar_t kContainerName[] = L"外形框1";
inline constexpr wchar_t kBrowserName[] = L"超文本浏览框1";
inline constexpr wchar_t kMenuName[] = L"菜单";
inline constexpr wchar_t kOpenWebVersionItem[] = L"打开网页版";
inline constexpr wchar_t kSendFeedbackItem[] = L"我要提意见";

// The page window's layout, with the browser showing `g_browserStartPage`.
forms::WindowLayout QueryPageLayout();

// The page the browser shows first: the service's start page.  The browser
// fetches it as soon as the page window loads, so tests that must not reach
// outside addresses put a local page here first.
extern const wchar_t* g_browserStartPage;

// Loads the page window as an ordinary window (not modal, no owner), hidden:
// the frame shows it once it is its page.  Returns its handle (null when it
// could not be made).
HWND LoadQueryPage();

// The menu items' "selected" handlers: each opens a page in the default browser.
void OnOpenWebVersion();
void OnSendFeedback();

// How the handlers open a URL: ShellExecuteA in the shipped program; tests
// put a recorder here.
using ShellOpen = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                     INT show);
extern ShellOpen g_shellOpen;

}  // namespace tovrin
