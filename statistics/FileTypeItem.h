#pragma once
#include <cstdint>
#include <string>

// One line of a per-extension breakdown.
struct _tagFileTypeItem {
    std::wstring extension; // with its dot, as first met; empty for files without one
    std::wstring typeName;  // the shell's type name of the first file met
    int count = 0;
    std::uint64_t size = 0;
};
