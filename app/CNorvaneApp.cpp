#include "app/CNorvaneApp.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include "app/AppState.h"
#include "app/CNorvaneDlg.h"
#include "app/ResourceStrings.h"
#include "resources/ResourceIds.h"

bool CNorvaneApp::InitInstance()
{
    m_oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS |
                                                        ICC_USEREX_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput gdiplus;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplus, nullptr);
    CWinApp::InitInstance();
    // The program hosts no ActiveX controls, so control containment needs no
    // set-up of its own. COM is initialised once more for this thread.
    const bool comInitialized = SUCCEEDED(CoInitialize(nullptr));

    CNorvaneDlg dialog;
    m_pMainWnd = &dialog;
    AppState::SetAboutText(LoadScrambledString(IDS_ABOUT_TEXT, ScrambleGroup::About).c_str());
    dialog.DoModal();
    m_pMainWnd = nullptr;

    if (comInitialized)
        CoUninitialize();
    // Ending here ends the process.
    return false;
}

int CNorvaneApp::ExitInstance()
{
    if (m_gdiplusToken != 0)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    if (m_oleInitialized)
        OleUninitialize();
    m_oleInitialized = false;
    return CWinApp::ExitInstance();
}
