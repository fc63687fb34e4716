#pragma once
#include <cstdint>
#include <string>

// What the statistics tree needs to know of one enumerated shell item.
struct StatItemFacts {
    bool isFolder = false;
    bool isVirtual = false;
    std::wstring parsingName;
    std::wstring inFolderName;
    std::wstring typeName;
    std::uint64_t size = 0; // a file's size
};
