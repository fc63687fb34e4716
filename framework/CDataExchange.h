#pragma once
#include <windows.h>

#include <string>

class CDialog;

// Moves values between a dialog's controls and its members. In the saving
// direction each exchange validates; a failure tells the user with the
// framework's standard warning, puts the focus on the control and throws
// CUserException, which UpdateData turns into false.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;

    // Looks up a control and remembers it as the one a failure points to.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Shows nothing itself: focuses the last control and throws.
    [[noreturn]] void Fail();
    HWND LastControl() const { return m_hWndLastControl; }

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, long long& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// Refuses a text longer than maxChars ("Enter no more than %1 characters.").
// When filling the controls it sets the edit control's limit instead.
void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars);
// Refuses a number outside [minimum, maximum] ("Enter an integer between %1 and %2.").
void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);

// Parses a whole number the way the integer exchange does: blanks around
// it, an optional sign, decimal digits, within the range of the type.
bool ParseWholeNumber(const std::wstring& text, long long minimum, long long maximum, long long& value);
