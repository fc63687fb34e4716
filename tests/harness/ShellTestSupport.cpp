#include "harness/ShellTestSupport.h"

#include <shobjidl.h>

#include "shell/ItemIDList.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"

namespace shell_test {

PathItem MakePathItem(const std::wstring& path)
{
    PathItem result;
    CPidl absolute;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), absolute.Receive(), nullptr)) || !absolute)
        return result;
    result.parentList = CopyParentIDList(absolute.Get());
    if (FAILED(SHBindToParent(absolute.Get(), IID_IShellFolder, result.parentFolder.ReceiveVoid(), nullptr)))
        return result;
    result.item =
        CreateChildItem(ShellILFindLastID(absolute.Get()), result.parentFolder.Get(), result.parentList.Get());
    return result;
}

std::unique_ptr<CShellItem> MakeDesktopItem()
{
    auto item = std::make_unique<CShellItem>();
    if (GetSpecialFolderIDList(CSIDL_DESKTOP, item->m_pidlAbsolute) == 0)
        return nullptr;
    item->m_pFolder = GetDesktopFolder();
    item->m_strParsingName = GetParsingName(item->m_pidlAbsolute.Get());
    item->m_strDisplayName = GetDisplayNameOf(item->m_pFolder.Get(), item->m_pidlAbsolute.Get(), SHGDN_NORMAL);
    return item;
}

namespace {

bool SaveLink(IShellLinkW* link, const std::wstring& linkPath)
{
    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

} // namespace

bool CreateLink(const std::wstring& linkPath, const std::wstring& target)
{
    CComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return false;
    if (FAILED(link->SetPath(target.c_str())))
        return false;
    return SaveLink(link.Get(), linkPath);
}

bool CreateLinkToList(const std::wstring& linkPath, LPCITEMIDLIST target)
{
    CComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return false;
    if (FAILED(link->SetIDList(target)))
        return false;
    return SaveLink(link.Get(), linkPath);
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace shell_test
