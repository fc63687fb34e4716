#include "app/SizeFormat.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// "%.2f" of a whole number of the smaller unit divided by 1024.
std::wstring TwoDecimals(std::uint64_t smallerUnits)
{
    wchar_t text[64];
    swprintf(text, 64, L"%.2f", static_cast<double>(smallerUnits) / 1024.0);
    return text;
}

// Steps up from a value in the first unit: each larger unit holds 1024 of
// the one before. A value of 100 or more whole units shows as a whole
// number; below that the smaller unit is divided with two decimals. The
// largest unit takes any value.
SizeText Scale(std::uint64_t value, const wchar_t* const* units, size_t unitCount)
{
    if (value < 1024)
        return {std::to_wstring(value), units[0]};
    std::uint64_t smaller = value;
    for (size_t i = 1; i < unitCount; ++i) {
        const std::uint64_t whole = smaller / 1024;
        if (whole < 1024 || i + 1 == unitCount) {
            if (whole >= 100)
                return {std::to_wstring(whole), units[i]};
            return {TwoDecimals(smaller), units[i]};
        }
        smaller = whole;
    }
    return {};
}

} // namespace

DiskSpace GetDiskSpace(const std::wstring& folder, bool inBytes)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {};
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &totalFree))
        return {};
    DiskSpace space{available.QuadPart, total.QuadPart};
    if (!inBytes) {
        space.free /= kMegabyte;
        space.total /= kMegabyte;
    }
    return space;
}

SizeText FormatMegabyteValue(std::uint64_t megabytes)
{
    static const wchar_t* const units[] = {L"MB", L"GB", L"TB"};
    return Scale(megabytes, units, 3);
}

MegabyteTexts FormatMegabytes(std::uint64_t freeMegabytes, std::uint64_t totalMegabytes)
{
    return {FormatMegabyteValue(freeMegabytes), FormatMegabyteValue(totalMegabytes)};
}

std::wstring FormatSize(std::uint64_t bytes)
{
    static const wchar_t* const units[] = {L"Bytes", L"KB", L"MB", L"GB", L"TB"};
    const SizeText text = Scale(bytes, units, 5);
    return text.number + L" " + text.unit;
}
