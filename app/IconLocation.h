#pragma once
#include <string>

// Results of GetIconLocation.
enum IconLocationResult {
    kIconLocationNone = 0,    // nothing found; the index is -1 when even the fallback failed
    kIconLocationIcon = 1,    // path and index name an icon (registered, a shortcut's, or shell32.dll)
    kIconLocationProgram = 2, // path is the program that opens the type; index 0
};

// Longest path GetIconLocation hands out: the callers keep it in a field of
// 260 characters with its terminator.
constexpr size_t kMaxIconPath = 259;

// Finds the icon registered for a file's type in HKEY_CLASSES_ROOT: the
// type's DefaultIcon ("file,index"), else the program of its open command,
// else for a shortcut the icon location stored in it, else shell32.dll.
// An extension without a class key gives kIconLocationNone.
int GetIconLocation(const std::wstring& fileName, std::wstring& path, int& index);
