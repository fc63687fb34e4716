#pragma once
#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>

#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "shell/CShellItem.h"

namespace shell_test {

// A shell item for a path made the way the views make their items: the
// parent's folder and absolute list, then CreateChildItem. The parent's list
// is kept here because the item shares it.
struct PathItem {
    CPidl parentList;
    CComPtr<IShellFolder> parentFolder;
    std::unique_ptr<CShellItem> item;
};
PathItem MakePathItem(const std::wstring& path);

// The desktop as the folder tree's root item: the empty list and the desktop
// folder as its own folder, no parent.
std::unique_ptr<CShellItem> MakeDesktopItem();

// Writes a shell link at linkPath that points at target.
bool CreateLink(const std::wstring& linkPath, const std::wstring& target);
// Writes a shell link at linkPath that points at an absolute list.
bool CreateLinkToList(const std::wstring& linkPath, LPCITEMIDLIST target);

bool SamePath(const std::wstring& a, const std::wstring& b);

} // namespace shell_test
