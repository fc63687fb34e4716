#pragma once
#include <windows.h>

#include <string>

class CException;

// "%s %s\n" with the exception's message and the error-code label directly
// followed by the code; error icon, caption "Error:". Nothing without an
// exception.
void ShowExceptionError(const CException* exception, const std::wstring& code, HWND owner = nullptr);

// "%s %s" with the two texts; caption the error caption resource; error
// icon; owner the given window or the calling thread's main window.
void ShowErrorPair(const std::wstring& first, const std::wstring& second, HWND owner = nullptr);

// "%s %s" with the scrambled resource (second group) and the code; caption
// "Error"; OK button; no owner.
void ShowCodedError(UINT id, const std::wstring& code);

// Kind 0: a bitmap resource; kind 1: an icon resource; any other kind gives
// the value -1 (INVALID_HANDLE_VALUE).
HANDLE LoadResourceImage(UINT id, int kind);
