#pragma once
#include <windows.h>

#include "framework/CWinThread.h"

// The application object: the process's main user-interface thread. Exactly
// one exists; AfxWinMain runs it.
class CWinApp : public CWinThread {
public:
    CWinApp();
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // The one application object, or null.
    static CWinApp* Get();

    // Base initialisation; derived classes call it from InitInstance.
    bool InitInstance() override;
};

// The program's entry: initialises the application object and runs it.
// Returns the process exit code.
int AfxWinMain(HINSTANCE instance, int cmdShow);
