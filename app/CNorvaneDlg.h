#pragma once
#include <string>

#include "app/CSystemTray.h"
#include "framework/CDialog.h"
#include "framework/Handles.h"

class CSideBarThread;

// The main window the user never sees: off the screen, without area and
// task-bar button, hidden at its first show. It starts the sidebar thread,
// owns the notification-area icon and answers its menu.
class CNorvaneDlg : public CDialog {
public:
    explicit CNorvaneDlg(CWnd* parent = nullptr);
    ~CNorvaneDlg() override;

    // Starts the sidebar thread (once) and adds the notification-area icon.
    void StartSidebar();

    const CSystemTray& TrayIcon() const { return m_trayIcon; }
    // The sidebar thread's handle while it runs (for tests and shut-down).
    HANDLE SideBarThreadHandle() const { return m_hSideBarThread.Get(); }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(bool show, UINT status) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    LRESULT OnStartSidebarMessage(WPARAM wParam, LPARAM lParam);
    // Asks the sidebar thread to end and waits for it without a time limit.
    void StopSidebarThread();

    void OnOptions();
    void OnHelp();
    void OnTechnicalSupport();
    void OnCheckForUpdates();
    void OnAbout();
    void OnExit();

    CIconHandle m_hIcon;
    CSystemTray m_trayIcon;
    std::wstring m_toolTip;
    CSideBarThread* m_pSideBarThread = nullptr; // deletes itself when its thread ends
    DWORD m_sideBarThreadId = 0;
    CKernelHandle m_hSideBarThread; // our own duplicate, valid after the thread object is gone
    bool m_trayMenuOpen = false;
};
