#include "toolkit/CGDialog.h"

#include <commctrl.h>

#include <vector>

CGDialog::CGDialog(UINT templateId, CWnd* parent, int disableWithoutHandler)
    : CDialog(templateId, parent), m_disableWithoutHandler(disableWithoutHandler)
{
    m_bAutoMenuUpdate = true;
}

bool CGDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_updateTimerStarted && m_hWnd != nullptr) {
        SetTimer(kUpdateTimer, kUpdateInterval);
        m_updateTimerStarted = true;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CGDialog::OnTimer(UINT_PTR id)
{
    if (id != kUpdateTimer) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(kUpdateTimer);
    if (m_hWnd != nullptr && IsWindowVisible()) {
        try {
            UpdateDialogControls();
        } catch (...) {
            // An update handler that fails leaves the controls as they are;
            // the next cycle tries again.
        }
    }
    SetTimer(kUpdateTimer, kUpdateInterval);
}

void CGDialog::UpdateDialogControls()
{
    std::vector<HWND> toolBars;
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, TOOLBARCLASSNAMEW) == 0)
            toolBars.push_back(child);
    }
    for (HWND toolBar : toolBars)
        UpdateToolBar(toolBar);
    UpdateChildControls(m_hWnd, this, false);
}

void CGDialog::UpdateToolBar(HWND toolBar)
{
    const int count = static_cast<int>(::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button{};
        if (!::SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
            continue;
        if (button.fsStyle & BTNS_SEP)
            continue;
        CDlgToolCmdUI state(toolBar, static_cast<UINT>(index));
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.m_nIndexMax = static_cast<UINT>(count);
        state.DoUpdate(this, m_disableWithoutHandler != 0);
    }
}

LRESULT CGDialog::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    return 1;
}

void CGDialog::DoDataExchange(CDataExchange*)
{
}

BYTE CDlgToolCmdUI::CurrentState() const
{
    TBBUTTON button{};
    ::SendMessageW(m_toolBar, TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button));
    return button.fsState;
}

void CDlgToolCmdUI::ApplyState(BYTE state)
{
    TBBUTTON button{};
    if (!::SendMessageW(m_toolBar, TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button)))
        return;
    if (button.fsState == state)
        return;
    ::SendMessageW(m_toolBar, TB_SETSTATE, static_cast<WPARAM>(button.idCommand), MAKELPARAM(state, 0));
    RECT rect{};
    if (::SendMessageW(m_toolBar, TB_GETITEMRECT, m_nIndex, reinterpret_cast<LPARAM>(&rect)))
        InvalidateRect(m_toolBar, &rect, TRUE);
}

void CDlgToolCmdUI::Enable(bool on)
{
    BYTE state = CurrentState();
    if (on)
        state |= TBSTATE_ENABLED;
    else
        state &= static_cast<BYTE>(~(TBSTATE_ENABLED | TBSTATE_PRESSED));
    ApplyState(state);
    m_bEnableChanged = true;
}

void CDlgToolCmdUI::SetCheck(int check)
{
    BYTE state = CurrentState() & static_cast<BYTE>(~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE));
    if (check == 1)
        state |= TBSTATE_CHECKED;
    else if (check == 2)
        state |= TBSTATE_INDETERMINATE;
    ApplyState(state);
}
