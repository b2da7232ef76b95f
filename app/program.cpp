#include "app/program.h"

#include "app/browser_menu.h"
#include "app/connection_test.h"
#include "app/embedded_pictures.h"
#include "app/query_page.h"
#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"

namespace tovrin {

std::vector<std::string>* g_lifecycleLog = nullptr;

namespace {

void Log(const char* step) {
    if (g_lifecycleLog) g_lifecycleLog->emplace_back(step);
}

}  // namespace

const forms::WindowLayout& MainWindowLayout() {
    static const forms::WindowLayout layout = {
        L"MainWindow", 50, 50, 512, 411, L"TovrinV1.0", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
    };
    return layout;
}

void CreateProcessObjects() {
    orvia::g_skin = orvia::NewOrviaSkin();
    Log("create skin object");
    orvia::NewTheme();
    Log("create theme");
    NewHookTable();
    Log("create hook table");
    orvia::NewBannerImage();
    Log("create banner image");
    orvia::NewFrameRegistry();
    Log("create frame registry");
}

void ExitCleanup() {
    orvia::FreeOrviaSkin(orvia::g_skin);
    orvia::g_skin = nullptr;
    Log("free skin object");
    orvia::FreeTheme();
    Log("free theme");
    FreeHookTable();
    Log("free hook table");
    orvia::FreeBannerImage();
    Log("free banner image");
    orvia::FreeFrameRegistry();
    Log("free frame registry");
}

void OnMainWindowCreated(HWND window) {
    Log("connection test");
    const bool online = g_connectionProbe && g_connectionProbe();
    if (!online) {
        Log("offline message");
        forms::ShowMessage(kOfflineMessage, kOfflineCaption, MB_OK | MB_TASKMODAL);
        Log("destroy main window");
        forms::DestroyFormWindow(window);
        return;
    }
    Log("online");
    orvia::OrviaSkin* skin = orvia::g_skin;
    if (!skin) return;
    const orvia::OrviaSkinMethods& m = *skin->methods;
    // Results are not examined: the program goes on with whatever the skin
    // could set up.
    m.SetImageFromBytes(skin, orvia::embedded::BannerJpeg());
    // Default banner and status heights, a minimize button and no other
    // optional button, not sizable, the default minimum size.
    m.AttachSkin(skin, window, std::nullopt, std::nullopt, true, false, false, false, false, std::nullopt,
                 std::nullopt);
    m.SkinAllChildControls(skin);
    m.SetStatusText(skin, window, kStatusText);
    Log("load query page");
    HWND page = LoadQueryPage();
    m.AddPage(skin, window, kPageTitle, orvia::embedded::PageHouseIco(), page, std::nullopt);
    m.SelectPage(skin, window, kPageTitle);
}

int ProgramMain(HINSTANCE instance) {
    forms::Initialise(instance);
    Log("initialise window layer");
    CreateProcessObjects();
    forms::OnExit(ExitCleanup);
    Log("register exit clean-up");
    orvia::BuildTheme();
    Log("build theme");
    Log("load main window");
    forms::LoadWindow(MainWindowLayout(), OnMainWindowCreated, true);
    Log("message loop");
    forms::RunMessageLoop();
    return 0;
}

}  // namespace tovrin
