#pragma once
#include "framework/CWinThread.h"

// The thread that runs the sidebar and every window the sidebar opens. It is
// started once by the hidden main window and ends when the main window posts
// it the thread-quit message; the object deletes itself when the thread ends.
class CSideBarThread : public CWinThread {
public:
    CSideBarThread();
    ~CSideBarThread() override;

    bool InitInstance() override;
    bool OnIdle(LONG count) override;
    int ExitInstance() override;

private:
    // Rebuilds and repaints the explorer windows' backgrounds after the skin
    // changed.
    void RefreshExplorerBackgrounds();

    bool m_oleInitialized = false;
};
