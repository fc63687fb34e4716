#include "sidebar/CSideBarThread.h"

#include <ole2.h>

#include "app/AppState.h"

CSideBarThread::CSideBarThread() = default;

CSideBarThread::~CSideBarThread() = default;

bool CSideBarThread::InitInstance()
{
    AppState::quitting = false;
    // OLE (drag and drop, the clipboard) is set up on this thread itself, and
    // taken down here too when the thread ends, so the counts stay balanced.
    m_oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    // Make sure the thread has its message queue before the loop runs, so
    // the quit request of the main window always arrives.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    return true;
}

bool CSideBarThread::OnIdle(LONG count)
{
    if (AppState::skinChanged.exchange(false))
        RefreshExplorerBackgrounds();
    return CWinThread::OnIdle(count);
}

void CSideBarThread::RefreshExplorerBackgrounds()
{
    // The sidebar has no categories with explorer windows yet.
}

int CSideBarThread::ExitInstance()
{
    AppState::quitting = true;
    if (m_oleInitialized)
        OleUninitialize();
    m_oleInitialized = false;
    return CWinThread::ExitInstance();
}
