#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "filter/CFileFilter.h"
#include "filter/FilterSubject.h"
#include "harness/TestHarness.h"
#include "statistics/FileFolderStatItem.h"

using testing_support::MessageBoxRecorder;

namespace {

PlainFilterSubject Subject(const std::wstring& path, bool folder = false, std::uint64_t size = 0)
{
    PlainFilterSubject subject;
    subject.parsingName = path;
    subject.folder = folder;
    subject.size = size;
    subject.attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    return subject;
}

FILETIME Time(ULONGLONG value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

TEST(FileFilterTest, EmptyFilterAndNullItem)
{
    MessageBoxRecorder boxes;
    CFileFilter filter;
    const auto file = Subject(L"C:\\a.txt");
    EXPECT_EQ(filter.Match(&file), 0);
    filter.AddText(L"", 9);
    EXPECT_EQ(filter.Match(static_cast<const IFilterSubject*>(nullptr)), 0);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(filter.GetRootPath(), L"");
    EXPECT_EQ(filter.GetSourceNode(), nullptr);
}

TEST(FileFilterTest, ExtensionCriteria)
{
    MessageBoxRecorder boxes;
    CFileFilter filter;
    filter.AddText(L".txt", CFileFilterItem::kExtension);
    filter.AddText(L".doc", CFileFilterItem::kExtension);
    const struct {
        const wchar_t* path;
        bool folder;
        int expected;
    } cases[] = {
        {L"C:\\x\\a.TXT", false, 1},    {L"C:\\x\\b.doc", false, 1}, {L"C:\\x\\c.docx", false, 0},
        {L"C:\\x\\notes.txt", true, 0}, {L"C:\\x.txt\\d", false, 0}, {L"C:\\x\\archive.doc.gz", false, 0},
    };
    for (const auto& c : cases) {
        const auto subject = Subject(c.path, c.folder);
        EXPECT_EQ(filter.Match(&subject), c.expected) << c.path;
    }

    CFileFilter bare;
    bare.AddText(L"", CFileFilterItem::kExtension);
    const auto makefile = Subject(L"C:\\src\\Makefile");
    const auto blank = Subject(L"C:\\src\\my.file name");
    const auto typed = Subject(L"C:\\src\\a.c");
    EXPECT_EQ(bare.Match(&makefile), 1);
    EXPECT_EQ(bare.Match(&blank), 1);
    EXPECT_EQ(bare.Match(&typed), 0);

    CFileFilter exe;
    exe.AddText(L".EXE", CFileFilterItem::kExtension);
    const auto setup = Subject(L"C:\\Setup.exe");
    EXPECT_EQ(exe.Match(&setup), 1);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(FileFilterTest, MessagesAndShortCircuit)
{
    MessageBoxRecorder boxes;
    const auto file = Subject(L"C:\\data\\Report.txt");
    CFileFilter filter;
    filter.AddText(L"report", CFileFilterItem::kNameContains);
    filter.AddText(L"*.txt", CFileFilterItem::kWildcard);
    EXPECT_EQ(filter.Match(&file), 1);
    EXPECT_EQ(boxes.Count(), 0u);

    const auto other = Subject(L"C:\\data\\x.bin");
    EXPECT_EQ(filter.Match(&other), 0);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, L"Don't Support Wildcard!");
    EXPECT_FALSE(boxes.Last().captionGiven);
    EXPECT_EQ(boxes.Last().type, static_cast<UINT>(MB_OK));

    CFileFilter odd;
    odd.AddText(L"x", 9);
    odd.AddText(L".+", CFileFilterItem::kRegex);
    odd.AddText(L".bin", CFileFilterItem::kExtension);
    boxes.Clear();
    EXPECT_EQ(odd.Match(&other), 1);
    EXPECT_EQ(odd.Match(&file), 0);
    const auto requests = boxes.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].text, L"Invalid filter type! 372210");
    EXPECT_EQ(requests[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(requests[1].text, L"Don't Support Regex!");
    EXPECT_EQ(requests[2].text, L"Invalid filter type! 372210");
}

TEST(FileFilterTest, SizeDateAndAttributes)
{
    MessageBoxRecorder boxes;
    CFileFilter size;
    size.AddSize(1024, CFileFilterItem::kSize, CFileFilterItem::kGreater);
    const auto bigger = Subject(L"C:\\a", false, 1025);
    const auto equal = Subject(L"C:\\b", false, 1024);
    const auto folder = Subject(L"C:\\f", true);
    EXPECT_EQ(size.Match(&bigger), 1);
    EXPECT_EQ(size.Match(&equal), 0);
    EXPECT_EQ(size.Match(&folder), 1);
    CFileFilter huge;
    huge.AddSize(0x100000000ull, CFileFilterItem::kSize, CFileFilterItem::kGreaterOrEqual);
    const auto fourGiB = Subject(L"C:\\g", false, 0x100000000ull);
    EXPECT_EQ(huge.Match(&fourGiB), 1);
    EXPECT_EQ(huge.Match(&bigger), 0);

    CFileFilter badSize;
    badSize.AddSize(1, CFileFilterItem::kSize, 7);
    EXPECT_EQ(badSize.Match(&bigger), 0);
    EXPECT_EQ(boxes.Last().text, L"Invalid operational character! 24414");

    auto dated = Subject(L"C:\\d.txt");
    dated.hasFindData = true;
    dated.findData.ftLastWriteTime = Time(300);
    dated.findData.ftCreationTime = Time(100);
    CFileFilter range;
    range.AddDateRange(Time(200), CFileFilterItem::kGreater, Time(250), CFileFilterItem::kLess, CFileFilterItem::kDate,
                       CFileFilterItem::kLastWriteTime);
    EXPECT_EQ(range.Match(&dated), 1);
    CFileFilter created;
    created.AddDate(Time(200), CFileFilterItem::kDate, CFileFilterItem::kGreater, CFileFilterItem::kCreationTime);
    EXPECT_EQ(created.Match(&dated), 0);
    dated.hasFindData = false;
    EXPECT_EQ(range.Match(&dated), 0);
    dated.hasFindData = true;
    boxes.Clear();
    CFileFilter badDate;
    badDate.AddDateRange(Time(1), 9, Time(1), CFileFilterItem::kGreater, CFileFilterItem::kDate, 2);
    EXPECT_EQ(badDate.Match(&dated), 1);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, L"Invalid operational character! 24416");

    CFileFilter attributes;
    attributes.AddAttributes(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY, CFileFilterItem::kAttributes);
    EXPECT_EQ(attributes.Match(&folder), 1);
    EXPECT_EQ(attributes.Match(&bigger), 0);
}

TEST(FileFilterTest, ContainsAnyTextAndContext)
{
    CFileFilter filter;
    filter.AddText(L".GZ", CFileFilterItem::kExtension);
    _tagFileFolderStatItem node;
    EXPECT_EQ(filter.ContainsAnyText(&node), 0);
    EXPECT_EQ(filter.ContainsAnyText(nullptr), 0);
    node.AppendType({L".txt", L"Text", 1, 1});
    EXPECT_EQ(filter.ContainsAnyText(&node), 0);
    node.AppendType({L".gz", L"Archive", 1, 1});
    EXPECT_EQ(filter.ContainsAnyText(&node), 1);

    filter.SetRootPath(L"C:\\data");
    filter.SetSourceNode(&node);
    EXPECT_EQ(filter.GetRootPath(), L"C:\\data");
    EXPECT_EQ(filter.GetSourceNode(), &node);
    filter.RemoveAll();
    EXPECT_TRUE(filter.GetItems().empty());
    EXPECT_EQ(filter.ContainsAnyText(&node), 0);
}

} // namespace
