#include <gtest/gtest.h>
#include <string>

#include "DataFilesFixture.h"
#include "folderbuttons/CFileFolderBtnItem.h"
#include "folderbuttons/CFileFolderItemFile.h"
#include "folderbuttons/FolderButtonRecord.h"

namespace {

// A stored record with the given links and flags.
std::string RecordBytes(const std::wstring& name, int64_t own, int64_t next, uint32_t flags = 8)
{
    FolderButtonRecord record;
    record.name = name;
    record.path = L"C:\\" + name;
    record.ownOffset = own;
    record.next = next;
    record.flags = flags;
    const auto bytes = record.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

constexpr int64_t kAt(int index)
{
    return 12 + 2152 * static_cast<int64_t>(index);
}

std::vector<std::wstring> Names(const FolderButtonItemList& items)
{
    std::vector<std::wstring> names;
    for (const auto& item : items)
        names.push_back(item->GetRecord().name);
    return names;
}

} // namespace

using FolderButtonFile = DataFilesTest;

TEST_F(FolderButtonFile, MissingOrEmptyFileGetsExactlyTheHeader)
{
    for (bool startEmpty : {false, true}) {
        if (startEmpty)
            Write(L"ffbdata.dat", "");
        {
            CFileFolderItemFile file;
            EXPECT_TRUE(file.Open());
            EXPECT_TRUE(file.IsNew());
            EXPECT_EQ(file.GetLength(), 12);
        }
        EXPECT_EQ(Read(L"ffbdata.dat"), kButtonHeader);
        CFileFolderItemFile again;
        EXPECT_TRUE(again.Open());
        EXPECT_FALSE(again.IsNew());
        EXPECT_FALSE(again.IsEmptyOrInvalid());
        DeleteFileW(L"ffbdata.dat");
    }
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(FolderButtonFile, ForeignHeaderIsInvalidAndLeftUntouched)
{
    std::string wrongVersion = kButtonHeader + RecordBytes(L"a", 12, -1);
    wrongVersion[10] = 2;
    std::string foreignMagic = kButtonHeader + RecordBytes(L"a", 12, -1);
    foreignMagic[0] = 'X';
    const std::string shortFile("\x21\x00\x15\x00", 4);
    for (const std::string& content : {wrongVersion, foreignMagic, shortFile}) {
        Write(L"ffbdata.dat", content);
        {
            CFileFolderItemFile file;
            EXPECT_FALSE(file.Open());
            EXPECT_TRUE(file.IsOpen());
            EXPECT_TRUE(file.IsEmptyOrInvalid());
            FolderButtonItemList items;
            file.LoadChain(12, items);
        }
        EXPECT_EQ(Read(L"ffbdata.dat"), content);
    }
}

TEST_F(FolderButtonFile, LengthAndOffsets)
{
    CFileFolderItemFile file;
    EXPECT_EQ(file.GetLength(), -1);
    EXPECT_FALSE(file.IsValidOffset(12));
    Write(L"ffbdata.dat", kButtonHeader + RecordBytes(L"a", 12, -1));
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.GetLength(), 12 + 2152);
    EXPECT_FALSE(file.IsValidOffset(0));
    EXPECT_TRUE(file.IsValidOffset(12));
    EXPECT_TRUE(file.IsValidOffset(2163));
    EXPECT_FALSE(file.IsValidOffset(2164));
    EXPECT_FALSE(file.IsValidOffset(-1));
}

TEST_F(FolderButtonFile, ChainsEndAtMinusOneZeroAndSmallOffsetsAndKeepDeletedRecords)
{
    struct Case {
        int64_t lastNext;
    };
    for (int64_t lastNext : {int64_t{-1}, int64_t{0}, int64_t{11}, int64_t{-5000}}) {
        // Chain 12 -> 4316 -> 2164 (deleted) -> end; the record at 6468 is not in it.
        Write(L"ffbdata.dat", kButtonHeader + RecordBytes(L"one", kAt(0), kAt(2)) +
                                  RecordBytes(L"three", kAt(1), lastNext, 9) + RecordBytes(L"two", kAt(2), kAt(1)) +
                                  RecordBytes(L"outside", kAt(3), -1));
        CFileFolderItemFile file;
        ASSERT_TRUE(file.Open());
        FolderButtonItemList items;
        EXPECT_EQ(file.LoadChain(12, items), 3u) << lastNext;
        EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"one", L"two", L"three"}));
        EXPECT_TRUE(items[2]->IsDeleted());
        EXPECT_TRUE(file.HasDeletedRecords());
        EXPECT_EQ(items[1]->GetRecord().ownOffset, kAt(2));
        EXPECT_EQ(items[1]->GetButtonData().caption, L"two");
        EXPECT_EQ(items[1]->GetButtonData().secondText, L"C:\\two");
        EXPECT_EQ(items[1]->GetButtonData().owner, items[1].get());
    }
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(FolderButtonFile, TruncatedLastRecordKeepsTheRecordsBeforeIt)
{
    const std::string whole = kButtonHeader + RecordBytes(L"one", kAt(0), kAt(1)) + RecordBytes(L"two", kAt(1), -1);
    Write(L"ffbdata.dat", whole.substr(0, whole.size() - 100));
    CFileFolderItemFile file;
    ASSERT_TRUE(file.Open());
    FolderButtonItemList items;
    EXPECT_EQ(file.LoadChain(12, items), 1u);
    EXPECT_EQ(Names(items), std::vector<std::wstring>{L"one"});
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90125"});

    m_boxes.Clear();
    FolderButtonRecord record;
    EXPECT_FALSE(file.ReadRecord(kAt(1), record));
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90125"});
}

