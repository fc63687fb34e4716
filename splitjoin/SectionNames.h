#pragma once
#include <string>

// Names of the numbered section files a split writes and a combine reads:
// "<base> <tag><n><ext>", where the tag is a resource text.

// The separator between a base name and the section number: a blank and the tag.
std::wstring GetSectionSeparator();

// The path of section n (from 1) of a source file split into a folder (no
// trailing backslash): folder\base, the separator, n and the extension.
std::wstring MakeSectionPath(const std::wstring& folder, const std::wstring& sourceName, unsigned long long n);
