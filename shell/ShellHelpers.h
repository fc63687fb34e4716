#pragma once
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "framework/CComPtr.h"
#include "framework/CPidl.h"

// Name, attribute and classification helpers over the shell namespace. The
// desktop folder is the one SHGetDesktopFolder gives; calls that take an
// owner window get the shell owner window.

// The desktop folder, or null on failure.
CComPtr<IShellFolder> GetDesktopFolder();

// The absolute list of a special folder (a CSIDL_ number); 1 on success,
// 0 (and an empty list) otherwise.
int GetSpecialFolderIDList(int folder, CPidl& list);

// A name of a child of the folder (SHGDN_ flags), at most 259 characters;
// empty when an argument is null or the shell fails.
std::wstring GetDisplayNameOf(IShellFolder* folder, LPCITEMIDLIST child, DWORD flags);

// A name (SHGDN_ flags) of the object a path or parsing name names; empty
// for an empty path or on failure.
std::wstring GetPathDisplayName(const std::wstring& path, DWORD flags);

// The parsing name (full path, or "::{class}" for a virtual object) of an
// absolute list; empty for null.
std::wstring GetParsingName(LPCITEMIDLIST absolute);

// The parsing name of the parent of an absolute list.
std::wstring GetParentParsingName(LPCITEMIDLIST absolute);

// The parsing name of a special folder (a CSIDL_ number); empty on failure.
std::wstring GetSpecialFolderParsingName(int folder);

// True when the desktop folder reports every bit of the mask for the
// absolute list (or for every one of count lists).
bool TestIDListAttributes(LPCITEMIDLIST list, ULONG mask);
bool TestIDListAttributes(const LPCITEMIDLIST* lists, UINT count, ULONG mask);

// True when the path parses and carries every SFGAO_ bit of the mask.
bool TestPathAttributes(const std::wstring& path, ULONG mask);

// Kinds of executable GetExecutableKind tells apart.
enum ExecutableKind {
    kNotExecutable = 0,
    kExecutableProgram = 1, // ".exe"
    kExecutableLibrary = 2, // ".dll"
    kExecutableOther = 3,   // any other extension the shell runs, or none
};

// The kind of a path: 0 unless the shell calls it an executable, then by the
// text from its last "." (case ignored).
int GetExecutableKind(const std::wstring& path);

// The kind for a path the shell has (or has not) called an executable.
int ExecutableKindOf(const std::wstring& path, bool shellCallsItExecutable);
