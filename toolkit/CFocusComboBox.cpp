#include "toolkit/CFocusComboBox.h"

namespace {
bool RecordsSelection(UINT message)
{
    return message == WM_CHAR || message == WM_KEYDOWN || message == WM_LBUTTONUP;
}
} // namespace

CFocusComboBox::~CFocusComboBox()
{
    m_edit.UnsubclassWindow();
    UnsubclassWindow();
}

bool CFocusComboBox::Bind(UINT id, CWnd* parent)
{
    if (!SubclassDlgItem(id, parent))
        return false;
    HWND edit = GetEditWindow();
    if (edit != nullptr)
        m_edit.SubclassWindow(edit);
    return true;
}

void CFocusComboBox::StoreSelection()
{
    GetEditSel(m_selStart, m_selEnd);
}

LRESULT CFocusComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RecordsSelection(message))
        StoreSelection();
    return CComboBox::WindowProc(message, wParam, lParam);
}

LRESULT CFocusComboBox::EditPart::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RecordsSelection(message))
        m_owner.StoreSelection();
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CFocusComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*)
{
    if (message == WM_COMMAND && (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_SETFOCUS))
        StoreSelection();
    return false; // the owner still hears of it
}
