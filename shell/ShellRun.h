#pragma once
#include <windows.h>

#include <string>

class CShellItem;

// Menu whose first sub-menu takes the shell's entries when the default
// command of an object is looked up, and the command numbers they get.
constexpr UINT kDefaultCommandFirst = 7000;
constexpr UINT kDefaultCommandLast = 8000;

// Opens a path the way the shell does (its default verb), with the shell
// owner window; when the shell cannot, runs the default command of its
// context menu instead.
bool RunShellItem(const std::wstring& path);

// Runs the default command of the shell context menu of a path. False when
// the object has no context menu or no default command.
bool InvokeDefaultCommandForPath(const std::wstring& path);

// The same for an item, through its absolute and relative lists (both must
// be present).
bool InvokeDefaultCommand(const CShellItem& item);
