#pragma once
#include <windows.h>

#include <string>

// The system's open or save dialog. The filter uses "|" between its parts,
// "Text|*.txt|All|*.*|", as resource texts do.
class CFileDialog {
public:
    CFileDialog(bool openDialog, const std::wstring& defaultExtension, const std::wstring& fileName, DWORD flags,
                const std::wstring& filter, HWND owner = nullptr);

    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_path; }

private:
    bool m_open;
    std::wstring m_defaultExtension;
    std::wstring m_path;
    DWORD m_flags;
    std::wstring m_filter;
    HWND m_owner;
};
