#pragma once
#include "framework/CWinApp.h"

// The application object: sets up COM, OLE, the common controls and GDI+,
// then runs the hidden main window modally. When that ends the program ends.
class CNorvaneApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    ULONG_PTR m_gdiplusToken = 0;
    bool m_oleInitialized = false;
};
