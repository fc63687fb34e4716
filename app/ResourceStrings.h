#pragma once
#include <windows.h>

#include <string>

#include "ScrambleKeys.h"

// Longest text a string resource yields; longer resources are cut.
constexpr size_t kMaxResourceString = 259;

// A string resource of the executable (empty when missing), cut to 259 characters.
std::wstring LoadResourceString(UINT id);
// The same from a given module.
std::wstring LoadModuleString(UINT id, HMODULE module);

// XORs every unit up to the first zero with the key; the same call
// scrambles and unscrambles.
std::wstring Unscramble(const wchar_t* text, unsigned short key);
std::wstring Unscramble(const std::wstring& text, unsigned short key);

// A scrambled string resource, unscrambled with its group's key.
std::wstring LoadScrambledString(UINT id, ScrambleGroup group);
