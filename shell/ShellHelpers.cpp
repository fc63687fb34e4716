#include "shell/ShellHelpers.h"

#include <shlwapi.h>

#include "shell/ItemIDList.h"
#include "shell/ShellExports.h"
#include "shell/ShellOwnerWindow.h"

namespace {

constexpr UINT kNameLength = MAX_PATH;

// The path as the shell's parsing calls take it: writable and at most 259
// characters.
std::wstring ParsableText(const std::wstring& path)
{
    return path.size() < kNameLength ? path : path.substr(0, kNameLength - 1);
}

} // namespace

CComPtr<IShellFolder> GetDesktopFolder()
{
    CComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive())))
        desktop.Release();
    return desktop;
}

int GetSpecialFolderIDList(int folder, CPidl& list)
{
    if (FAILED(SHGetSpecialFolderLocation(GetShellOwnerWindow(), folder, list.Receive())) || !list) {
        list.Reset();
        return 0;
    }
    return 1;
}

std::wstring GetDisplayNameOf(IShellFolder* folder, LPCITEMIDLIST child, DWORD flags)
{
    if (folder == nullptr || child == nullptr)
        return {};
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name)))
        return {};
    wchar_t text[kNameLength] = {};
    if (FAILED(StrRetToBufW(&name, child, text, kNameLength)))
        return {};
    return text;
}

std::wstring GetPathDisplayName(const std::wstring& path, DWORD flags)
{
    if (path.empty())
        return {};
    CPidl list;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), list.Receive(), nullptr)) || !list) {
        const CComPtr<IShellFolder> desktop = GetDesktopFolder();
        if (!desktop)
            return {};
        std::wstring text = ParsableText(path);
        ULONG eaten = 0;
        if (FAILED(desktop->ParseDisplayName(GetShellOwnerWindow(), nullptr, text.data(), &eaten, list.Receive(),
                                             nullptr)) ||
            !list)
            return {};
    }
    CComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)))
        return {};
    return GetDisplayNameOf(parent.Get(), last, flags);
}

std::wstring GetParsingName(LPCITEMIDLIST absolute)
{
    if (absolute == nullptr)
        return {};
    const CComPtr<IShellFolder> desktop = GetDesktopFolder();
    return GetDisplayNameOf(desktop.Get(), absolute, SHGDN_FORPARSING);
}

std::wstring GetParentParsingName(LPCITEMIDLIST absolute)
{
    const CPidl parent = CopyParentIDList(absolute);
    return GetParsingName(parent.Get());
}

std::wstring GetSpecialFolderParsingName(int folder)
{
    CPidl list;
    if (GetSpecialFolderIDList(folder, list) == 0)
        return {};
    CComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)))
        return {};
    return GetDisplayNameOf(parent.Get(), last, SHGDN_FORPARSING);
}

bool TestIDListAttributes(LPCITEMIDLIST list, ULONG mask)
{
    return TestIDListAttributes(&list, 1, mask);
}

bool TestIDListAttributes(const LPCITEMIDLIST* lists, UINT count, ULONG mask)
{
    if (lists == nullptr || count == 0)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (lists[i] == nullptr)
            return false;
    }
    const CComPtr<IShellFolder> desktop = GetDesktopFolder();
    if (!desktop)
        return false;
    ULONG attributes = mask;
    if (FAILED(desktop->GetAttributesOf(count, const_cast<LPCITEMIDLIST*>(lists), &attributes)))
        return false;
    return (attributes & mask) == mask;
}

bool TestPathAttributes(const std::wstring& path, ULONG mask)
{
    if (path.empty())
        return false;
    CPidl list;
    DWORD attributes = 0xFFFFFFFF;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), list.Receive(), &attributes)) || !list)
        return false;
    return (attributes & mask) == mask;
}

int ExecutableKindOf(const std::wstring& path, bool shellCallsItExecutable)
{
    if (!shellCallsItExecutable)
        return kNotExecutable;
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos) {
        const wchar_t* extension = path.c_str() + dot;
        if (CompareStringOrdinal(extension, -1, L".exe", -1, TRUE) == CSTR_EQUAL)
            return kExecutableProgram;
        if (CompareStringOrdinal(extension, -1, L".dll", -1, TRUE) == CSTR_EQUAL)
            return kExecutableLibrary;
    }
    return kExecutableOther;
}

int GetExecutableKind(const std::wstring& path)
{
    return ExecutableKindOf(path, !path.empty() && ShellPathIsExe(path.c_str()) != FALSE);
}
