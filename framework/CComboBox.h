#pragma once
#include <windows.h>

#include <string>

#include "framework/CWnd.h"

// A combo box control.
class CComboBox : public CWnd {
public:
    int AddString(const std::wstring& text)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::wstring& text)
    {
        return static_cast<int>(
            SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) { return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    std::wstring GetLBText(int index) const;
    // The selection of the edit part.
    void GetEditSel(int& start, int& end) const
    {
        DWORD first = 0;
        DWORD last = 0;
        SendMessage(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        start = static_cast<int>(first);
        end = static_cast<int>(last);
    }
    bool SetEditSel(int start, int end) { return SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)) != FALSE; }
    // The edit part of a combo box that has one.
    HWND GetEditWindow() const
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        return GetComboBoxInfo(m_hWnd, &info) ? info.hwndItem : nullptr;
    }
};

inline std::wstring CComboBox::GetLBText(int index) const
{
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}
