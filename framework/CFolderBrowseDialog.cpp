#include "framework/CFolderBrowseDialog.h"

#include "framework/CWinThread.h"
#include "framework/CWnd.h"

CFolderBrowseDialog::CFolderBrowseDialog(std::wstring title, UINT flags, HWND owner)
    : m_title(std::move(title)), m_flags(flags), m_owner(owner)
{
}

INT_PTR CFolderBrowseDialog::DoModal()
{
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = m_owner != nullptr ? m_owner : CWinThread::GetCurrentMainWindow();
    info.pidlRoot = m_root;
    info.pszDisplayName = displayName;
    info.lpszTitle = m_title.empty() ? nullptr : m_title.c_str();
    info.ulFlags = m_flags;
    info.lpfn = &CFolderBrowseDialog::Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    m_selected.Reset();
    m_path.clear();
    m_selected.Reset(SHBrowseForFolderW(&info));
    m_window = nullptr;
    if (!m_selected)
        return IDCANCEL;
    wchar_t path[MAX_PATH * 4] = {};
    if (SHGetPathFromIDListEx(m_selected.Get(), path, static_cast<DWORD>(std::size(path)), GPFIDL_DEFAULT))
        m_path = path;
    return IDOK;
}

void CFolderBrowseDialog::EnableOK(bool on)
{
    if (m_window != nullptr)
        SendMessageW(m_window, BFFM_ENABLEOK, 0, on ? TRUE : FALSE);
}

void CFolderBrowseDialog::OnInitialized()
{
}

void CFolderBrowseDialog::OnSelChanged(LPCITEMIDLIST)
{
}

bool CFolderBrowseDialog::OnValidateFailed(const std::wstring&)
{
    return true;
}

int CALLBACK CFolderBrowseDialog::Callback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    auto* self = reinterpret_cast<CFolderBrowseDialog*>(data);
    if (self == nullptr)
        return 0;
    try {
        switch (message) {
        case BFFM_INITIALIZED:
            self->m_window = window;
            if (!self->m_initial.empty()) {
                // Selected by its item-ID list, which every version of the
                // chooser expands to, deep folders included.
                CPidl initial;
                if (SUCCEEDED(SHParseDisplayName(self->m_initial.c_str(), nullptr, initial.Receive(), 0, nullptr)))
                    SendMessageW(window, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(initial.Get()));
                else
                    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(self->m_initial.c_str()));
            }
            self->OnInitialized();
            return 0;
        case BFFM_SELCHANGED:
            self->m_window = window;
            self->OnSelChanged(reinterpret_cast<LPCITEMIDLIST>(lParam));
            return 0;
        case BFFM_VALIDATEFAILEDW: {
            const auto* typed = reinterpret_cast<const wchar_t*>(lParam);
            return self->OnValidateFailed(typed != nullptr ? typed : L"") ? 1 : 0;
        }
        default:
            return 0;
        }
    } catch (...) {
        ReportUnhandledException();
        return 0;
    }
}
