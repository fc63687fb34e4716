#include "toolkit/CFolderDialog.h"

#include "framework/CWnd.h"
#include "framework/MessageBoxLayer.h"

CFolderDialog::CFolderDialog(const std::wstring& title, const std::wstring& initialFolder, CWnd* parent, UINT flags)
    : CFolderBrowseDialog(title, flags, parent != nullptr ? parent->m_hWnd : nullptr)
{
    SetInitialFolder(initialFolder);
}

INT_PTR CFolderDialog::DoModal()
{
    if (CFolderBrowseDialog::DoModal() != IDOK)
        return -1;
    return GetPath().empty() ? 2 : 1;
}

bool CFolderDialog::OnValidateFailed(const std::wstring&)
{
    // Yes closes the chooser; No keeps it open for another try.
    const int answer = AfxMessageBox(L"The path entered is not valid! Continue ?",
                                     MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2, GetDialogWindow());
    return answer != IDYES;
}
