#include "app/CAboutDlg.h"

#include <commctrl.h>

#include "app/AppState.h"
#include "app/ShellOpen.h"
#include "framework/MessageBoxLayer.h"
#include "resources/ResourceIds.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_TEXT, AppState::AboutText());
    return TRUE;
}

bool CAboutDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && (header->code == NM_CLICK || header->code == NM_RETURN) &&
        (header->idFrom == IDC_ABOUT_WEB_LINK || header->idFrom == IDC_ABOUT_SUPPORT_LINK)) {
        const auto* link = reinterpret_cast<const NMLINK*>(lParam);
        OpenLink(static_cast<UINT>(header->idFrom), link->item.szUrl);
        *result = 0;
        return true;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void CAboutDlg::OpenLink(UINT id, const std::wstring& address)
{
    const INT_PTR answer = ShellOpen(m_hWnd, address);
    if (id == IDC_ABOUT_SUPPORT_LINK && answer <= 32)
        AfxMessageBox(L"Failed to open the mail software! Error: " + MailErrorText(answer), MB_OK, m_hWnd);
    EndDialog(IDOK);
}

std::wstring CAboutDlg::MailErrorText(INT_PTR code)
{
    switch (code) {
    case 0:
        return L"The operating system is out of memory or resources. ";
    case 2:
        return L" The specified file was not found. ";
    case 3:
        return L" The specified path was not found. ";
    case 5:
        return L" The operating system denied access to the specified file. ";
    case 8:
        return L"There was not enough memory to complete the operation. ";
    case 11:
        return L" The .exe file is invalid (non-Microsoft Win32 .exe or error in .exe image). ";
    case 26:
        return L"A sharing violation occurred. ";
    case 27:
        return L" The file name association is incomplete or invalid. ";
    case 28:
        return L" The DDE transaction could not be completed because the request timed out. ";
    case 29:
        return L" The DDE transaction failed. ";
    case 30:
        return L" The Dynamic Data Exchange (DDE) transaction could not be completed because other DDE "
               L"transactions were being processed. ";
    case 31:
        return L"There is no application associated with the mail management. ";
    case 32:
        return L"The specified DLL was not found. ";
    default:
        return {};
    }
}
