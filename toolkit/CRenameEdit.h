#pragma once
#include <windows.h>

#include <string>

#include "framework/CEdit.h"

// An edit field that records whether the user changed its text.
class CRenameEdit : public CEdit {
public:
    // Binds a dialog's edit control (and gives it the clip-siblings style).
    bool Bind(UINT id, CWnd* parent);
    // Sets the text without counting it as a change.
    void SetTextQuiet(const std::wstring& text);
    std::wstring GetText() const { return GetWindowText(); }
    bool IsModified() const { return m_modified; }

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool m_modified = false;
    bool m_settingQuietly = false;
};
