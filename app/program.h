// The program's start-up and exit order and the main window's handlers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/form_layer.h"

namespace tovrin {

inline constexpr wchar_t kOfflineMessage[] = L"请先连接到网络!";
inline constexpr wchar_t kOfflineCaption[] = L"信息：";

const forms::WindowLayout& MainWindowLayout();

// The process-wide objects, created in their fixed order before the theme is
// built, and freed at exit in the same order.
void CreateProcessObjects();
void ExitCleanup();

// The whole program: start-up, the message loop until the main window is
// destroyed, exit clean-up.  Returns 0.
int ProgramMain(HINSTANCE instance);

void OnMainWindowCreated(HWND window);

// When set, each step of start-up and exit appends its name here, so that a
// test can compare the order with the one the program promises.
extern std::vector<std::string>* g_lifecycleLog;

}  // namespace tovrin
