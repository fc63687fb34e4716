#include <gtest/gtest.h>
#include <string>

#include "DataFilesFixture.h"
#include "framework/CFileException.h"
#include "sidebar/CSideBarDataFile.h"
#include "sidebar/SideBarRecord.h"

namespace {

std::string CategoryBytes(const std::wstring& name)
{
    SideBarRecord record;
    record.displayName = name;
    record.path = L"C:\\" + name;
    record.type = 1;
    const auto bytes = record.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

using SideBarDataFile = DataFilesTest;

TEST_F(SideBarDataFile, NewFileGetsItsHeaderAndAppendsAfterIt)
{
    CSideBarDataFile file;
    ASSERT_TRUE(file.OpenForLoad());
    EXPECT_TRUE(file.IsUsable());
    EXPECT_EQ(file.GetLength(), 12);
    SideBarRecord record;
    record.displayName = L"first";
    EXPECT_EQ(file.AppendRecord(record), 12);
    record.displayName = L"second";
    EXPECT_EQ(file.AppendRecord(record), 12 + 1592);
    SideBarRecord back;
    EXPECT_EQ(file.ReadRecordAt(12 + 1592, back), 12 + 2 * 1592);
    EXPECT_EQ(back.displayName, L"second");
    file.Close();
    const std::string bytes = Read(L"BData.sbd");
    EXPECT_EQ(bytes.substr(0, 12), kCategoryHeader);
    EXPECT_EQ(bytes.size(), 12u + 2 * 1592);
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(SideBarDataFile, ForeignOrWrongVersionFileIsUnusableAndUntouched)
{
    std::string wrongVersion = kCategoryHeader + CategoryBytes(L"a");
    wrongVersion[8] = 1;
    std::string foreignMagic = kCategoryHeader + CategoryBytes(L"a");
    foreignMagic[2] = '$';
    for (const std::string& content : {wrongVersion, foreignMagic}) {
        Write(L"BData.sbd", content);
        m_boxes.Clear();
        {
            CSideBarDataFile file;
            EXPECT_FALSE(file.OpenForLoad());
            EXPECT_FALSE(file.IsUsable());
            SideBarRecord record;
            EXPECT_EQ(file.AppendRecord(record), -1);
            EXPECT_EQ(file.ReadRecordAt(12, record), -1);
            EXPECT_TRUE(file.CheckUsable(L"16461"));
            EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"16459", L"16458", L"16461"}));
            EXPECT_EQ(m_boxes.Last().caption, L"Error");
        }
        EXPECT_EQ(Read(L"BData.sbd"), content);
    }
}

TEST_F(SideBarDataFile, IncompleteRecordShowsItsCodeAndThrows)
{
    Write(L"BData.sbd", kCategoryHeader + CategoryBytes(L"a") + CategoryBytes(L"b").substr(0, 700));
    CSideBarDataFile file;
    ASSERT_TRUE(file.OpenForLoad());
    SideBarRecord record;
    EXPECT_EQ(file.ReadRecordAt(12, record), 12 + 1592);
    EXPECT_THROW(file.ReadRecordAt(12 + 1592, record), CFileException);
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"12571"});
}

TEST_F(SideBarDataFile, SecondOpenIsRefusedWhileTheFileIsHeld)
{
    CSideBarDataFile first;
    ASSERT_TRUE(first.OpenForLoad());
    CSideBarDataFile second;
    EXPECT_FALSE(second.OpenForLoad());
    EXPECT_FALSE(second.IsUsable());
    ASSERT_EQ(m_boxes.Count(), 1u);
    EXPECT_FALSE(m_boxes.Last().captionGiven);
    EXPECT_EQ(m_boxes.Last().type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(SideBarDataFile, TruncatingKeepsDataBesideTheNewFileOnce)
{
    const std::string foreign = "not a category file at all";
    Write(L"BData.sbd", foreign);
    Write(L"BData.sbd.bak", "an older backup");
    CSideBarDataFile file;
    ASSERT_TRUE(file.OpenTruncate());
    EXPECT_TRUE(file.IsUsable());
    EXPECT_EQ(file.GetLength(), 12);
    file.Close();
    EXPECT_EQ(Read(L"BData.sbd"), kCategoryHeader);
    EXPECT_EQ(Read(L"BData.sbd.bak"), "an older backup");
    EXPECT_EQ(Read(L"BData.sbd.bak2"), foreign);
    ASSERT_EQ(m_boxes.Count(), 1u);
    EXPECT_NE(m_boxes.Last().text.find(m_folder.File(L"BData.sbd.bak2")), std::wstring::npos);

    // A bare header holds nothing worth keeping.
    m_boxes.Clear();
    ASSERT_TRUE(file.OpenTruncate());
    EXPECT_EQ(m_boxes.Count(), 0u);
    EXPECT_FALSE(Exists(L"BData.sbd.bak3"));
}

TEST_F(SideBarDataFile, ShortForeignFileIsKeptBeforeItGetsAHeader)
{
    Write(L"BData.sbd", "abc");
    CSideBarDataFile file;
    ASSERT_TRUE(file.OpenForLoad());
    file.Close();
    EXPECT_EQ(Read(L"BData.sbd"), kCategoryHeader);
    EXPECT_EQ(Read(L"BData.sbd.bak"), "abc");
    EXPECT_EQ(m_boxes.Count(), 1u);
}
