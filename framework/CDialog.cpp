#include "framework/CDialog.h"

#include <commctrl.h>

#include "framework/CCmdUI.h"
#include "framework/CDataExchange.h"
#include "framework/CException.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinThread.h"
#include "framework/WndBinding.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId)
{
    AddCommandHandler(IDOK, &CDialog::OnCommandOK);
    AddCommandHandler(IDCANCEL, &CDialog::OnCommandCancel);
}

CDialog::~CDialog() = default;

HWND CDialog::GetModalOwner() const
{
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr)
        owner = GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
    else
        owner = CWinThread::GetCurrentMainWindow();
    if (owner == m_hWnd)
        owner = nullptr;
    return owner;
}

bool CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd != nullptr)
        return false;
    m_templateId = templateId;
    m_pParentWnd = parent;
    HWND window = nullptr;
    {
        WndBinding::CreationScope scope(this);
        window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                    parent != nullptr ? parent->m_hWnd : nullptr, &CDialog::StdDlgProc, 0);
    }
    return window != nullptr && m_hWnd == window;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;
    HWND owner = GetModalOwner();
    // Only an owner that was enabled is disabled and enabled again.
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);

    m_modalEnded = false;
    m_modalResult = -1;
    m_modalRunning = true;
    if (disableOwner)
        EnableWindow(owner, FALSE);

    HWND window = nullptr;
    {
        WndBinding::CreationScope scope(this);
        window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                    &CDialog::StdDlgProc, 0);
    }
    if (window == nullptr) {
        m_modalRunning = false;
        if (disableOwner)
            EnableWindow(owner, TRUE);
        return -1;
    }

    // Templates without the visible style are shown once initialised.
    if (!m_modalEnded && m_hWnd != nullptr && !IsWindowVisible())
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    bool idle = true;
    LONG idleCount = 0;
    bool quit = false;
    int quitCode = 0;
    MSG msg{};
    while (!m_modalEnded && m_hWnd != nullptr) {
        while (idle && !m_modalEnded && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!SendMessageW(window, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        if (m_modalEnded)
            break;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The thread is asked to end: leave the dialog and let the outer
            // loop see the request too.
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (msg.hwnd == nullptr) {
            // A message posted to the thread goes to the thread's handlers,
            // as in the thread's own loop.
            if (CWinThread* thread = CWinThread::GetCurrent())
                thread->OnThreadMessage(msg);
        } else if (!CWinThread::WalkPreTranslate(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (RestartsIdle(msg.message)) {
            idle = true;
            idleCount = 0;
        }
    }

    m_modalRunning = false;
    // The owner is enabled before the dialog is hidden, so activation goes
    // back to it rather than to another application.
    if (disableOwner)
        EnableWindow(owner, TRUE);
    if (m_hWnd != nullptr) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(m_hWnd);
    }
    if (quit)
        PostQuitMessage(quitCode);
    return quit && !m_modalEnded ? -1 : m_modalResult;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_modalResult = result;
    if (m_modalRunning) {
        m_modalEnded = true;
        // Wake the loop in case it waits for a message.
        PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return true;
    } catch (const CUserException&) {
        // The user has been told; the failing control has the focus.
        return false;
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return true;
    // Tab, arrows, Enter and Escape move around the dialog.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return IsDialogMessageW(m_hWnd, msg) != FALSE;
    return false;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDialog::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    return CWnd::OnCmdMsg(id, code, cmdUI, probeOnly) || RouteCommandToThreadAndApp(id, code, cmdUI, probeOnly);
}

LRESULT CDialog::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateChildControls(m_hWnd, this, false);
    return 0;
}

INT_PTR CALLBACK CDialog::StdDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (FromHandlePermanent(window) != nullptr)
        return FALSE; // the object has seen the message already; this is its Default()
    CWnd* wnd = WndBinding::TakeCreating();
    if (wnd == nullptr)
        return FALSE;
    // The first message the dialog procedure sees (WM_SETFONT, or
    // WM_INITDIALOG for templates without a font): from now on the window's
    // messages go through the object first.
    if (!SetWindowSubclass(window, &CWnd::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(wnd)))
        return FALSE;
    wnd->Attach(window);
    wnd->m_subclassed = true;
    if (message != WM_INITDIALOG)
        return FALSE; // the dialog manager's handling of this first message
    // WM_INITDIALOG came before the subclass: run it through the object now.
    // Its result decides whether the dialog manager sets the focus.
    return static_cast<INT_PTR>(Dispatch(wnd, window, message, wParam, lParam));
}
