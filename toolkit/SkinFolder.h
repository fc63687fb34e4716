#pragma once
#include <string>

// The skin folder for a SkinPath value: one leading backslash is dropped and
// the rest is joined to the program's folder; an absolute path (a drive or a
// network name) is used as it is.
std::wstring ResolveSkinFolder(const std::wstring& skinPath, const std::wstring& programFolder);

// The skin folder of the current settings.
std::wstring GetSkinFolder();
