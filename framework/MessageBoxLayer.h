#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Every message box of the program goes through this layer. Tests install a
// hook that sees what would be shown and answers it; without a hook the
// system's message box is shown with exactly the given arguments.
struct MessageBoxRequest {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;     // as passed; see captionGiven
    bool captionGiven = true; // false: the system's default caption is used
    UINT type = MB_OK;
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Shows a message box; a null caption lets the system choose its own.
int ShowMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT type);

// A box captioned with the application's title, like the framework's own
// warnings; owner defaults to the calling thread's main window.
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK, HWND owner = nullptr);

// The title used by AfxMessageBox ("Tavrel" unless changed).
void SetAppTitle(const std::wstring& title);
std::wstring GetAppTitle();

// Installs a hook (nullptr restores the system box); returns the previous.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
