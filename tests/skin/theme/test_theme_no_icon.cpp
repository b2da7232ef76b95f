#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "skin/theme/theme.h"

namespace {

// This program has no icon resources, so the theme must take the shell's
// icon for executable files.
TEST(BuildTheme, AppIconFallsBackToTheShellsExecutableIcon) {
    HMODULE module = GetModuleHandleA(nullptr);
    ASSERT_FALSE(LoadIconA(module, "DEFAULT_ICON"));
    ASSERT_TRUE(orvia::g_theme);
    ASSERT_TRUE(orvia::g_theme->appIcon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(orvia::g_theme->appIcon, &info)) << "a real icon";
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

TEST(BuildTheme, RunsWithoutATheme) {
    orvia::OrviaTheme* kept = orvia::g_theme;
    orvia::g_theme = nullptr;
    orvia::BuildTheme();  // nothing to fill: must not crash
    EXPECT_EQ(orvia::g_theme, nullptr);
    orvia::g_theme = kept;
}

}  // namespace
