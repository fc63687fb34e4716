#pragma once
#include <windows.h>

#include <string>

#include "sidebar/ICategoryShell.h"

// The kind of a path: 0 a folder of the file system, 3 a folder outside it,
// 2 an ".exe" program, 1 anything else (a document). Judged by the shell's
// attributes of the path.
int ClassifyPath(const std::wstring& path);

// The category list's shell: the program's shell layer.
class CCategoryShell : public ICategoryShell {
public:
    int ClassifyPath(const std::wstring& path) override;
    std::wstring SpecialFolderParsingName(int folder) override;
    bool PathNames(const std::wstring& path, std::wstring& displayName, std::wstring& typeName) override;
    HICON PathIcon(const std::wstring& path, int size) override;
};
