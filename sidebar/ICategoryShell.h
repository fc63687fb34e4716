#pragma once
#include <windows.h>

#include <string>

// What the category list asks of the shell: the kind of a path, special
// folders, names and icons. The program uses CCategoryShell; tests may
// hand the list another implementation.
class ICategoryShell {
public:
    virtual ~ICategoryShell() = default;

    // Path kinds.
    enum PathKind { kindFolder = 0, kindDocument = 1, kindProgram = 2, kindVirtualFolder = 3 };

    // 0 a file-system folder, 3 another folder, 2 an ".exe" program, 1 anything else.
    virtual int ClassifyPath(const std::wstring& path) = 0;
    // The parsing name of a special folder (a CSIDL_ number); empty on failure.
    virtual std::wstring SpecialFolderParsingName(int folder) = 0;
    // The display and type names of a path; false when the shell knows neither.
    virtual bool PathNames(const std::wstring& path, std::wstring& displayName, std::wstring& typeName) = 0;
    // The icon of a path at the size (the caller destroys it); null when none.
    virtual HICON PathIcon(const std::wstring& path, int size) = 0;
};
