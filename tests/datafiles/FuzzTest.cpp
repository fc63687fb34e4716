#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "DataFilesFixture.h"
#include "FakeCategoryShell.h"
#include "folderbuttons/CFileFolderBtnItem.h"
#include "folderbuttons/CFileFolderItemFile.h"
#include "folderbuttons/FolderButtonRecord.h"
#include "sidebar/CSideBarCategories.h"
#include "sidebar/SideBarRecord.h"

// Both readers run over many damaged files: cut at every kind of length,
// bytes flipped, chains made cyclic or pointing past the end. Neither may
// crash, hang, read more records than the file holds, or write to a file
// it could not use.

namespace {

constexpr size_t kButtons = 5;
constexpr size_t kButtonNext = 2120;

template <class Record> std::string Bytes(const Record& record)
{
    const auto bytes = record.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Five chained button records: 12 -> 2164 -> 4316 -> 6468 -> 8620.
std::string ButtonFile()
{
    std::string file = kButtonHeader;
    for (size_t i = 0; i < kButtons; ++i) {
        FolderButtonRecord record;
        record.name = L"b" + std::to_wstring(i);
        record.path = L"C:\\b" + std::to_wstring(i);
        record.ownOffset = 12 + 2152 * static_cast<int64_t>(i);
        record.previous = i == 0 ? -1 : record.ownOffset - 2152;
        record.next = i + 1 == kButtons ? -1 : record.ownOffset + 2152;
        record.flags = i == 2 ? 9 : 8;
        file += Bytes(record);
    }
    return file;
}

std::string CategoryFile()
{
    std::string file = kCategoryHeader;
    for (int i = 0; i < 3; ++i) {
        SideBarRecord record;
        record.displayName = L"c" + std::to_wstring(i);
        record.path = L"C:\\c" + std::to_wstring(i) + L"\\";
        record.type = 1;
        file += Bytes(record);
    }
    return file;
}

void PutI64(std::string& bytes, size_t offset, int64_t value)
{
    for (size_t i = 0; i < 8; ++i)
        bytes[offset + i] = static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
}

// Lengths worth cutting at: every length around the header, around each
// record boundary, and some in between.
std::vector<size_t> CutLengths(size_t total, size_t recordSize, std::mt19937& random)
{
    std::vector<size_t> lengths;
    for (size_t n = 0; n <= 14; ++n)
        lengths.push_back(n);
    for (size_t end = 12 + recordSize; end <= total; end += recordSize) {
        for (size_t delta : {1, 2, 8})
            lengths.push_back(end - delta);
        lengths.push_back(end);
        if (end + 1 <= total)
            lengths.push_back(end + 1);
    }
    for (int i = 0; i < 20; ++i)
        lengths.push_back(std::uniform_int_distribution<size_t>(0, total)(random));
    return lengths;
}

} // namespace

using Fuzz = DataFilesTest;

TEST_F(Fuzz, FolderButtonChainReader)
{
    std::mt19937 random(20261211);
    const std::string base = ButtonFile();
    std::vector<std::string> files;
    for (size_t length : CutLengths(base.size(), 2152, random))
        files.push_back(base.substr(0, length));
    const int64_t special[] = {
        -1, 0, 11, 12, 13, 2164, 8620, 8621, static_cast<int64_t>(base.size()), 1LL << 40, INT64_MAX, INT64_MIN, -2152};
    for (size_t record = 0; record < kButtons; ++record) {
        for (int64_t next : special) {
            std::string file = base;
            PutI64(file, 12 + record * 2152 + kButtonNext, next);
            files.push_back(file);
        }
    }
    for (int i = 0; i < 150; ++i) {
        std::string file = base;
        const int flips = std::uniform_int_distribution<int>(1, 16)(random);
        for (int f = 0; f < flips; ++f) {
            // Mostly the link and flag fields, sometimes anywhere.
            size_t at;
            if (random() % 4 == 0) {
                at = std::uniform_int_distribution<size_t>(0, file.size() - 1)(random);
            } else {
                const size_t record = random() % kButtons;
                at = 12 + record * 2152 + 2100 + random() % 32;
            }
            file[at] = static_cast<char>(file[at] ^ (1 << (random() % 8)));
        }
        files.push_back(file);
    }

    for (const std::string& content : files) {
        Write(L"ffbdata.dat", content);
        {
            CFileFolderItemFile file;
            if (file.Open()) {
                const int64_t heads[] = {12, 2164, 8620, static_cast<int64_t>(content.size()), 13, -1};
                for (int64_t head : heads) {
                    FolderButtonItemList items;
                    const size_t count = file.LoadChain(head, items);
                    EXPECT_EQ(count, items.size());
                    EXPECT_LE(count, content.size() > 12 ? (content.size() - 12) / 2152 : 0);
                }
            }
        }
        // An empty file gets its header; any other file stays as it was.
        if (!content.empty()) {
            EXPECT_TRUE(Read(L"ffbdata.dat") == content) << "length " << content.size();
        }
    }
}

TEST_F(Fuzz, CategoryFileReader)
{
    std::mt19937 random(11122026);
    const std::string base = CategoryFile();
    std::vector<std::string> files;
    for (size_t length : CutLengths(base.size(), 1592, random))
        files.push_back(base.substr(0, length));
    for (int i = 0; i < 150; ++i) {
        std::string file = base;
        const int flips = std::uniform_int_distribution<int>(1, 24)(random);
        for (int f = 0; f < flips; ++f) {
            const size_t at =
                random() % 3 == 0 ? random() % 12 : std::uniform_int_distribution<size_t>(0, file.size() - 1)(random);
            file[at] = static_cast<char>(file[at] ^ (1 << (random() % 8)));
        }
        files.push_back(file);
    }

    FakeCategoryShell shell;
    for (const std::string& content : files) {
        Write(L"BData.sbd", content);
        DeleteFileW(L"BData.sbd.bak");
        DeleteFileW(L"ffbdata.dat");
        const bool ownHeader = content.size() >= 12 && content.compare(0, 12, kCategoryHeader) == 0;
        {
            CSideBarCategories categories(shell);
            const bool loaded = categories.LoadCategories();
            const size_t records = content.size() > 12 ? (content.size() - 12) / 1592 : 0;
            if (ownHeader && records > 0) {
                EXPECT_TRUE(loaded);
                EXPECT_EQ(categories.Categories().size(), records);
            }
            if (!ownHeader && content.size() > 12) {
                EXPECT_FALSE(loaded);
            }
        }
        // A file holding records, or data that is not ours, is never written;
        // a short foreign file is kept beside the new one.
        if (content.size() > 12 && (!ownHeader || content.size() >= 12 + 1592)) {
            EXPECT_TRUE(Read(L"BData.sbd") == content) << "length " << content.size();
        }
        if (!content.empty() && content.size() <= 12 && !ownHeader) {
            EXPECT_TRUE(Read(L"BData.sbd.bak") == content) << "length " << content.size();
        }
    }
}
