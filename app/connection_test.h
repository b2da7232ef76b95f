// The start-up test for an internet connection.
#pragma once

#include <windows.h>

namespace tovrin {

struct ConnectionTestOptions {
    const char* url;
    // How long the caller waits for the answer.  WinINet's own time-outs are
    // not honoured everywhere, so the test keeps its own deadline.
    DWORD deadlineMs;
    // Ask the system first whether it is online at all.
    bool requireConnectedState;
};

// The options the shipped program uses.
ConnectionTestOptions DefaultConnectionTest();

// True when the system reports a connection (if asked) and the page at `url`
// opened before the deadline.  Any answer for which WinINet returns a handle
// counts, whatever its HTTP status.  Runs the request on a worker thread that
// closes its own handles when it finishes, so a host that never answers costs
// the caller at most the deadline.
bool TestInternetConnection(const ConnectionTestOptions& options);

// The probe that the main window's "created" handler asks.  Tests put their
// own here; the shipped program never changes it.
using ConnectionProbe = bool (*)();
extern ConnectionProbe g_connectionProbe;

}  // namespace tovrin
