// Starts the shipped program as a user would and checks what it shows.
//   e2e_driver offline <program.exe>
// expects the offline notice, answers it with OK, and expects the program to
// end with 0 having shown no other window.
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

int Offline(wchar_t* program) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Fail("the program did not start");

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
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) return Fail("the program did not end after OK");
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (code != 0) return Fail("the program's exit code is not 0");
    std::printf("offline notice shown, answered, program ended with 0\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"offline") return Offline(argv[2]);
    std::printf("usage: e2e_driver offline <program.exe>\n");
    return 2;
}
