#include "framework/CCmdUI.h"

#include <vector>

#include "framework/CCmdTarget.h"

void CCmdUI::Enable(bool on)
{
    if (m_hMenu != nullptr) {
        if (m_hSubMenu != nullptr)
            return; // a sub-menu's own entry stays as it is
        EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_hOther != nullptr) {
        // Moving the focus off a control that is about to be disabled keeps
        // the keyboard usable.
        if (!on && GetFocus() == m_hOther) {
            HWND parent = GetParent(m_hOther);
            if (parent != nullptr)
                SendMessageW(parent, WM_NEXTDLGCTL, 0, FALSE);
        }
        EnableWindow(m_hOther, on ? TRUE : FALSE);
    }
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check)
{
    if (m_hMenu != nullptr) {
        if (m_hSubMenu != nullptr)
            return;
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_hOther != nullptr) {
        if (SendMessageW(m_hOther, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            SendMessageW(m_hOther, BM_SETCHECK, static_cast<WPARAM>(check), 0);
    }
}

void CCmdUI::SetRadio(bool on)
{
    SetCheck(on ? 1 : 0);
    if (m_hMenu != nullptr && m_hSubMenu == nullptr && on)
        CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
}

void CCmdUI::SetText(const std::wstring& text)
{
    if (m_hMenu != nullptr) {
        if (m_hSubMenu != nullptr)
            return;
        const UINT state = GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
        ModifyMenuW(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text.c_str());
    } else if (m_hOther != nullptr) {
        SetWindowTextW(m_hOther, text.c_str());
    }
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler)
{
    if (m_nID == 0 || target == nullptr)
        return true;
    m_bEnableChanged = false;
    const bool handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (!handled && disableIfNoHandler && !m_bEnableChanged) {
        const bool hasHandler = target->OnCmdMsg(m_nID, CN_COMMAND, this, true);
        Enable(hasHandler);
    }
    return handled;
}

void UpdatePopupMenuCommands(CCmdTarget* target, HMENU popup, HMENU parentMenu)
{
    CCmdUI state;
    state.m_hMenu = popup;
    state.m_hParentMenu = parentMenu;
    state.m_nIndexMax = static_cast<UINT>(GetMenuItemCount(popup));
    state.m_nIndex = 0;
    while (state.m_nIndex < state.m_nIndexMax) {
        state.m_nID = GetMenuItemID(popup, static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0) {
            ++state.m_nIndex; // separator
            continue;
        }
        if (state.m_nID == static_cast<UINT>(-1)) {
            // An item that opens a sub-menu is updated through the sub-menu's
            // first item, never disabled for want of a handler.
            HMENU sub = GetSubMenu(popup, static_cast<int>(state.m_nIndex));
            const UINT first = sub != nullptr ? GetMenuItemID(sub, 0) : 0;
            if (first != 0 && first != static_cast<UINT>(-1)) {
                state.m_nID = first;
                state.m_hSubMenu = sub;
                state.DoUpdate(target, false);
                state.m_hSubMenu = nullptr;
            }
        } else {
            state.m_hSubMenu = nullptr;
            state.DoUpdate(target, true);
        }
        // A handler may have removed items: step back by the number removed
        // and skip the items that still carry the identifier just updated.
        const UINT count = static_cast<UINT>(GetMenuItemCount(popup));
        if (count < state.m_nIndexMax) {
            const UINT removed = state.m_nIndexMax - count;
            state.m_nIndex = state.m_nIndex >= removed ? state.m_nIndex - removed : 0;
            while (state.m_nIndex < count && GetMenuItemID(popup, static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        } else {
            ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

namespace {
bool IsPushButton(HWND control)
{
    if (!(SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return false;
    return true;
}
} // namespace

void UpdateChildControls(HWND parent, CCmdTarget* target, bool disableIfNoHandler)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        CCmdUI state;
        state.m_hOther = child;
        state.m_nID = static_cast<UINT>(GetDlgCtrlID(child));
        if (state.m_nID == 0 || state.m_nID == 0xFFFF || state.m_nID == static_cast<UINT>(-1))
            continue;
        state.DoUpdate(target, disableIfNoHandler && IsPushButton(child));
    }
}
