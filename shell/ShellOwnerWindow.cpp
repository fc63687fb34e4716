#include "shell/ShellOwnerWindow.h"

#include <atomic>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {

std::atomic<HWND> g_ownerWindow{nullptr};

} // namespace

void SetShellOwnerWindow(HWND window)
{
    g_ownerWindow = window;
}

HWND GetShellOwnerWindow()
{
    const HWND window = g_ownerWindow;
    if (window != nullptr && window != reinterpret_cast<HWND>(-1))
        return window;
    const CWinApp* app = CWinApp::Get();
    if (app != nullptr && app->m_pMainWnd != nullptr)
        return app->m_pMainWnd->GetSafeHwnd();
    return nullptr;
}
