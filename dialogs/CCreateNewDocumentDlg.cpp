#include "dialogs/CCreateNewDocumentDlg.h"

#include "app/ResourceStrings.h"
#include "framework/MessageBoxLayer.h"
#include "resources/ResourceIds.h"

CCreateNewDocumentDlg::CCreateNewDocumentDlg(CWnd* parent) : CDialog(IDD_NEW_DOCUMENT, parent)
{
}

BOOL CCreateNewDocumentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_NEWDOC_NAME, LoadResourceString(IDS_DEFAULT_DOCUMENT_NAME));
    CheckDlgButton(m_hWnd, IDC_NEWDOC_OPEN, m_nOpen == 1 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CCreateNewDocumentDlg::OnOK()
{
    std::wstring name = GetDlgItemText(IDC_NEWDOC_NAME);
    if (name.empty()) {
        AfxMessageBox(L"Invalid file name!", MB_OK, m_hWnd);
        ::SetFocus(GetDlgItem(IDC_NEWDOC_NAME));
        return;
    }
    if (name.front() == L'\\')
        name.erase(0, 1);
    m_strName = name;
    m_nOpen = IsDlgButtonChecked(m_hWnd, IDC_NEWDOC_OPEN) == BST_CHECKED ? 1 : 0;
    EndDialog(IDOK);
}
