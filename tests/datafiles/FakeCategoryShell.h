#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "sidebar/ICategoryShell.h"

// A shell with fixed answers: paths ending in "\" are folders, ".exe"
// programs, "::{" virtual folders, anything else documents. Every icon is
// the system's application icon.
class FakeCategoryShell : public ICategoryShell {
public:
    int ClassifyPath(const std::wstring& path) override
    {
        if (path.rfind(L"::", 0) == 0)
            return kindVirtualFolder;
        if (!path.empty() && path.back() == L'\\')
            return kindFolder;
        if (path.size() > 4 && _wcsicmp(path.c_str() + path.size() - 4, L".exe") == 0)
            return kindProgram;
        return kindDocument;
    }
    std::wstring SpecialFolderParsingName(int folder) override
    {
        return folder == 0x11 ? L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" : L"C:\\users\\me\\Documents";
    }
    bool PathNames(const std::wstring& path, std::wstring& displayName, std::wstring& typeName) override
    {
        displayName = L"shown " + path;
        typeName = L"type of " + path;
        return true;
    }
    HICON PathIcon(const std::wstring&, int) override
    {
        ++iconsGiven;
        return noIcons ? nullptr : CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    }

    int iconsGiven = 0;
    bool noIcons = false;
};
