#include "app/query_page.h"

#include <shellapi.h>

#include "app/browser_menu.h"
#include "app/endpoints.h"

namespace tovrin {

ShellOpen g_shellOpen = ShellExecuteA;
const wchar_t* g_browserStartPage = endpoints::kServiceStartPage;

namespace {

void OnQueryPageCreated(HWND) {}

void OpenInDefaultBrowser(const char* url) {
    // Nothing is reported when the URL cannot be opened.
    if (g_shellOpen) g_shellOpen(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

forms::WindowLayout QueryPageLayout() {
    // The browser is larger than its container and placed at a negative
    // offset: the page shows without its first 144 columns and 32 rows, and
    // all four of its edges (scroll bars among them) lie outside the container.
    return {
        kQueryPageName, 50, 50, 508, 355, L"", WS_POPUP | WS_CLIPCHILDREN, 0,
        {
            {kContainerName, forms::ControlKind::Container, nullptr, -8, 0, 512, 304},
            {kBrowserName, forms::ControlKind::Browser, kContainerName, -144, -32, 840, 448,
             g_browserStartPage, OnDocumentLoaded},
        },
        {
            {kMenuName, {{kOpenWebVersionItem, OnOpenWebVersion}, {kSendFeedbackItem, OnSendFeedback}}},
        },
    };
}

HWND LoadQueryPage() { return forms::LoadWindow(QueryPageLayout(), OnQueryPageCreated, false); }

void OnOpenWebVersion() { OpenInDefaultBrowser(endpoints::kWebVersionUrl); }

void OnSendFeedback() { OpenInDefaultBrowser(endpoints::kFeedbackUrl); }

}  // namespace tovrin
