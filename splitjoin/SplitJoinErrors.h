#pragma once
#include <windows.h>

#include <string>

class CFileException;

// Error boxes of the split and combine engines, owned by the calling
// thread's main window.

// A text and a code.
void ShowSplitJoinError(const std::wstring& text, const std::wstring& code);
// The system's text for a failed file operation and a code.
void ShowSplitJoinError(const CFileException& error, const std::wstring& code);
// The exception box with a code.
void ShowSplitJoinException(const CFileException& error, const std::wstring& code);
// The "path not found" text with the path filled in, and a code.
void ShowPathNotFound(const std::wstring& path, const std::wstring& code);
