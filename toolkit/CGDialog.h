#pragma once
#include <windows.h>

#include "framework/CCmdUI.h"
#include "framework/CDialog.h"

// The base of the program's own dialogs: every 10 ms it brings the enabled
// and checked state of its controls, and of the buttons of the tool bars it
// contains, in step with its command handlers, the way a frame keeps its
// tool bars current. Pop-up menus it owns get the command-update walk.
class CGDialog : public CDialog {
public:
    static constexpr UINT_PTR kUpdateTimer = 2012;
    static constexpr UINT kUpdateInterval = 10;

    explicit CGDialog(UINT templateId, CWnd* parent = nullptr) : CGDialog(templateId, parent, 0) {}
    CGDialog(UINT templateId, CWnd* parent, int disableWithoutHandler);

    bool PreTranslateMessage(MSG* msg) override;
    // One update of the tool bars and the controls (what the timer runs).
    void UpdateDialogControls();

protected:
    void OnTimer(UINT_PTR id) override;
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void UpdateToolBar(HWND toolBar);

    int m_disableWithoutHandler;
    bool m_updateTimerStarted = false;
};

// The command-update object for one button of a tool-bar control.
class CDlgToolCmdUI : public CCmdUI {
public:
    CDlgToolCmdUI(HWND toolBar, UINT index) : m_toolBar(toolBar) { m_nIndex = index; }
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetText(const std::wstring&) override {}

private:
    void ApplyState(BYTE state);
    BYTE CurrentState() const;

    HWND m_toolBar;
};