TEST_F(FolderButtonFile, LoopsAndOffsetsPastTheEndEndTheWalkWithTheReadError)
{
    struct Case {
        const char* what;
        std::string content;
        size_t items;
    };
    const Case cases[] = {
        {"self loop", kButtonHeader + RecordBytes(L"a", kAt(0), kAt(0)), 1},
        {"loop back to the head",
         kButtonHeader + RecordBytes(L"a", kAt(0), kAt(1)) + RecordBytes(L"b", kAt(1), kAt(2)) +
             RecordBytes(L"c", kAt(2), kAt(0)),
         3},
        {"loop into the middle",
         kButtonHeader + RecordBytes(L"a", kAt(0), kAt(1)) + RecordBytes(L"b", kAt(1), kAt(2)) +
             RecordBytes(L"c", kAt(2), kAt(1)),
         3},
        {"overlapping records", kButtonHeader + RecordBytes(L"a", kAt(0), 13) + std::string(4000, '\0'), 2},
        {"past the end", kButtonHeader + RecordBytes(L"a", kAt(0), 1000000), 1},
        {"far past the end", kButtonHeader + RecordBytes(L"a", kAt(0), INT64_MAX), 1},
    };
    for (const Case& c : cases) {
        Write(L"ffbdata.dat", c.content);
        m_boxes.Clear();
        {
            CFileFolderItemFile file;
            ASSERT_TRUE(file.Open());
            FolderButtonItemList items;
            EXPECT_LE(file.LoadChain(12, items), c.items) << c.what;
            EXPECT_GE(items.size(), 1u) << c.what;
            ASSERT_GE(m_boxes.Count(), 1u) << c.what;
            EXPECT_EQ(Codes().back().substr(0, 4), L"9012") << c.what;
        }
        EXPECT_EQ(Read(L"ffbdata.dat"), c.content) << c.what;
    }
}

TEST_F(FolderButtonFile, MarkDeletedRewritesInPlaceAndKeepsTheLength)
{
    const std::string content = kButtonHeader + RecordBytes(L"one", kAt(0), kAt(1)) + RecordBytes(L"two", kAt(1), -1);
    Write(L"ffbdata.dat", content);
    {
        CFileFolderItemFile file;
        ASSERT_TRUE(file.Open());
        FolderButtonItemList items;
        ASSERT_EQ(file.LoadChain(12, items), 2u);
        FolderButtonRecord record = items[0]->GetRecord();
        EXPECT_TRUE(file.MarkDeleted(record));
        EXPECT_TRUE(record.IsDeleted());
    }
    const std::string after = Read(L"ffbdata.dat");
    ASSERT_EQ(after.size(), content.size());
    EXPECT_EQ(U32At(after, 12 + 2128), 9u);
    // Nothing but the flags changed.
    std::string expected = content;
    expected[12 + 2128] = 9;
    EXPECT_EQ(after, expected);
}

TEST_F(FolderButtonFile, WritesNeverTouchTheHeaderOrLeaveGaps)
{
    Write(L"ffbdata.dat", kButtonHeader);
    CFileFolderItemFile file;
    ASSERT_TRUE(file.Open());
    FolderButtonRecord record;
    for (int64_t offset : {int64_t{-1}, int64_t{0}, int64_t{11}, int64_t{13}, int64_t{5000}}) {
        m_boxes.Clear();
        EXPECT_FALSE(file.WriteRecord(offset, record)) << offset;
        EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90126"}) << offset;
    }
    // A record with an unwritten own offset cannot be marked.
    m_boxes.Clear();
    EXPECT_FALSE(file.MarkDeleted(record));
    EXPECT_FALSE(record.IsDeleted());
    EXPECT_EQ(Read(L"ffbdata.dat"), kButtonHeader);
    EXPECT_TRUE(file.WriteRecord(12, record));
    EXPECT_EQ(file.GetLength(), 12 + 2152);
}

TEST_F(FolderButtonFile, ReadOnlyFileReportsFailedWritesWithTheirCode)
{
    Write(L"ffbdata.dat", kButtonHeader + RecordBytes(L"one", kAt(0), -1));
    CFileFolderItemFile file;
    ASSERT_TRUE(file.Open(CFile::modeRead | CFile::shareDenyNone));
    FolderButtonRecord record;
    ASSERT_TRUE(file.ReadRecord(12, record));
    record.ownOffset = 12;
    EXPECT_FALSE(file.MarkDeleted(record));
    EXPECT_FALSE(record.IsDeleted());
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90126"});
    EXPECT_EQ(m_boxes.Last().caption, L"Error:");
    m_boxes.Clear();
    EXPECT_FALSE(file.WriteHeader());
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90112"});
}

TEST_F(FolderButtonFile, FileThatCannotBeOpenedReportsItsCode)
{
    // A folder of that name cannot be opened as a file.
    ASSERT_TRUE(CreateDirectoryW(L"ffbdata.dat", nullptr));
    CFileFolderItemFile file;
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90127"});
    RemoveDirectoryW(L"ffbdata.dat");
}
