#pragma once
#include <windows.h>

#include <string>

#include "framework/CObject.h"

// Base of the framework's exceptions. Each carries the text that is shown
// to the user when it is reported.
class CException : public CObject {
public:
    CException() = default;
    explicit CException(std::wstring message) : m_message(std::move(message)) {}

    // The user-facing text of the error.
    virtual std::wstring GetErrorMessage() const { return m_message; }

    // Shows the error in a message box owned by the given window.
    void ReportError(HWND owner = nullptr, UINT type = MB_OK | MB_ICONEXCLAMATION) const;

protected:
    std::wstring m_message;
};

// Thrown by validation that has already told the user what is wrong; it is
// caught silently by the code that started the validation.
class CUserException : public CException {
public:
    CUserException() = default;
};

// The system's message text for an error number (user's default language),
// without the trailing line break; empty when the system has none.
std::wstring GetSystemErrorText(DWORD error);
