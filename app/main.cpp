#include <windows.h>

#include "app/program.h"

#ifdef TOVRIN_ALWAYS_ONLINE
#include "app/connection_test.h"
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef TOVRIN_ALWAYS_ONLINE
    // The end-to-end tests' build: the online start-up without any network.
    tovrin::g_connectionProbe = [] { return true; };
#endif
    return tovrin::ProgramMain(instance);
}
