#include <gtest/gtest.h>
#include <string>

#include "DataFilesFixture.h"
#include "folderbuttons/FolderButtonRecord.h"
#include "sidebar/SideBarRecord.h"

namespace {

template <class Bytes> std::string AsString(const Bytes& bytes)
{
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(RecordCodec, FolderButtonRecordFieldsLieAtTheirOffsets)
{
    FolderButtonRecord record;
    record.name = L"Reports";
    record.path = L"C:\\Work\\Reports";
    record.typeName = L"File folder";
    record.parameters = L"-x";
    record.kind = FolderButtonRecord::kindFolder;
    record.ownOffset = 0x123456789AB;
    record.previous = 12;
    record.next = -1;
    record.flags = 8;
    record.trailer = 0xA1B2C3D4;
    const std::string bytes = AsString(record.Encode());

    ASSERT_EQ(bytes.size(), 2152u);
    EXPECT_EQ(TextAt(bytes, 0), L"Reports");
    EXPECT_EQ(TextAt(bytes, 520), L"C:\\Work\\Reports");
    EXPECT_EQ(TextAt(bytes, 1040), L"File folder");
    EXPECT_EQ(TextAt(bytes, 1560), L"-x");
    EXPECT_EQ(U32At(bytes, 2080), 0xFFFFFFFFu);
    EXPECT_EQ(bytes.substr(2084, 16), std::string(16, '\0'));
    EXPECT_EQ(U32At(bytes, 2100), 1u);
    EXPECT_EQ(I64At(bytes, 2104), 0x123456789AB);
    EXPECT_EQ(I64At(bytes, 2112), 12);
    EXPECT_EQ(I64At(bytes, 2120), -1);
    EXPECT_EQ(U32At(bytes, 2128), 8u);
    EXPECT_EQ(bytes.substr(2132, 16), std::string(16, '\0'));
    EXPECT_EQ(U32At(bytes, 2148), 0xA1B2C3D4u);
    // Unused text space is zero.
    EXPECT_EQ(bytes.substr(14, 506), std::string(506, '\0'));

    const FolderButtonRecord back = FolderButtonRecord::Decode(record.Encode());
    EXPECT_EQ(back.name, record.name);
    EXPECT_EQ(back.path, record.path);
    EXPECT_EQ(back.typeName, record.typeName);
    EXPECT_EQ(back.parameters, record.parameters);
    EXPECT_EQ(back.kind, record.kind);
    EXPECT_EQ(back.ownOffset, record.ownOffset);
    EXPECT_EQ(back.previous, record.previous);
    EXPECT_EQ(back.next, record.next);
    EXPECT_EQ(back.flags, record.flags);
    EXPECT_EQ(back.trailer, record.trailer);
}

TEST(RecordCodec, NewFolderButtonRecordIsAFixedUnwrittenButton)
{
    const std::string bytes = AsString(FolderButtonRecord().Encode());
    EXPECT_EQ(I64At(bytes, 2104), -1);
    EXPECT_EQ(I64At(bytes, 2112), -1);
    EXPECT_EQ(I64At(bytes, 2120), -1);
    EXPECT_EQ(U32At(bytes, 2128), 8u);
    EXPECT_EQ(U32At(bytes, 2100), 0u);
    EXPECT_EQ(U32At(bytes, 2148), 0u);
}

TEST(RecordCodec, SideBarRecordFieldsLieAtTheirOffsets)
{
    SideBarRecord record;
    record.path = L"C:\\Work";
    record.subButtonMask = 3;
    record.folderButtonPosition = 0x1122334455;
    record.type = 0x10001;
    record.displayName = L"Work";
    record.parameter = L"/p";
    record.iconIndex = 7;
    record.ordinal = 2;
    const std::string bytes = AsString(record.Encode());

    ASSERT_EQ(bytes.size(), 1592u);
    EXPECT_EQ(TextAt(bytes, 0), L"C:\\Work");
    EXPECT_EQ(U32At(bytes, 520), 3u);
    EXPECT_EQ(U32At(bytes, 524), 0u);
    EXPECT_EQ(U32At(bytes, 528), 0x22334455u); // low half first
    EXPECT_EQ(U32At(bytes, 532), 0x11u);
    EXPECT_EQ(U32At(bytes, 536), 0x10001u);
    EXPECT_EQ(TextAt(bytes, 540), L"Work");
    EXPECT_EQ(TextAt(bytes, 1060), L"/p");
    EXPECT_EQ(U32At(bytes, 1580), 7u);
    EXPECT_EQ(U32At(bytes, 1584), 2u);
    EXPECT_EQ(U32At(bytes, 1588), 0u);

    const SideBarRecord back = SideBarRecord::Decode(record.Encode());
    EXPECT_EQ(back.path, record.path);
    EXPECT_EQ(back.subButtonMask, record.subButtonMask);
    EXPECT_EQ(back.folderButtonPosition, record.folderButtonPosition);
    EXPECT_EQ(back.type, record.type);
    EXPECT_EQ(back.displayName, record.displayName);
    EXPECT_EQ(back.parameter, record.parameter);
    EXPECT_EQ(back.iconIndex, record.iconIndex);
    EXPECT_EQ(back.ordinal, record.ordinal);
}

TEST(RecordCodec, TextsAreCutTo259CharactersAndStayTerminated)
{
    const std::wstring exact(259, L'a');
    const std::wstring longer = std::wstring(259, L'b') + std::wstring(41, L'c');
    SideBarRecord category;
    category.displayName = exact;
    category.path = longer;
    const auto categoryBytes = category.Encode();
    const SideBarRecord categoryBack = SideBarRecord::Decode(categoryBytes);
    EXPECT_EQ(categoryBack.displayName, exact);
    EXPECT_EQ(categoryBack.path, std::wstring(259, L'b'));
    // Unit 259 of each field is its terminator.
    EXPECT_EQ(categoryBytes[518], 0);
    EXPECT_EQ(categoryBytes[519], 0);
    EXPECT_EQ(categoryBytes[540 + 518], 0);

    FolderButtonRecord button;
    button.name = longer;
    button.parameters = exact;
    const FolderButtonRecord buttonBack = FolderButtonRecord::Decode(button.Encode());
    EXPECT_EQ(buttonBack.name, std::wstring(259, L'b'));
    EXPECT_EQ(buttonBack.parameters, exact);

    // A field written by something else without a terminator reads as its
    // first 259 characters.
    FolderButtonRecord::Bytes raw{};
    for (size_t i = 0; i < 520; i += 2)
        raw[i] = 'z';
    EXPECT_EQ(FolderButtonRecord::Decode(raw).name, std::wstring(259, L'z'));
}

TEST(RecordCodec, SetTypeFollowsItsBitRules)
{
    struct Case {
        uint32_t before;
        uint32_t value;
        bool on;
        uint32_t after;
    };
    const Case cases[] = {
        {8, 4, true, 6},  {9, 4, true, 7},  {8, 1, true, 9},   {2, 1, true, 3},  {8, 2, true, 2},  {9, 2, true, 3},
        {3, 8, true, 9},  {7, 4, false, 1}, {14, 4, false, 0}, {9, 1, false, 8}, {3, 2, false, 1}, {6, 2, false, 4},
        {7, 8, false, 9}, {2, 3, false, 8}, {0, 0, true, 0},   {1, 6, true, 7},  {6, 8, false, 8},
    };
    for (const Case& c : cases) {
        FolderButtonRecord record;
        record.flags = c.before;
        record.SetType(c.value, c.on);
        EXPECT_EQ(record.flags, c.after) << "flags " << c.before << " value " << c.value << " on " << c.on;
    }
}

TEST(RecordCodec, ButtonTypeTests)
{
    FolderButtonRecord record;
    record.flags = 2;
    EXPECT_TRUE(record.IsEnumerateFolder());
    EXPECT_FALSE(record.IsGenerated());
    record.flags = 6;
    EXPECT_FALSE(record.IsEnumerateFolder());
    EXPECT_TRUE(record.IsGenerated());
    record.flags = 9;
    EXPECT_TRUE(record.IsDeleted());
    EXPECT_FALSE(record.IsEnumerateFolder());
}
