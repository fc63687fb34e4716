#include "toolkit/CInputTextDialog.h"

#include "resources/ResourceIds.h"

CInputTextDialog::CInputTextDialog(CWnd* parent) : CDialog(IDD_INPUT_TEXT, parent)
{
}

CInputTextDialog::CInputTextDialog(std::wstring title, std::wstring prompt, std::wstring note, std::wstring initialText,
                                   CWnd* parent)
    : CDialog(IDD_INPUT_TEXT, parent), m_prompt(std::move(prompt)), m_note(std::move(note)), m_title(std::move(title)),
      m_initialText(std::move(initialText))
{
}

BOOL CInputTextDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    auto make = [&](DWORD exStyle, const wchar_t* cls, const std::wstring& text, DWORD style, RECT rect, int id) {
        HWND control = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (control != nullptr)
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    make(0, L"STATIC", m_prompt, SS_NOPREFIX, RECT{10, 10, 270, 29}, IDC_INPUT_PROMPT);
    HWND edit = make(WS_EX_CLIENTEDGE, L"EDIT", m_initialText, WS_TABSTOP | ES_AUTOHSCROLL, RECT{10, 32, 270, 51},
                     IDC_INPUT_EDIT);
    if (edit == nullptr) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    make(0, L"STATIC", m_note, SS_NOPREFIX, RECT{10, 56, 270, 113}, IDC_INPUT_NOTE);
    SetWindowText(m_title);
    // The field comes first in the tab order and takes the focus.
    ::SetWindowPos(edit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    return FALSE; // the focus is set
}

void CInputTextDialog::OnOK()
{
    m_result = GetDlgItemText(IDC_INPUT_EDIT);
    CDialog::OnOK();
}

int AskText(const std::wstring& title, const std::wstring& prompt, const std::wstring& note,
            const std::wstring& initialText, std::wstring& text, CWnd* parent)
{
    CInputTextDialog dialog(title, prompt, note, initialText, parent);
    if (dialog.DoModal() != IDOK)
        return 2;
    text = dialog.GetResult();
    return 1;
}
