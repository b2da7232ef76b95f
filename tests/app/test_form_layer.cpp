#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form_layer.h"

namespace {

const forms::WindowLayout kLayout = {L"Sample", 60, 70, 300, 200, L"Sample caption", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0};

class FormLayer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(forms::Initialise(GetModuleHandleW(nullptr))); }
};

TEST_F(FormLayer, LoadsTheLayoutAndRunsCreatedBeforeShowing) {
    bool visibleInHandler = true;
    HWND inHandler = nullptr;
    HWND w = forms::LoadWindow(kLayout, [&](HWND h) {
        inHandler = h;
        visibleInHandler = IsWindowVisible(h);
    }, false);
    ASSERT_TRUE(w);
    EXPECT_EQ(inHandler, w);
    EXPECT_FALSE(visibleInHandler);
    EXPECT_TRUE(IsWindowVisible(w));
    RECT rc{};
    GetWindowRect(w, &rc);
    EXPECT_EQ(rc.left, 60);
    EXPECT_EQ(rc.top, 70);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 200);
    wchar_t text[64] = {};
    GetWindowTextW(w, text, 64);
    EXPECT_STREQ(text, L"Sample caption");
    EXPECT_TRUE(IsWindowUnicode(w));
    EXPECT_EQ(forms::WindowHandle(L"Sample"), w);
    EXPECT_EQ(forms::WindowHandle(L"Nothing"), nullptr);
    EXPECT_EQ(forms::WindowHandle(nullptr), nullptr);
    forms::DestroyFormWindow(w);
    EXPECT_EQ(forms::WindowHandle(L"Sample"), nullptr);
    forms::DestroyFormWindow(w);  // already gone: nothing happens
}

TEST_F(FormLayer, AHandlerThatDestroysTheWindowLeavesNothingShown) {
    HWND w = forms::LoadWindow(kLayout, [](HWND h) { DestroyWindow(h); }, false);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(forms::WindowHandle(L"Sample"), nullptr);
}

TEST_F(FormLayer, LoopEndsWithTheStartWindowAndRunsExitHandlersOnceInOrder) {
    std::vector<int> order;
    forms::OnExit([&] { order.push_back(1); });
    forms::OnExit([&] { order.push_back(2); });
    HWND start = forms::LoadWindow(kLayout, nullptr, true);
    HWND other = forms::LoadWindow({L"Other", 0, 0, 100, 100, L"", WS_OVERLAPPED, 0}, nullptr, false);
    ASSERT_TRUE(start && other);
    PostMessageW(other, WM_CLOSE, 0, 0);  // another window closing does not end the loop
    PostMessageW(start, WM_CLOSE, 0, 0);
    EXPECT_EQ(forms::RunMessageLoop(), 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_FALSE(IsWindow(start));
    EXPECT_FALSE(IsWindow(other));
    // Handlers ran once: a later loop runs none of them again.
    HWND again = forms::LoadWindow(kLayout, nullptr, true);
    PostMessageW(again, WM_CLOSE, 0, 0);
    forms::RunMessageLoop();
    EXPECT_EQ(order.size(), 2u);
}

}  // namespace
