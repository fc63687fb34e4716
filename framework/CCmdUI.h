#pragma once
#include <windows.h>

#include <string>

class CCmdTarget;

// Carries one user-interface element (a menu item, a dialog control or a
// tool-bar button) through the command-update handlers, which enable,
// check or rename it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;             // position in the menu
    UINT m_nIndexMax = 0;          // item count of the menu
    HMENU m_hMenu = nullptr;       // the menu being updated, if any
    HMENU m_hSubMenu = nullptr;    // the item's sub-menu when updated through its first item
    HMENU m_hParentMenu = nullptr; // the menu bar the pop-up belongs to, if any
    HWND m_hOther = nullptr;       // the control being updated, if any
    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;

    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1); // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(bool on = true);
    virtual void SetText(const std::wstring& text);
    // Lets the update request go on to the next target in the route.
    void ContinueRouting() { m_bContinueRouting = true; }

    // Offers the element to the target's update handlers; when none answers
    // and disableIfNoHandler is set, an element without a command handler is
    // disabled. Returns true when a handler answered.
    bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);
};

// Updates every item of a pop-up menu before it opens: separators are
// skipped, items are offered to the target (disabled when nothing handles
// them), an item with a sub-menu is updated through the sub-menu's first
// item without disabling.
void UpdatePopupMenuCommands(CCmdTarget* target, HMENU popup, HMENU parentMenu = nullptr);

// Updates the enabled and checked state of a window's child controls, like
// a dialog does on idle. Push buttons without any handler are disabled when
// disableIfNoHandler is set.
void UpdateChildControls(HWND parent, CCmdTarget* target, bool disableIfNoHandler);
