#pragma once
#include <windows.h>

#include <commdlg.h>

#include <array>

// The system's colour chooser, opened with a starting colour.
class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = CC_FULLOPEN, HWND owner = nullptr);

    // Runs the chooser; IDOK or IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_color; }

    // The sixteen custom colours that every chooser of the process shares
    // (both user-interface threads open choosers): read and stored under a
    // lock, each chooser works on its own copy while it is open.
    static std::array<COLORREF, 16> GetCustomColors();
    static void SetCustomColors(const std::array<COLORREF, 16>& colors);

private:
    COLORREF m_color;
    DWORD m_flags;
    HWND m_owner;
};
