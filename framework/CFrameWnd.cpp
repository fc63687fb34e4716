#include "framework/CFrameWnd.h"

#include "framework/CWinApp.h"

CFrameWnd::CFrameWnd()
{
    m_bAutoMenuUpdate = true;
}

void CFrameWnd::SetActiveView(CWnd* view)
{
    m_pActiveView = view != this ? view : nullptr;
}

bool CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    if (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(id, code, cmdUI, probeOnly))
        return true;
    if (CWnd::OnCmdMsg(id, code, cmdUI, probeOnly))
        return true;
    return RouteCommandToThreadAndApp(id, code, cmdUI, probeOnly);
}

void CFrameWnd::ForgetView(const CWnd* view)
{
    if (view == nullptr || view->m_hWnd == nullptr)
        return;
    for (HWND window = ::GetParent(view->m_hWnd); window != nullptr; window = ::GetParent(window)) {
        auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(window));
        if (frame != nullptr && frame->m_pActiveView == view)
            frame->m_pActiveView = nullptr;
    }
}

void CFrameWnd::OnDestroy()
{
    m_pActiveView = nullptr;
    CWnd::OnDestroy();
}

bool RouteCommandToThreadAndApp(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    CWinThread* thread = CWinThread::GetCurrent();
    if (thread != nullptr && thread->OnCmdMsg(id, code, cmdUI, probeOnly))
        return true;
    CWinApp* app = CWinApp::Get();
    return app != nullptr && static_cast<CWinThread*>(app) != thread && app->OnCmdMsg(id, code, cmdUI, probeOnly);
}
