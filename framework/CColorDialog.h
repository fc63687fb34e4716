#pragma once
#include <windows.h>

#include <commdlg.h>

// The system's colour chooser, opened with a starting colour.
class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = CC_FULLOPEN, HWND owner = nullptr);

    // Runs the chooser; IDOK or IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    DWORD m_flags;
    HWND m_owner;
};
