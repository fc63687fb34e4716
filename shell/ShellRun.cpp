#include "shell/ShellRun.h"

#include <shellapi.h>
#include <shlobj.h>

#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "framework/Handles.h"
#include "resources/ResourceIds.h"
#include "shell/CShellItem.h"
#include "shell/ShellExports.h"
#include "shell/ShellOwnerWindow.h"

namespace {

bool InvokeDefaultOf(IShellFolder* parent, LPCITEMIDLIST child)
{
    const HWND owner = GetShellOwnerWindow();
    CComPtr<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, menu.ReceiveVoid())) || !menu)
        return false;
    const CMenuHandle resource(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SHELL_CONTEXT_MENU)));
    if (!resource)
        return false;
    HMENU popup = GetSubMenu(resource.Get(), 0);
    if (popup == nullptr)
        return false;
    if (FAILED(menu->QueryContextMenu(popup, 0, kDefaultCommandFirst, kDefaultCommandLast, CMF_NORMAL)))
        return false;
    const UINT command = GetMenuDefaultItem(popup, FALSE, 0);
    if (command == static_cast<UINT>(-1) || command < kDefaultCommandFirst || command > kDefaultCommandLast)
        return false;
    CMINVOKECOMMANDINFO invoke = {};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(command - kDefaultCommandFirst);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

bool InvokeDefaultOfList(LPCITEMIDLIST absolute)
{
    CComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(absolute, IID_IShellFolder, parent.ReceiveVoid(), &last)) || !parent)
        return false;
    return InvokeDefaultOf(parent.Get(), last);
}

} // namespace

bool RunShellItem(const std::wstring& path)
{
    const HINSTANCE result =
        ShellExecuteW(GetShellOwnerWindow(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return true;
    return InvokeDefaultCommandForPath(path);
}

bool InvokeDefaultCommandForPath(const std::wstring& path)
{
    if (path.empty())
        return false;
    CPidl list;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), list.Receive(), nullptr)) || !list)
        return false;
    return InvokeDefaultOfList(list.Get());
}

bool InvokeDefaultCommand(const CShellItem& item)
{
    if (!item.m_pidlAbsolute || !item.m_pidlRelative)
        return false;
    return InvokeDefaultOfList(item.m_pidlAbsolute.Get());
}
