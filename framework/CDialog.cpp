#include "framework/CDialog.h"

#include "framework/CDataExchange.h"
#include "framework/CException.h"
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
        if (!CWinThread::WalkPreTranslate(&msg)) {
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

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM)
{
    m_defaultRequested = true;
    return 0;
}

INT_PTR CALLBACK CDialog::StdDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(window);
    if (wnd == nullptr) {
        wnd = WndBinding::TakeCreating();
        if (wnd == nullptr)
            return FALSE;
        wnd->Attach(window);
    }
    auto* dialog = static_cast<CDialog*>(wnd);
    const bool savedDefault = dialog->m_defaultRequested;
    dialog->m_defaultRequested = false;
    const LRESULT result = Dispatch(wnd, window, message, wParam, lParam);
    const bool wantsDefault = dialog->m_defaultRequested;
    dialog->m_defaultRequested = savedDefault;

    if (message == WM_NCDESTROY && wnd->m_hWnd == window) {
        wnd->ReleaseBinding();
        wnd->PostNcDestroy();
        return FALSE;
    }
    if (wantsDefault)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
