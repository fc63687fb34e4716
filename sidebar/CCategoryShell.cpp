#include "sidebar/CCategoryShell.h"

#include <shellapi.h>
#include <shlobj.h>

#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellIcons.h"

namespace {

// A file-information record with the path in its display-name field.
SHFILEINFOW RecordFor(const std::wstring& path)
{
    SHFILEINFOW record{};
    lstrcpynW(record.szDisplayName, path.c_str(), MAX_PATH);
    return record;
}

// The folder and file-system attributes of the object a path names, asked
// of the folder that contains it (the attributes a parse hands back are left
// unset by some shells for parsing names of virtual folders); 0 when the
// path does not parse.
ULONG PathAttributes(const std::wstring& path)
{
    CPidl list;
    if (path.empty() || FAILED(ShellSHILCreateFromPath(path.c_str(), list.Receive(), nullptr)) || !list)
        return 0;
    CComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)) || !parent)
        return 0;
    ULONG attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    if (FAILED(parent->GetAttributesOf(1, &last, &attributes)))
        return 0;
    return attributes;
}

} // namespace

int ClassifyPath(const std::wstring& path)
{
    const ULONG attributes = PathAttributes(path);
    if ((attributes & SFGAO_FOLDER) != 0)
        return (attributes & SFGAO_FILESYSTEM) != 0 ? ICategoryShell::kindFolder : ICategoryShell::kindVirtualFolder;
    return GetExecutableKind(path) == kExecutableProgram ? ICategoryShell::kindProgram : ICategoryShell::kindDocument;
}

int CCategoryShell::ClassifyPath(const std::wstring& path)
{
    return ::ClassifyPath(path);
}

std::wstring CCategoryShell::SpecialFolderParsingName(int folder)
{
    return GetSpecialFolderParsingName(folder);
}

bool CCategoryShell::PathNames(const std::wstring& path, std::wstring& displayName, std::wstring& typeName)
{
    SHFILEINFOW record = RecordFor(path);
    if (!GetFileIconInfo(record, 0))
        return false;
    displayName = record.szDisplayName;
    typeName = record.szTypeName;
    return true;
}

HICON CCategoryShell::PathIcon(const std::wstring& path, int size)
{
    SHFILEINFOW record = RecordFor(path);
    if (!GetFileIconInfo(record, size))
        return nullptr;
    return record.hIcon;
}
