#include "shell/ShellOwnerWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {

TEST(ShellOwnerWindowTest, SetWindowOrTheApplicationsMainWindow)
{
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND main =
        CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(main, nullptr);

    SetShellOwnerWindow(nullptr);
    EXPECT_EQ(GetShellOwnerWindow(), nullptr); // no application object, no window
    SetShellOwnerWindow(window);
    EXPECT_EQ(GetShellOwnerWindow(), window);
    {
        CWinApp app;
        CWnd mainWnd;
        mainWnd.m_hWnd = main;
        app.m_pMainWnd = &mainWnd;
        EXPECT_EQ(GetShellOwnerWindow(), window);
        SetShellOwnerWindow(nullptr);
        EXPECT_EQ(GetShellOwnerWindow(), main);
        SetShellOwnerWindow(reinterpret_cast<HWND>(-1));
        EXPECT_EQ(GetShellOwnerWindow(), main);
        mainWnd.m_hWnd = nullptr; // the window is the test's, destroyed below
    }
    SetShellOwnerWindow(nullptr);
    DestroyWindow(window);
    DestroyWindow(main);
}

} // namespace
