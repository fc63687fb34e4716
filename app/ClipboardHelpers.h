#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Name of the registered clipboard format that tells whether pasted files
// are to be copied (1) or moved (2).
constexpr const wchar_t* kPreferredDropEffect = L"Preferred DropEffect";

// Places the text on the clipboard as Unicode text. A failure shows "Cannot
// open the Clipboard", "Cannot empty the Clipboard" or "Unable to set
// Clipboard data" and gives false.
bool CopyTextToClipboard(const std::wstring& text);

// Places a file list for the shell: a file-drop record holding the given
// zero-separated wide paths (byteLength bytes, ended by an extra zero) and
// the preferred drop effect, copy or move. Returns 1 on success, -1 when the
// clipboard cannot be opened, -2 when it cannot be emptied, 0 when the data
// cannot be set.
int CopyFilesToClipboard(const wchar_t* files, size_t byteLength, bool copy);

// Appends the paths of a file list on the clipboard (each at most 519
// characters) and tells whether they are to be copied: only a pure move
// effect means move. Returns 1, also without a file list; -1 when the
// clipboard cannot be opened.
int ReadFilesFromClipboard(HWND owner, std::vector<std::wstring>& files, bool& copy);
