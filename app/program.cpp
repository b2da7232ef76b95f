#include "app/program.h"

#include "app/connection_test.h"
#include "skin/frame/registry.h"
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
    orvia::NewFrameRegistry();
    Log("create frame registry");
}

void ExitCleanup() {
    orvia::FreeOrviaSkin(orvia::g_skin);
    orvia::g_skin = nullptr;
    Log("free skin object");
    orvia::FreeTheme();
    Log("free theme");
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
