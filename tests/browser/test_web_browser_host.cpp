#include <gtest/gtest.h>

#include <exdispid.h>
#include <ole2.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "browser/web_browser_host.h"
#include "tests/browser/browser_probe.h"
#include "tests/forms/placement.h"
#include "tests/harness/harness.h"

namespace {

using browser::WebBrowserHost;

// A top window with a container at (-8, 0), 512 × 304, the browser's place
// in the program.
struct Stage {
    harness::TestWindow top{{.x = 20, .y = 20, .width = 600, .height = 400,
                             .style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN}};
    harness::TestWindow container{{.x = -8, .y = 0, .width = 512, .height = 304,
                                   .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, .parent = top}};
};

constexpr RECT kBounds{-144, -32, -144 + 840, -32 + 448};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HRESULT Invoke(IDispatch* target, DISPID id) {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result,
                          nullptr, nullptr);
}

TEST(WebBrowserHost, SitsCroppedInsideItsContainerAndNavigates) {
    Stage stage;
    auto host = WebBrowserHost::Create(stage.container, kBounds, nullptr);
    ASSERT_TRUE(host);
    HWND control = host->window();
    ASSERT_TRUE(IsWindow(control));
    EXPECT_EQ(ClassOf(control), L"Shell Embedding");
    EXPECT_EQ(GetParent(control), stage.container.hwnd());
    EXPECT_TRUE(IsWindowVisible(control));
    test_place::ExpectPlace(control, stage.container, -144, -32, 840, 448);
    ASSERT_TRUE(host->browser());

    // Returns whether or not a document can ever be shown here.
    EXPECT_TRUE(host->Navigate(L"about:blank"));
    harness::PumpFor(100);
    EXPECT_TRUE(FindWindowExW(control, nullptr, L"Shell DocObject View", nullptr))
        << "the document view lives in a child window of the control";

    host->Close();
    EXPECT_FALSE(IsWindow(control)) << "the control's windows go with it";
    EXPECT_EQ(host->window(), nullptr);
    EXPECT_EQ(host->browser(), nullptr);
    EXPECT_FALSE(host->Navigate(L"about:blank"));
    host->Close();  // again: nothing happens
}

TEST(WebBrowserHost, ReportsEveryDocumentCompleteUntilClosed) {
    Stage stage;
    int loaded = 0;
    auto host = WebBrowserHost::Create(stage.container, kBounds, [&] { ++loaded; });
    ASSERT_TRUE(host);
    IDispatch* sink = test_browser::AdvisedSink(host->browser());
    ASSERT_TRUE(sink) << "an event sink is advised on DWebBrowserEvents2";

    // A page in two parts finishes twice; the other events report nothing.
    EXPECT_EQ(Invoke(sink, DISPID_DOCUMENTCOMPLETE), S_OK);
    EXPECT_EQ(Invoke(sink, DISPID_DOCUMENTCOMPLETE), S_OK);
    EXPECT_EQ(Invoke(sink, DISPID_BEFORENAVIGATE2), S_OK);
    EXPECT_EQ(Invoke(sink, DISPID_NAVIGATECOMPLETE2), S_OK);
    EXPECT_EQ(Invoke(sink, DISPID_NAVIGATEERROR), S_OK);
    EXPECT_EQ(loaded, 2);

    host->Close();
    EXPECT_EQ(Invoke(sink, DISPID_DOCUMENTCOMPLETE), S_OK);
    EXPECT_EQ(loaded, 2) << "a closed host reports nothing";
    sink->Release();
}

TEST(WebBrowserHost, AnswersNoAmbientProperty) {
    Stage stage;
    auto host = WebBrowserHost::Create(stage.container, kBounds, nullptr);
    ASSERT_TRUE(host);
    IOleObject* object = nullptr;
    ASSERT_EQ(host->browser()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    IOleClientSite* site = nullptr;
    ASSERT_EQ(object->GetClientSite(&site), S_OK);
    ASSERT_TRUE(site);
    IDispatch* ambient = nullptr;
    ASSERT_EQ(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)), S_OK);
    for (DISPID id : {-5501 /* offline if not connected */, -5502 /* silent */, -5512 /* download control */,
                      DISPID_AMBIENT_USERMODE})
        EXPECT_EQ(Invoke(ambient, id), DISP_E_MEMBERNOTFOUND) << "ambient property " << id;
    ambient->Release();
    site->Release();
    object->Release();
}

TEST(WebBrowserHost, NeedsAParentWindow) {
    EXPECT_EQ(WebBrowserHost::Create(nullptr, kBounds, nullptr), nullptr);
    EXPECT_EQ(WebBrowserHost::Create(reinterpret_cast<HWND>(0x1234), kBounds, nullptr), nullptr);
    Stage stage;
    auto host = WebBrowserHost::Create(stage.container, kBounds, nullptr);
    ASSERT_TRUE(host);
    EXPECT_FALSE(host->Navigate(nullptr));
}

}  // namespace
