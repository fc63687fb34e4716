#include "toolkit/CRenameEdit.h"

bool CRenameEdit::Bind(UINT id, CWnd* parent)
{
    if (!SubclassDlgItem(id, parent))
        return false;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() | WS_CLIPSIBLINGS);
    return true;
}

void CRenameEdit::SetTextQuiet(const std::wstring& text)
{
    // Setting the text sends the change notice too; that one is not the
    // user's.
    m_modified = false;
    m_settingQuietly = true;
    SetWindowText(text);
    m_settingQuietly = false;
}

bool CRenameEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !m_settingQuietly)
        m_modified = true;
    return false; // the parent still hears of the change
}
