#include "framework/CFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "framework/CWinThread.h"

CFileDialog::CFileDialog(bool openDialog, const std::wstring& defaultExtension, const std::wstring& fileName,
                         DWORD flags, const std::wstring& filter, HWND owner)
    : m_open(openDialog), m_defaultExtension(defaultExtension), m_path(fileName), m_flags(flags), m_filter(filter),
      m_owner(owner)
{
    // The system wants zeros where the text has bars, and two at the end.
    for (wchar_t& c : m_filter)
        if (c == L'|')
            c = L'\0';
    m_filter.push_back(L'\0');
    m_filter.push_back(L'\0');
}

INT_PTR CFileDialog::DoModal()
{
    std::vector<wchar_t> buffer(32768, L'\0');
    m_path.copy(buffer.data(), std::min(m_path.size(), buffer.size() - 1));
    std::wstring extension = m_defaultExtension;
    if (!extension.empty() && extension.front() == L'.')
        extension.erase(0, 1); // the system wants it without the dot

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_owner != nullptr ? m_owner : CWinThread::GetCurrentMainWindow();
    ofn.lpstrFilter = m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL ok = m_open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!ok)
        return IDCANCEL;
    m_path = buffer.data();
    return IDOK;
}
