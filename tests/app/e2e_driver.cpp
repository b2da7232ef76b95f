// Starts the shipped program as a user would and checks what it shows.
//   e2e_driver offline <program.exe>
// expects the offline notice, answers it with OK, and expects the program to
// end with 0 having shown no other window.
//   e2e_driver online <program.exe>
// expects the main window at its place with the browser page inside the
// program's windows and no notice, closes the main window and expects the
// program to end with 0.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND dialog = nullptr;
    bool otherVisible = false;
};

BOOL CALLBACK Inspect(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->process || !IsWindowVisible(window)) return TRUE;
    wchar_t cls[32] = {}, caption[64] = {};
    GetClassNameW(window, cls, 32);
    GetWindowTextW(window, caption, 64);
    if (std::wstring(cls) == L"#32770" && std::wstring(caption) == L"信息：")
        s->dialog = window;
    else
        s->otherVisible = true;
    return TRUE;
}

int Fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    return 1;
}

bool Start(wchar_t* program, PROCESS_INFORMATION& pi) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    return CreateProcessW(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
}

// Waits for the program to end after `cause` and expects exit code 0.
int ExpectEndWithZero(PROCESS_INFORMATION& pi, const char* cause, const char* success) {
    const bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!ended) return Fail((std::string("the program did not end after ") + cause).c_str());
    if (code != 0) return Fail("the program's exit code is not 0");
    std::printf("%s\n", success);
    return 0;
}

int Offline(wchar_t* program) {
    PROCESS_INFORMATION pi{};
    if (!Start(program, pi)) return Fail("the program did not start");

    Search s{pi.dwProcessId};
    for (int i = 0; i < 600 && !s.dialog; ++i) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) return Fail("the program ended without a notice");
        Sleep(50);
        s.otherVisible = false;
        EnumWindows(Inspect, reinterpret_cast<LPARAM>(&s));
    }
    if (!s.dialog) return Fail("no offline notice within 30 s");
    if (s.otherVisible) return Fail("another window of the program is visible beside the notice");

    wchar_t text[128] = {};
    GetDlgItemTextW(s.dialog, 0xFFFF, text, 128);
    if (std::wstring(text) != L"请先连接到网络!") return Fail("the notice has the wrong text");
    if (!GetDlgItem(s.dialog, IDOK) || GetDlgItem(s.dialog, IDCANCEL)) return Fail("the notice must have OK only");

    PostMessageW(s.dialog, WM_COMMAND, IDOK, 0);
    return ExpectEndWithZero(pi, "OK", "offline notice shown, answered, program ended with 0");
}

struct OnlineSearch {
    DWORD process;
    HWND main = nullptr;
    HWND notice = nullptr;
    HWND browser = nullptr;
    bool otherVisible = false;
};

BOOL CALLBACK FindBrowser(HWND window, LPARAM param) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (std::wstring(cls) != L"Shell Embedding") return TRUE;
    reinterpret_cast<OnlineSearch*>(param)->browser = window;
    return FALSE;
}

BOOL CALLBACK InspectOnline(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<OnlineSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->process) return TRUE;
    wchar_t cls[32] = {}, caption[64] = {};
    GetClassNameW(window, cls, 32);
    GetWindowTextW(window, caption, 64);
    if (std::wstring(cls) == L"#32770" && std::wstring(caption) == L"信息：") s->notice = window;
    if (std::wstring(caption) == L"TovrinV1.0" && IsWindowVisible(window))
        s->main = window;
    else if (IsWindowVisible(window))
        s->otherVisible = true;
    // The page window is a top-level window of its own until the frame adopts it.
    if (!s->browser) EnumChildWindows(window, FindBrowser, param);
    return TRUE;
}

bool Placed(HWND window, HWND reference, int x, int y, int width, int height) {
    RECT rc{};
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rc), 2);
    return rc.left == x && rc.top == y && rc.right - rc.left == width && rc.bottom - rc.top == height;
}

// What is wrong with the windows of a program that has started online, or null.
const char* OnlineProblem(const OnlineSearch& s) {
    if (!s.main) return "no visible main window \"TovrinV1.0\" within 30 s";
    if (s.notice) return "the offline notice is shown";
    if (s.otherVisible) return "another top-level window of the program is visible";
    if (!Placed(s.main, nullptr, 50, 50, 512, 411)) return "the main window is not at 50,50 with 512 x 411";
    if (!s.browser) return "the program holds no browser control";
    HWND container = GetParent(s.browser);
    if (!Placed(s.browser, container, -144, -32, 840, 448))
        return "the browser is not at -144,-32 with 840 x 448 in its container";
    if (!Placed(container, GetParent(container), -8, 0, 512, 304))
        return "the browser's container is not at -8,0 with 512 x 304";
    return nullptr;
}

int Online(wchar_t* program) {
    PROCESS_INFORMATION pi{};
    if (!Start(program, pi)) return Fail("the program did not start");

    OnlineSearch s{pi.dwProcessId};
    for (int i = 0; i < 600 && !(s.main && s.browser); ++i) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) return Fail("the program ended by itself");
        Sleep(50);
        s = OnlineSearch{pi.dwProcessId};
        EnumWindows(InspectOnline, reinterpret_cast<LPARAM>(&s));
    }
    if (const char* problem = OnlineProblem(s)) {
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return Fail(problem);
    }
    PostMessageW(s.main, WM_CLOSE, 0, 0);
    return ExpectEndWithZero(pi, "WM_CLOSE",
                             "main window shown at its place with the browser page, closed, program ended with 0");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"offline") return Offline(argv[2]);
    if (argc == 3 && std::wstring(argv[1]) == L"online") return Online(argv[2]);
    std::printf("usage: e2e_driver offline|online <program.exe>\n");
    return 2;
}
