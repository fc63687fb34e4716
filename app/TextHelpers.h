#pragma once
#include <windows.h>

#include <string>

// Compares two texts the way the user's locale sorts them, ignoring case:
// -1 when a sorts first, 1 when b does, 0 when they are equal.
int CompareNoCase(const std::wstring& a, const std::wstring& b);

// The position of the first character that may not appear in a file name
// (isPath false) or a path (isPath true); -1 when there is none or the text
// is null. The characters are tried one after another in a fixed order and
// the first one present wins, even when another one occurs earlier.
int FindInvalidChar(const wchar_t* text, bool isPath);

// The extension of the last path component, with its dot; empty when there
// is none or the path is null.
std::wstring GetExtension(const wchar_t* path);

// The path without the extension of its last component; empty for null.
std::wstring RemoveExtension(const wchar_t* path);

// The text before the last backslash; empty when there is no backslash or
// the only one leads the text.
std::wstring CutAtLastBackslash(const std::wstring& path);

// The path with its last component removed ("C:\Data" gives "C:\"); empty
// when nothing can be removed, as for a root.
std::wstring GetParentFolder(const std::wstring& path);

// The folder of the running executable, without a trailing backslash.
std::wstring GetProgramFolder();

// The short (8.3) form of an existing path. On failure an error box shows
// the system error number and the result is empty.
std::wstring GetShortPath(const std::wstring& path);
