#include "framework/CWinApp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    g_app = this;
    m_bAutoDelete = false;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::Get()
{
    return g_app;
}

bool CWinApp::InitInstance()
{
    return true;
}

int AfxWinMain(HINSTANCE instance, int cmdShow)
{
    CWinApp* app = CWinApp::Get();
    if (app == nullptr)
        return -1;
    app->m_hInstance = instance;
    app->m_nCmdShow = cmdShow;
    app->m_hThread = nullptr;
    app->m_nThreadID = GetCurrentThreadId();
    app->MakeCurrent();
    const int code = app->RunInstance();
    app->LeaveCurrent();
    return code;
}
