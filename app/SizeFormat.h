#pragma once
#include <cstdint>
#include <string>

// Free and total size of a drive, in bytes or in whole megabytes.
struct DiskSpace {
    std::uint64_t free = 0;
    std::uint64_t total = 0;
};

// The free space (as far as the calling user may use it) and the total size
// of the drive that holds an existing folder; both 0 when the folder does
// not exist or its drive cannot be asked. Megabytes are rounded down.
DiskSpace GetDiskSpace(const std::wstring& folder, bool inBytes);

// A size as a number text and its unit, shown as "%s %s".
struct SizeText {
    std::wstring number;
    std::wstring unit;
};

// A value in megabytes as MB, GB or TB: whole numbers below 1024 MB or from
// 100 units on, otherwise two decimals.
SizeText FormatMegabyteValue(std::uint64_t megabytes);

struct MegabyteTexts {
    SizeText free;
    SizeText total;
};

// Free and total megabytes, each formatted alone.
MegabyteTexts FormatMegabytes(std::uint64_t freeMegabytes, std::uint64_t totalMegabytes);

// A size in bytes as "number unit" with Bytes, KB, MB, GB or TB.
std::wstring FormatSize(std::uint64_t bytes);
