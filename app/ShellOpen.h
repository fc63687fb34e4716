#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Opens a file or an address with the shell's "open" verb in a normal
// window. Returns the shell's answer: a value above 32 means success, a
// value of 32 or less is the shell's error code. Tests install a hook that
// records the request instead of starting another program.
INT_PTR ShellOpen(HWND owner, const std::wstring& target);

using ShellOpenHook = std::function<INT_PTR(HWND owner, const std::wstring& target)>;
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);
