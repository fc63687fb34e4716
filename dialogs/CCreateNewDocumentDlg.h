#pragma once
#include <string>

#include "framework/CDialog.h"

// Asks for the name of a new document, possibly with sub-folders
// ("NewFolderA\NewFolderB\file.txt"), and whether to open it. Nothing is
// created here; the caller creates the folders and the file.
class CCreateNewDocumentDlg : public CDialog {
public:
    explicit CCreateNewDocumentDlg(CWnd* parent = nullptr);

    // After OK: the name without a leading backslash.
    std::wstring m_strName;
    // 1 when the file is to be opened after creation.
    int m_nOpen = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
