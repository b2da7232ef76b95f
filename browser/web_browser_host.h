// The system's WebBrowser control, hosted in a minimal in-place OLE container
// of our own: a client site, an in-place site and frame, and an event sink on
// DWebBrowserEvents2.  The control keeps its documents in child windows of its
// own ("Shell Embedding" and below); the host only places it once, navigates
// and reports every finished document.
#pragma once

#include <windows.h>

#include <exdisp.h>

#include <functional>
#include <memory>

namespace browser {

class WebBrowserHost {
public:
    // Runs for every DocumentComplete event of the control: for a page that
    // loads in several parts, once per part.  Never runs where no document
    // can be shown at all (a Wine without Gecko): nothing waits for it.
    using DocumentLoaded = std::function<void()>;

    // Creates the control as a child of `parent`, in-place active at `bounds`
    // (client coordinates of `parent`; they may lie partly outside it, which
    // crops the control).  Null when `parent` is not a window or the control
    // cannot be created or activated.
    static std::unique_ptr<WebBrowserHost> Create(HWND parent, const RECT& bounds, DocumentLoaded onDocumentLoaded);

    // Closes the control (Close).
    ~WebBrowserHost();
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;

    // The control's own top window; null once closed.
    HWND window() const { return window_; }
    // The control's automation interface, for callers that need more than
    // this class offers; null once closed.  Not AddRef'd.
    IWebBrowser2* browser() const { return browser_; }

    // Starts showing `url`.  True when the control accepted the request; where
    // and when the document arrives is reported by DocumentLoaded only.
    bool Navigate(const wchar_t* url);

    // Disconnects the events, deactivates and closes the control and releases
    // everything.  The control's windows go with it.  Safe to call again.
    // Call it while the parent window still exists (at the latest from the
    // parent's WM_DESTROY), as the control tears its windows down itself.
    void Close();

private:
    class Site;
    class Frame;
    WebBrowserHost() = default;

    Site* site_ = nullptr;
    IOleObject* object_ = nullptr;
    IOleInPlaceObject* inPlace_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    IConnectionPoint* events_ = nullptr;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
    bool oleInitialised_ = false;
};

}  // namespace browser
