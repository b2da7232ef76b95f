#include "app/connection_test.h"

#include <wininet.h>

#include <string>

#include "app/endpoints.h"

namespace tovrin {
namespace {

// Shared by the caller and the worker; whichever finishes with it last frees it,
// so a worker that outlives its deadline never writes into freed memory.
struct ProbeState {
    std::string url;
    volatile LONG references = 2;
    volatile LONG connected = 0;
};

void ReleaseState(ProbeState* state) {
    if (InterlockedDecrement(&state->references) == 0) delete state;
}

DWORD WINAPI ProbeThread(void* parameter) {
    auto* state = static_cast<ProbeState*>(parameter);
    HINTERNET internet = InternetOpenA("test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (internet) {
        HINTERNET page = InternetOpenUrlA(internet, state->url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
        if (page) {
            InterlockedExchange(&state->connected, 1);
            InternetCloseHandle(page);
        }
        InternetCloseHandle(internet);
    }
    ReleaseState(state);
    return 0;
}

bool DefaultProbe() { return TestInternetConnection(DefaultConnectionTest()); }

}  // namespace

ConnectionProbe g_connectionProbe = DefaultProbe;

ConnectionTestOptions DefaultConnectionTest() { return {endpoints::kConnectionTestUrl, 5000, true}; }

bool TestInternetConnection(const ConnectionTestOptions& options) {
    if (options.requireConnectedState) {
        DWORD flags = 0;
        if (!InternetGetConnectedState(&flags, 0)) return false;
    }
    auto* state = new ProbeState;
    state->url = options.url ? options.url : "";
    HANDLE thread = CreateThread(nullptr, 0, ProbeThread, state, 0, nullptr);
    if (!thread) {
        delete state;
        return false;
    }
    WaitForSingleObject(thread, options.deadlineMs);
    CloseHandle(thread);
    const bool connected = InterlockedCompareExchange(&state->connected, 0, 0) != 0;
    ReleaseState(state);
    return connected;
}

}  // namespace tovrin
