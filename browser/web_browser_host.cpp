#include "browser/web_browser_host.h"

#include <exdispid.h>
#include <ole2.h>

#include <utility>

namespace browser {

// The control asks the frame for the top-level window that holds it; that
// window changes when the page that holds the control is adopted by another
// window, so it is looked up on every call.
class WebBrowserHost::Frame final : public IOleInPlaceFrame {
public:
    explicit Frame(HWND parent) : parent_(parent) {}

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
            iid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = GetAncestor(parent_, GA_ROOT);
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: the control gets no tool space; it needs none.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame: no menu merging, status text or accelerators of ours.
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~Frame() = default;
    HWND parent_;
    volatile LONG references_ = 1;
};

// Client site, in-place site and event sink in one object.  The control also
// asks a client site that answers IDispatch for ambient properties, through
// the same Invoke as its events: ambient ids are negative, event ids positive.
class WebBrowserHost::Site final : public IOleClientSite, public IOleInPlaceSite, public IDispatch {
public:
    Site(HWND parent, const RECT& bounds, DocumentLoaded onDocumentLoaded)
        : parent_(parent), bounds_(bounds), onDocumentLoaded_(std::move(onDocumentLoaded)), frame_(new Frame(parent)) {}

    // Events that arrive after this are dropped.
    void Disconnect() { onDocumentLoaded_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
            *out = static_cast<IDispatch*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite: nothing is ever saved or linked.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = parent_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (frame) {
            *frame = frame_;
            frame_->AddRef();
        }
        if (document) *document = nullptr;
        if (position) *position = bounds_;
        if (clip) *clip = bounds_;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = GetAncestor(parent_, GA_ROOT);
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    // The control keeps the place it was given: its window is never moved.
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id < 0) return DISP_E_MEMBERNOTFOUND;  // an ambient property: the control's defaults apply
        if (id == DISPID_DOCUMENTCOMPLETE) OnDocumentComplete();
        return S_OK;
    }

private:
    ~Site() { frame_->Release(); }

    void OnDocumentComplete() {
        // A copy: the handler may close the host, which drops the original.
        const DocumentLoaded handler = onDocumentLoaded_;
        if (handler) handler();
    }

    HWND parent_;
    RECT bounds_;
    DocumentLoaded onDocumentLoaded_;
    Frame* frame_;
    volatile LONG references_ = 1;
};

namespace {

template <typename T>
void ReleaseAndClear(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace

std::unique_ptr<WebBrowserHost> WebBrowserHost::Create(HWND parent, const RECT& bounds,
                                                       DocumentLoaded onDocumentLoaded) {
    if (!IsWindow(parent)) return nullptr;
    std::unique_ptr<WebBrowserHost> host(new WebBrowserHost);
    // In-place controls need a single-threaded apartment with OLE on it.
    if (FAILED(OleInitialize(nullptr))) return nullptr;
    host->oleInitialised_ = true;
    host->site_ = new Site(parent, bounds, std::move(onDocumentLoaded));
    IOleClientSite* clientSite = host->site_;

    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&host->object_))))
        return nullptr;
    if (FAILED(host->object_->SetClientSite(clientSite))) return nullptr;

    IConnectionPointContainer* points = nullptr;
    if (SUCCEEDED(host->object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
        if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &host->events_)) &&
            FAILED(host->events_->Advise(static_cast<IDispatch*>(host->site_), &host->cookie_)))
            host->cookie_ = 0;
        points->Release();
    }

    RECT place = bounds;
    if (FAILED(host->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, parent, &place)))
        return nullptr;
    if (FAILED(host->object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&host->inPlace_))))
        return nullptr;
    host->inPlace_->GetWindow(&host->window_);
    if (!host->window_) return nullptr;
    host->inPlace_->SetObjectRects(&place, &place);
    if (FAILED(host->object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&host->browser_))))
        return nullptr;
    return host;
}

WebBrowserHost::~WebBrowserHost() { Close(); }

bool WebBrowserHost::Navigate(const wchar_t* url) {
    if (!browser_ || !url) return false;
    BSTR address = SysAllocString(url);
    VARIANT none;
    VariantInit(&none);
    const HRESULT hr = browser_->Navigate(address, &none, &none, &none, &none);
    SysFreeString(address);
    return SUCCEEDED(hr);
}

void WebBrowserHost::Close() {
    if (site_) site_->Disconnect();
    if (events_ && cookie_) events_->Unadvise(cookie_);
    cookie_ = 0;
    ReleaseAndClear(events_);
    if (inPlace_) inPlace_->InPlaceDeactivate();
    ReleaseAndClear(inPlace_);
    ReleaseAndClear(browser_);
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    ReleaseAndClear(object_);
    ReleaseAndClear(site_);
    window_ = nullptr;
    if (oleInitialised_) OleUninitialize();
    oleInitialised_ = false;
}

}  // namespace browser
