#pragma once
#include <windows.h>

#include <string>

#include "framework/CFolderBrowseDialog.h"

class CWnd;

// The program's folder picker. DoModal answers 1 when a folder with a
// file-system path was chosen (GetSelectedPath holds it), 2 when the chosen
// folder has no such path, -1 when the user cancelled. A typed path that is
// not a folder asks "The path entered is not valid! Continue ?".
class CFolderDialog : public CFolderBrowseDialog {
public:
    CFolderDialog(const std::wstring& title, const std::wstring& initialFolder, CWnd* parent, UINT flags);

    INT_PTR DoModal() override;
    const std::wstring& GetSelectedPath() const { return GetPath(); }

protected:
    bool OnValidateFailed(const std::wstring& typed) override;
};
