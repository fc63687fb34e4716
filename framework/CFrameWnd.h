#pragma once
#include <windows.h>

#include "framework/CWnd.h"

// A top-level or child window that hosts views. Commands (menus,
// accelerators, tool-bar buttons) and their command-update requests go to
// the active view first, then to the frame itself, then to the frame's
// thread and to the application object. Pop-up menus owned by the frame
// get the command-update walk when they open.
class CFrameWnd : public CWnd {
public:
    CFrameWnd();

    // The view that sees commands first; null for none. The frame does not
    // own it.
    void SetActiveView(CWnd* view);
    CWnd* GetActiveView() const { return m_pActiveView; }

    bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly = false) override;

    // Called as a window is destroyed: the frames above it stop pointing at
    // it as their active view.
    static void ForgetView(const CWnd* view);

protected:
    void OnDestroy() override;

private:
    CWnd* m_pActiveView = nullptr;
};

// Routes a command on from a window to its thread and the application
// object (each once); true when one of them handled it.
bool RouteCommandToThreadAndApp(UINT id, int code, CCmdUI* cmdUI, bool probeOnly);
