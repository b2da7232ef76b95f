// The program's start-up and exit order and the main window's handlers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/form_layer.h"

namespace tovrin {

inline constexpr wchar_t kOfflineMessage[] = L"请先连接到网络!";
inline constexpr wchar_t kOfflineCaption[] = L"信息：";
// Texts handed to the skin are code page 936 (narrow literals compile to it).
inline constexpr char kStatusText[] = "返回查询请点右上角选择公司按钮-Pindra出品,必属精品";
inline constexpr char kPageTitle[] = "快递查询";

const forms::WindowLayout& MainWindowLayout();

// The process-wide objects, created in their fixed order before the theme is
// built, and freed at exit in the same order.
void CreateProcessObjects();
void ExitCleanup();

// The whole program: start-up, the message loop until the main window is
// destroyed, exit clean-up.  Returns 0.
int ProgramMain(HINSTANCE instance);

// The main window's "created" handler.  Offline: the notice, then the window
// is destroyed.  Online: the skin is set up on the window, and the page
// window is loaded and becomes the frame's only page.  Without a skin object
// (before start-up made it) nothing is set up.
void OnMainWindowCreated(HWND window);

// When set, each step of start-up and exit appends its name here, so that a
// test can compare the order with the one the program promises.
extern std::vector<std::string>* g_lifecycleLog;

}  // namespace tovrin
