#pragma once
#include <windows.h>

#include <shlobj.h>

// Shell functions that SHELL32.DLL exports by number only. They are looked
// up once, by ordinal, in the loaded shell library. When one is missing the
// wrapper fails clearly: the last error becomes ERROR_PROC_NOT_FOUND and the
// result is null, FALSE or HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND).

// True when every function below was found.
bool ShellExportsAvailable();

LPITEMIDLIST ShellILClone(LPCITEMIDLIST list);      // ordinal 18
LPITEMIDLIST ShellILFindLastID(LPCITEMIDLIST list); // ordinal 16
BOOL ShellILRemoveLastID(LPITEMIDLIST list);        // ordinal 17
LPITEMIDLIST ShellILCloneFirst(LPCITEMIDLIST list); // ordinal 19
void ShellILFree(LPITEMIDLIST list);                // ordinal 155
// Path to absolute list; attributes (optional) holds the bits asked for on
// entry and the bits found on return.
HRESULT ShellSHILCreateFromPath(LPCWSTR path, LPITEMIDLIST* list, DWORD* attributes); // ordinal 28
void ShellSHFree(void* memory);                                                       // ordinal 195
// Whether the shell calls the path a program by its extension.
BOOL ShellPathIsExe(LPCWSTR path); // ordinal 43
