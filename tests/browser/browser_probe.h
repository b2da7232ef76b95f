// Reaching the event sink that a host advised on a browser control, so that a
// test can deliver the events that a real document would cause (here no
// document ever loads).
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>

namespace test_browser {

// The first sink advised on the control's DWebBrowserEvents2 connection
// point, AddRef'd; null when there is none.
inline IDispatch* AdvisedSink(IWebBrowser2* control) {
    if (!control) return nullptr;
    IDispatch* sink = nullptr;
    IConnectionPointContainer* points = nullptr;
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))))
        return nullptr;
    IConnectionPoint* point = nullptr;
    if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
        IEnumConnections* connections = nullptr;
        if (SUCCEEDED(point->EnumConnections(&connections))) {
            CONNECTDATA data{};
            if (connections->Next(1, &data, nullptr) == S_OK && data.pUnk) {
                data.pUnk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink));
                data.pUnk->Release();
            }
            connections->Release();
        }
        point->Release();
    }
    points->Release();
    return sink;
}

// Delivers DocumentComplete to the control's sink, as a finished document does.
inline bool DeliverDocumentComplete(IWebBrowser2* control) {
    IDispatch* sink = AdvisedSink(control);
    if (!sink) return false;
    DISPPARAMS none{};
    const HRESULT hr = sink->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                    &none, nullptr, nullptr, nullptr);
    sink->Release();
    return SUCCEEDED(hr);
}

}  // namespace test_browser
