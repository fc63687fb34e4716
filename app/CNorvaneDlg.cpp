#include "app/CNorvaneDlg.h"

#include "app/AppMessages.h"
#include "app/AppState.h"
#include "app/CAboutDlg.h"
#include "app/ResourceStrings.h"
#include "app/SharedResources.h"
#include "app/ShellOpen.h"
#include "app/TextHelpers.h"
#include "dialogs/CDlgOption_FontColorBackground.h"
#include "framework/CCmdUI.h"
#include "framework/ThreadWait.h"
#include "resources/ResourceIds.h"
#include "sidebar/CSideBarThread.h"

CNorvaneDlg::CNorvaneDlg(CWnd* parent) : CDialog(IDD_MAIN, parent)
{
    m_hIcon.Reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    m_toolTip = LoadScrambledString(IDS_TRAY_TIP, ScrambleGroup::Group1);

    AddCommandHandler(ID_TRAY_OPTIONS, &CNorvaneDlg::OnOptions);
    AddCommandHandler(ID_TRAY_HELP, &CNorvaneDlg::OnHelp);
    AddCommandHandler(ID_TRAY_SUPPORT, &CNorvaneDlg::OnTechnicalSupport);
    AddCommandHandler(ID_TRAY_UPDATES, &CNorvaneDlg::OnCheckForUpdates);
    AddCommandHandler(ID_TRAY_ABOUT, &CNorvaneDlg::OnAbout);
    AddCommandHandler(ID_TRAY_EXIT, &CNorvaneDlg::OnExit);
}

CNorvaneDlg::~CNorvaneDlg() = default;

BOOL CNorvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // "About Tavrel(&A)..." in the system menu.
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    const std::wstring aboutText = LoadResourceString(IDS_ABOUT_MENU);
    if (systemMenu != nullptr && !aboutText.empty()) {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText.c_str());
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.Get()));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.Get()));

    // Never in the task bar: no application-window style, and a tool window
    // gets no button even while it is briefly visible at start-up.
    LONG_PTR exStyle = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    exStyle = (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW;
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle);

    // Off the screen and without area.
    SetWindowPos(m_hWnd, nullptr, -50, -50, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return TRUE;
}

LRESULT CNorvaneDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A restarted desktop shell announces itself to every top-level window;
    // the icon must be added again or the program could not be ended.
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    if (message == taskbarCreated && taskbarCreated != 0) {
        m_trayIcon.Restore();
        return 0;
    }
    switch (message) {
    case WM_TRAY_NOTIFY:
        return OnTrayNotification(wParam, lParam);
    case WM_START_SIDEBAR:
        return OnStartSidebarMessage(wParam, lParam);
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

void CNorvaneDlg::OnShowWindow(bool show, UINT status)
{
    CDialog::OnShowWindow(show, status);
    if (show)
        PostMessage(WM_START_SIDEBAR);
}

LRESULT CNorvaneDlg::OnStartSidebarMessage(WPARAM, LPARAM)
{
    ShowWindow(SW_HIDE);
    StartSidebar();
    return 1;
}

void CNorvaneDlg::StartSidebar()
{
    if (m_pSideBarThread != nullptr) {
        HWND sideBar = AppState::sideBarWnd.load();
        if (sideBar != nullptr)
            ::ShowWindow(sideBar, SW_SHOW);
    } else {
        LoadSharedResources();
        auto* thread = new CSideBarThread;
        if (thread->CreateThread(CREATE_SUSPENDED, 0)) {
            thread->SetThreadPriority(THREAD_PRIORITY_NORMAL);
            m_hSideBarThread.Reset(thread->DuplicateThreadHandle());
            m_sideBarThreadId = thread->m_nThreadID;
            m_pSideBarThread = thread;
            thread->ResumeThread();
        } else {
            delete thread;
        }
    }
    if (m_trayIcon.AddIcon(this, WM_TRAY_NOTIFY, m_toolTip, m_hIcon.Get(), kTrayIconId)) {
        m_trayIcon.ChangeIcon(IDI_APP);
        // The tip resource is stored scrambled: set the unscrambled text.
        m_trayIcon.SetTipText(m_toolTip);
    }
}

LRESULT CNorvaneDlg::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kTrayIconId)
        return 1;
    const UINT event = static_cast<UINT>(lParam);
    if (event != WM_CONTEXTMENU && event != WM_LBUTTONDOWN && event != WM_RBUTTONDOWN)
        return 1;
    // While a dialog of the menu (Options, About) is open, the icon brings
    // that dialog to the front instead of offering a second one.
    if (!IsWindowEnabled(m_hWnd)) {
        HWND popup = GetLastActivePopup(m_hWnd);
        if (popup != nullptr && popup != m_hWnd)
            SetForegroundWindow(popup);
        return 1;
    }

    CMenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu)
        return 1;
    POINT point{};
    if (!GetCursorPos(&point))
        return 1;
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (popup == nullptr)
        return 1;
    // A right click reports both the button and the context-menu request;
    // the second one arrives while the menu is open and is ignored.
    if (m_trayMenuOpen)
        return 1;
    // In the foreground, the menu closes when the user clicks elsewhere.
    SetForegroundWindow(m_hWnd);
    m_trayMenuOpen = true;
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
    m_trayMenuOpen = false;
    // Lets the menu close properly when it is opened a second time.
    PostMessage(WM_NULL);
    return 1;
}

void CNorvaneDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

LRESULT CNorvaneDlg::OnKickIdle(WPARAM, LPARAM)
{
    UpdateChildControls(m_hWnd, this, false);
    return 0;
}

void CNorvaneDlg::OnOptions()
{
    CDlgOption_FontColorBackground options(this);
    if (options.DoModal() == IDOK && options.IsChanged())
        AppState::skinChanged = true;
}

void CNorvaneDlg::OnHelp()
{
    ShellOpen(m_hWnd, GetProgramFolder() + L"\\Document\\Help.txt");
}

void CNorvaneDlg::OnTechnicalSupport()
{
    ShellOpen(nullptr, LoadScrambledString(IDS_SUPPORT_ADDRESS, ScrambleGroup::Caller));
}

void CNorvaneDlg::OnCheckForUpdates()
{
    ShellOpen(nullptr, LoadScrambledString(IDS_UPDATE_ADDRESS, ScrambleGroup::Caller));
}

void CNorvaneDlg::OnAbout()
{
    CAboutDlg about(this);
    about.DoModal();
}

void CNorvaneDlg::OnExit()
{
    EndDialog(IDCANCEL);
}

void CNorvaneDlg::StopSidebarThread()
{
    if (!m_hSideBarThread)
        return;
    // The thread's queue exists before its loop runs; until then the post
    // may fail, so it is repeated until it arrives or the thread has ended.
    while (!PostThreadMessageW(m_sideBarThreadId, WM_QUIT, 0, 0)) {
        if (WaitServingSentMessages(m_hSideBarThread.Get(), 10) != WAIT_TIMEOUT)
            break;
    }
    // No time limit, but messages that the ending thread sends to this
    // thread's windows are served meanwhile.
    WaitServingSentMessages(m_hSideBarThread.Get(), INFINITE);
    m_pSideBarThread = nullptr; // it deleted itself
    m_hSideBarThread.Reset();
}

void CNorvaneDlg::OnDestroy()
{
    StopSidebarThread();
    DeleteSharedBitmaps();
    CDialog::OnDestroy();
}
