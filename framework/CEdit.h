#pragma once
#include <windows.h>

#include "framework/CWnd.h"

// An edit control.
class CEdit : public CWnd {
public:
    void GetSel(int& start, int& end) const
    {
        DWORD first = 0;
        DWORD last = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        start = static_cast<int>(first);
        end = static_cast<int>(last);
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void ReplaceSel(const wchar_t* text, bool canUndo = true)
    {
        SendMessage(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int characters) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
};
