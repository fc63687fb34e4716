#include "shell/CShellLink.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "app/IconLocation.h"
#include "framework/CPidl.h"
#include "framework/MessageBoxLayer.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellOwnerWindow.h"

namespace {

constexpr UINT kLocationLength = MAX_PATH;
constexpr wchar_t kNetShellIcon[] = L"netshellicon";

// Asks a folder for the icon location of one child; false when it cannot.
bool AskIconLocation(IShellFolder* folder, LPCITEMIDLIST child, std::wstring& location, int& index)
{
    CComPtr<IExtractIconW> extract;
    if (FAILED(folder->GetUIObjectOf(GetShellOwnerWindow(), 1, &child, IID_IExtractIconW, nullptr,
                                     extract.ReceiveVoid())) ||
        !extract)
        return false;
    wchar_t text[kLocationLength] = {};
    int iconIndex = 0;
    UINT flags = 0;
    if (FAILED(extract->GetIconLocation(GIL_FORSHELL, text, kLocationLength, &iconIndex, &flags)))
        return false;
    text[kLocationLength - 1] = L'\0';
    location = text;
    index = iconIndex;
    return true;
}

} // namespace

CShellLink::CShellLink()
{
    m_hrLast = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, m_pLink.ReceiveVoid());
    if (SUCCEEDED(m_hrLast) && m_pLink)
        m_hrLast = m_pLink.QueryInterface(m_pFile);
    else
        m_pLink.Release();
}

CShellLink::~CShellLink() = default;

std::unique_ptr<CShellLink> CShellLink::OpenLink(const std::wstring& path)
{
    auto link = std::make_unique<CShellLink>();
    if (!link->LoadLink(path))
        return nullptr;
    return link;
}

bool CShellLink::LoadLink(const std::wstring& path)
{
    m_strLinkFilePath = path;
    if (!m_pFile)
        return false;
    m_hrLast = m_pFile->Load(path.c_str(), STGM_READWRITE);
    return SUCCEEDED(m_hrLast);
}

std::wstring CShellLink::GetTarget()
{
    if (!m_pLink)
        return {};
    wchar_t path[MAX_PATH + 1] = {};
    m_findData = {};
    m_hrLast = m_pLink->GetPath(path, MAX_PATH + 1, &m_findData, SLGP_UNCPRIORITY);
    if (m_hrLast == S_OK) {
        path[MAX_PATH] = L'\0';
        return path;
    }
    if (m_hrLast != S_FALSE)
        return {};
    CPidl list;
    m_hrLast = m_pLink->GetIDList(list.Receive());
    if (FAILED(m_hrLast) || !list)
        return {};
    const CComPtr<IShellFolder> desktop = GetDesktopFolder();
    if (!desktop)
        return {};
    return GetDisplayNameOf(desktop.Get(), list.Get(), SHGDN_FORPARSING);
}

std::wstring CShellLink::GetLinkIconLocation(int& index)
{
    index = -1;
    if (!m_pLink)
        return {};
    const std::wstring target = GetTarget();
    if (GetExecutableKind(target) == kExecutableProgram) {
        wchar_t location[kLocationLength] = {};
        int iconIndex = -1;
        m_hrLast = m_pLink->GetIconLocation(location, kLocationLength, &iconIndex);
        if (FAILED(m_hrLast)) {
            index = -1;
            return {};
        }
        location[kLocationLength - 1] = L'\0';
        index = iconIndex;
        return location[0] != L'\0' ? std::wstring(location) : target;
    }
    if (!target.empty() && *PathFindExtensionW(target.c_str()) != L'\0') {
        std::wstring path;
        int iconIndex = -1;
        if (GetIconLocation(target, path, iconIndex) != kIconLocationNone) {
            index = iconIndex;
            return path;
        }
        return {};
    }
    if (!target.empty() && PathIsDirectoryW(target.c_str())) {
        ShowMessageBox(nullptr, L"Shortcut - Folder Name: " + target + L" \n", nullptr, MB_OK);
        return {};
    }
    return IconLocationOutsideFileSystem(target, index);
}

std::wstring CShellLink::IconLocationOutsideFileSystem(const std::wstring& target, int& index)
{
    CPidl list;
    m_hrLast = m_pLink->GetIDList(list.Receive());
    if (FAILED(m_hrLast) || !list)
        return {};
    std::wstring location;
    int iconIndex = -1;
    bool found = false;
    CComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (SUCCEEDED(SHBindToParent(list.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)) && parent)
        found = AskIconLocation(parent.Get(), last, location, iconIndex);
    if (!found) {
        const CComPtr<IShellFolder> desktop = GetDesktopFolder();
        if (!desktop || !AskIconLocation(desktop.Get(), list.Get(), location, iconIndex))
            return {};
    }
    if (CompareStringOrdinal(location.c_str(), -1, kNetShellIcon, -1, TRUE) == CSTR_EQUAL) {
        index = iconIndex;
        return std::wstring(kNetShellIcon) + L"::" + target;
    }
    index = iconIndex;
    return location;
}
