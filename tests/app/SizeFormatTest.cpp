#include "app/SizeFormat.h"

#include <gtest/gtest.h>

#include "harness/TestHarness.h"

namespace {
constexpr std::uint64_t KB = 1024;
constexpr std::uint64_t MB = KB * 1024;
constexpr std::uint64_t GB = MB * 1024;
constexpr std::uint64_t TB = GB * 1024;
} // namespace

TEST(SizeFormat, FormatSizeTable)
{
    struct Case {
        std::uint64_t bytes;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"0 Bytes"},
        {1023, L"1023 Bytes"},
        {1024, L"1.00 KB"},
        {1536, L"1.50 KB"},
        {99 * KB + 1023, L"100.00 KB"}, // below 100 whole units: two decimals, rounded
        {102400, L"100 KB"},
        {MB - 1, L"1023 KB"},
        {1048576, L"1.00 MB"},
        {1610612736, L"1.50 GB"},         // 1536 whole megabytes / 1024
        {1029 * MB + MB - 1, L"1.00 GB"}, // whole megabytes are divided: 1029 / 1024, not 1.0059
        {100 * GB, L"100 GB"},
        {TB, L"1.00 TB"},
        {1536 * GB, L"1.50 TB"},
        {100 * TB, L"100 TB"},
        {5000 * TB, L"5000 TB"}, // the largest unit takes any value, without truncation
        {0xFFFFFFFFFFFFFFFFull, L"16777215 TB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(SizeFormat, FormatMegabytesTable)
{
    struct Case {
        std::uint64_t megabytes;
        const wchar_t* number;
        const wchar_t* unit;
    };
    const Case cases[] = {
        {0, L"0", L"MB"},
        {1023, L"1023", L"MB"},
        {1024, L"1.00", L"GB"},
        {1536, L"1.50", L"GB"},
        {102400, L"100", L"GB"},
        {1048575, L"1023", L"GB"},
        {1048576, L"1.00", L"TB"},
        {1572864, L"1.50", L"TB"},
        {1029 * 1024 + 1023, L"1.00", L"TB"}, // whole gigabytes are divided: 1029 / 1024, not 1.0059
        {100 * 1048576ull, L"100", L"TB"},
        {3000 * 1048576ull, L"3000", L"TB"},
        {5000000000000ull, L"4768371", L"TB"}, // beyond 32 bits stays exact
    };
    for (const Case& c : cases) {
        const SizeText text = FormatMegabyteValue(c.megabytes);
        EXPECT_EQ(text.number, c.number) << c.megabytes;
        EXPECT_EQ(text.unit, c.unit) << c.megabytes;
    }
    const MegabyteTexts both = FormatMegabytes(1023, 1572864);
    EXPECT_EQ(both.free.number, L"1023");
    EXPECT_EQ(both.free.unit, L"MB");
    EXPECT_EQ(both.total.number, L"1.50");
    EXPECT_EQ(both.total.unit, L"TB");
}

TEST(SizeFormat, DiskSpaceOfAFolderAndOfAMissingOne)
{
    testing_support::TempFolder temp;
    const DiskSpace bytes = GetDiskSpace(temp.Path(), true);
    EXPECT_GT(bytes.total, 0u);
    EXPECT_LE(bytes.free, bytes.total);
    const DiskSpace megabytes = GetDiskSpace(temp.Path(), false);
    EXPECT_EQ(megabytes.total, bytes.total / MB);

    const DiskSpace missing = GetDiskSpace(temp.File(L"no such folder"), true);
    EXPECT_EQ(missing.free, 0u);
    EXPECT_EQ(missing.total, 0u);
    temp.Write(L"file.txt", "x");
    EXPECT_EQ(GetDiskSpace(temp.File(L"file.txt"), true).total, 0u); // a file is not a folder
}
