#pragma once
#include <windows.h>

#include "framework/CWnd.h"

class CDataExchange;

// A dialog built from a resource template. DoModal runs it modally with the
// framework's own loop (pre-translation, idle messages, the owner disabled
// while it runs); Create makes it modeless. IDOK and IDCANCEL go to OnOK and
// OnCancel; OnInitDialog fills the controls through DoDataExchange.
//
// The dialog window is subclassed at its first message, so its messages
// reach the object before the dialog manager; Default() runs the dialog
// manager's own handling and returns its real result (hit testing,
// WM_GETDLGCODE, painting), after which the object may draw on top.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog; returns the value given to EndDialog, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog with the given result.
    void EndDialog(INT_PTR result);

    // Runs the data exchange: true copies controls to members (with
    // validation), false fills the controls. False when validation failed.
    bool UpdateData(bool saveAndValidate = true);

    UINT GetTemplateId() const { return m_templateId; }
    bool IsModalRunning() const { return m_modalRunning; }

    bool PreTranslateMessage(MSG* msg) override;
    // Commands go to the dialog, then to its thread and the application.
    bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly = false) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Idle update of a modeless dialog: its controls' command state.
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) override;

    // The owner used for a modal run: the parent's top-level window, or the
    // thread's main window.
    HWND GetModalOwner() const;

    CWnd* m_pParentWnd;

private:
    // The dialog procedure: binds and subclasses the window at its first
    // message; afterwards it leaves everything to the dialog manager.
    static INT_PTR CALLBACK StdDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommandOK() { OnOK(); }
    void OnCommandCancel() { OnCancel(); }

    UINT m_templateId;
    bool m_modalRunning = false;
    bool m_modalEnded = false;
    INT_PTR m_modalResult = -1;
};
