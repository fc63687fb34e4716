#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "DataFilesFixture.h"
#include "FakeCategoryShell.h"
#include "sidebar/CSideBarCategories.h"
#include "sidebar/SideBarRecord.h"

namespace {

std::string CategoryBytes(const std::wstring& name, uint32_t type = 1, int64_t position = -1)
{
    SideBarRecord record;
    record.displayName = name;
    record.path = L"C:\\" + name + L"\\";
    record.type = type;
    record.folderButtonPosition = position;
    record.subButtonMask = 3;
    const auto bytes = record.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::wstring> Names(const CSideBarCategories& categories, bool withDeleted = true)
{
    std::vector<std::wstring> names;
    for (const auto& category : categories.Categories()) {
        if (withDeleted || !category->IsDeleted())
            names.push_back(category->m_displayName);
    }
    return names;
}

} // namespace

class CategoriesTest : public DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        m_icons = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 6, 4);
        for (int i = 0; i < 4; ++i)
            ImageList_ReplaceIcon(m_icons, -1, LoadIconW(nullptr, IDI_WINLOGO));
    }
    void TearDown() override
    {
        m_categories.reset();
        ImageList_Destroy(m_icons);
        DataFilesTest::TearDown();
    }
    // A new list, as the sidebar window makes at a start of the program.
    CSideBarCategories& Restart()
    {
        m_categories.reset();
        m_categories = std::make_unique<CSideBarCategories>(m_shell);
        m_categories->SetIconList(m_icons);
        m_categories->SetLayoutHandler([this] { ++m_layouts; });
        m_categories->SetRepaintHandler([this] { ++m_repaints; });
        return *m_categories;
    }

    // The category file's bytes; the list holds the file without sharing,
    // so it lets go of it for the moment of reading.
    std::string DataBytes()
    {
        if (!m_categories)
            return Read(L"BData.sbd");
        m_categories->DataFile().Close();
        std::string bytes = Read(L"BData.sbd");
        m_categories->DataFile().OpenForLoad();
        return bytes;
    }

    FakeCategoryShell m_shell;
    HIMAGELIST m_icons = nullptr;
    std::unique_ptr<CSideBarCategories> m_categories;
    int m_layouts = 0;
    int m_repaints = 0;
};

TEST_F(CategoriesTest, FirstStartCreatesBothFilesWithTheDefaults)
{
    for (bool headerOnly : {false, true}) {
        if (headerOnly) {
            m_categories.reset();
            Write(L"BData.sbd", kCategoryHeader);
            Write(L"ffbdata.dat", kButtonHeader + std::string(2152, '\0'));
        }
        const int64_t p = headerOnly ? 12 + 2152 : 12;
        CSideBarCategories& categories = Restart();
        EXPECT_TRUE(categories.LoadCategories());
        EXPECT_EQ(Names(categories), (std::vector<std::wstring>{L"My Desktop", L"My Computer", L"My Documents"}));
        EXPECT_EQ(categories.FirstVisibleIndex(), 0);
        EXPECT_EQ(categories.Indexed().size(), 3u);

        const std::string data = DataBytes();
        ASSERT_EQ(data.size(), 12u + 3 * 1592);
        EXPECT_EQ(data.substr(0, 12), kCategoryHeader);
        struct Expected {
            const wchar_t* name;
            const wchar_t* path;
            uint32_t type;
            uint32_t mask;
            uint32_t icon;
        };
        const Expected expected[] = {
            {L"My Desktop", L"::", 3, 2, 3},
            {L"My Computer", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 4, 6, 0},
            {L"My Documents", L"C:\\users\\me\\Documents", 5, 7, 1},
        };
        const std::string buttons = Read(L"ffbdata.dat");
        ASSERT_EQ(static_cast<int64_t>(buttons.size()), p + 3 * 2152);
        for (size_t i = 0; i < 3; ++i) {
            const size_t at = 12 + i * 1592;
            EXPECT_EQ(TextAt(data, at), expected[i].path);
            EXPECT_EQ(U32At(data, at + 520), expected[i].mask);
            EXPECT_EQ(I64At(data, at + 528), p + static_cast<int64_t>(i) * 2152);
            EXPECT_EQ(U32At(data, at + 536), expected[i].type);
            EXPECT_EQ(TextAt(data, at + 540), expected[i].name);
            EXPECT_EQ(U32At(data, at + 1580), expected[i].icon);
            EXPECT_EQ(U32At(data, at + 1584), i);

            const size_t root = static_cast<size_t>(p) + i * 2152;
            EXPECT_EQ(TextAt(buttons, root + 520), expected[i].path);
            EXPECT_EQ(U32At(buttons, root + 2100), 2u);
            EXPECT_EQ(U32At(buttons, root + 2128), 2u);
            EXPECT_EQ(I64At(buttons, root + 2104), static_cast<int64_t>(root));
            EXPECT_EQ(I64At(buttons, root + 2112), -1);
            EXPECT_EQ(I64At(buttons, root + 2120), -1);
        }
    }
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(CategoriesTest, ForeignCategoryFileLoadsNothingAndIsNeverWritten)
{
    std::string foreign = kCategoryHeader + CategoryBytes(L"a");
    foreign[0] = 'Q';
    Write(L"BData.sbd", foreign);
    CSideBarCategories& categories = Restart();
    EXPECT_FALSE(categories.LoadCategories());
    EXPECT_TRUE(categories.Categories().empty());
    EXPECT_EQ(categories.FirstVisibleIndex(), -1);
    EXPECT_EQ(categories.AddCategory(L"x", L"C:\\x\\", 0, L"", true, true), nullptr);
    EXPECT_FALSE(categories.SaveCategories());
    EXPECT_TRUE(categories.Categories().empty());
    categories.DataFile().Close();
    EXPECT_TRUE(Read(L"BData.sbd") == foreign);
    EXPECT_FALSE(Exists(L"ffbdata.dat"));
    // A later load offers the defaults but cannot keep them: the list stays as the file.
    m_boxes.Clear();
    EXPECT_FALSE(categories.LoadCategories());
    EXPECT_TRUE(categories.Categories().empty());
    m_categories.reset();
    EXPECT_TRUE(DataBytes() == foreign);
    EXPECT_GE(m_boxes.Count(), 2u);
}

TEST_F(CategoriesTest, IncompleteLastRecordKeepsTheCompleteOnes)
{
    Write(L"BData.sbd",
          kCategoryHeader + CategoryBytes(L"a") + CategoryBytes(L"b") + CategoryBytes(L"c").substr(0, 1000));
    CSideBarCategories& categories = Restart();
    EXPECT_TRUE(categories.LoadCategories());
    EXPECT_EQ(Names(categories), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(categories.Categories()[1]->m_ordinal, 1);
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"12571"});
}

TEST_F(CategoriesTest, AddingWithoutEnumerationStoresMinusOneAndWritesNoButtons)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const std::string buttons = Read(L"ffbdata.dat");
    m_repaints = 0;
    CSideBarButton* added = categories.AddCategory(L"Tools", L"C:\\tools\\run.exe", 2, L"-q", false, true);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_folderButtonPosition, -1);
    EXPECT_EQ(added->StoredType(), 2u);
    EXPECT_EQ(added->m_subButtonMask, 3);
    EXPECT_EQ(added->m_ordinal, -1);
    EXPECT_TRUE(added->m_ownsIcon);
    EXPECT_GE(added->m_iconIndex, 4);
    EXPECT_EQ(m_repaints, 1);
    EXPECT_EQ(Read(L"ffbdata.dat"), buttons);
    const std::string data = DataBytes();
    ASSERT_EQ(data.size(), 12u + 4 * 1592);
    EXPECT_EQ(I64At(data, 12 + 3 * 1592 + 528), -1);
    EXPECT_EQ(TextAt(data, 12 + 3 * 1592 + 1060), L"-q");
}

TEST_F(CategoriesTest, AddingWithEnumerationWritesTheRootAtTheEnd)
{
    struct Case {
        int kind;
        uint32_t type;
        int mask;
        uint32_t itemKind;
    };
    const Case cases[] = {{0, 1, 3, 1}, {1, 6, 3, 3}, {2, 2, 3, 4}, {3, 3, 2, 2}};
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    for (const Case& c : cases) {
        const int64_t end = static_cast<int64_t>(Read(L"ffbdata.dat").size());
        const std::wstring path = L"C:\\p" + std::to_wstring(c.kind);
        CSideBarButton* added = categories.AddCategory(L"n", path, c.kind, L"", true, false);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->m_folderButtonPosition, end);
        EXPECT_EQ(added->StoredType(), c.type);
        EXPECT_EQ(added->m_subButtonMask, c.mask);
        const std::string buttons = Read(L"ffbdata.dat");
        ASSERT_EQ(static_cast<int64_t>(buttons.size()), end + 2152);
        EXPECT_EQ(TextAt(buttons, end), L"shown " + path);
        EXPECT_EQ(TextAt(buttons, end + 520), path);
        EXPECT_EQ(TextAt(buttons, end + 1040), L"type of " + path);
        EXPECT_EQ(U32At(buttons, end + 2100), c.itemKind);
        EXPECT_EQ(U32At(buttons, end + 2128), 2u);
        EXPECT_EQ(I64At(buttons, end + 2104), end);
    }
    EXPECT_EQ(categories.AddCategory(L"n", L"C:\\x", 7, L"", true, false), nullptr);
    EXPECT_EQ(categories.Categories().size(), 7u);
}

TEST_F(CategoriesTest, FailedSaveTakesTheNewCategoryOutAgain)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const int icons = ImageList_GetImageCount(m_icons);
    // Without a category file the list cannot keep a new category: the file
    // is held by another program, so it cannot be opened again.
    categories.DataFile().Close();
    HANDLE other = CreateFileW(L"BData.sbd", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    m_boxes.Clear();
    EXPECT_EQ(categories.AddCategory(L"n", L"C:\\n\\", 0, L"", false, true), nullptr);
    CloseHandle(other);
    EXPECT_EQ(Names(categories), (std::vector<std::wstring>{L"My Desktop", L"My Computer", L"My Documents"}));
    EXPECT_EQ(categories.Indexed().size(), 3u);
    EXPECT_EQ(ImageList_GetImageCount(m_icons), icons);
    EXPECT_GE(m_boxes.Count(), 1u);
    EXPECT_EQ(DataBytes().size(), 12u + 3 * 1592);
}

TEST_F(CategoriesTest, DeletingKeepsTheFileSizeAndStaysDeletedAfterARestart)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const size_t size = DataBytes().size();
    categories.SetCurrent(categories.Categories()[1].get());
    m_repaints = 0;
    EXPECT_TRUE(categories.DeleteCategory(categories.Categories()[1].get()));
    EXPECT_EQ(categories.Current(), nullptr);
    EXPECT_EQ(m_repaints, 1);
    EXPECT_EQ(DataBytes().size(), size);
    EXPECT_EQ(Names(categories, false), (std::vector<std::wstring>{L"My Desktop", L"My Documents"}));

    CSideBarCategories& restarted = Restart();
    ASSERT_TRUE(restarted.LoadCategories());
    EXPECT_EQ(restarted.Categories().size(), 3u);
    EXPECT_TRUE(restarted.Categories()[1]->IsDeleted());
    EXPECT_EQ(restarted.Categories()[1]->StoredType(), 4u);
    EXPECT_EQ(Names(restarted, false), (std::vector<std::wstring>{L"My Desktop", L"My Documents"}));
}

TEST_F(CategoriesTest, DisplayNamesOf259And300CharactersThroughSaveAndLoad)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const std::wstring exact(259, L'e');
    const std::wstring longer = std::wstring(259, L'l') + std::wstring(41, L'x');
    ASSERT_TRUE(categories.RenameCategory(categories.Categories()[0].get(), exact));
    ASSERT_TRUE(categories.RenameCategory(categories.Categories()[1].get(), longer));
    CSideBarCategories& restarted = Restart();
    ASSERT_TRUE(restarted.LoadCategories());
    EXPECT_EQ(restarted.Categories()[0]->m_displayName, exact);
    EXPECT_EQ(restarted.Categories()[1]->m_displayName, std::wstring(259, L'l'));
}

TEST_F(CategoriesTest, RenameIgnoresACaseOnlyChange)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const std::string before = DataBytes();
    m_repaints = 0;
    EXPECT_TRUE(categories.RenameCategory(categories.Categories()[0].get(), L"MY DESKTOP"));
    EXPECT_EQ(categories.Categories()[0]->m_displayName, L"My Desktop");
    EXPECT_EQ(m_repaints, 0);
    EXPECT_EQ(DataBytes(), before);
}

TEST_F(CategoriesTest, ModifyWithARootRewritesItInPlace)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    CSideBarButton* documents = categories.Categories()[2].get();
    const int64_t root = documents->m_folderButtonPosition;
    const auto start = categories.PrepareModifyCategory(documents);
    ASSERT_TRUE(start.has_value());
    EXPECT_TRUE(start->hasRoot);
    EXPECT_TRUE(start->enumerate);
    EXPECT_TRUE(start->folderType);
    const size_t buttonsSize = Read(L"ffbdata.dat").size();

    // Unchecking the enumerate box marks the root; the deleted flag of the category is kept.
    ASSERT_TRUE(categories.ModifyCategory(documents, *start, L"Work", L"D:\\work\\", L"", false));
    EXPECT_EQ(documents->StoredType(), 1u);
    std::string buttons = Read(L"ffbdata.dat");
    EXPECT_EQ(buttons.size(), buttonsSize);
    EXPECT_EQ(TextAt(buttons, static_cast<size_t>(root)), L"Work");
    EXPECT_EQ(TextAt(buttons, static_cast<size_t>(root) + 520), L"D:\\work\\");
    EXPECT_EQ(U32At(buttons, static_cast<size_t>(root) + 2100), 1u);
    EXPECT_EQ(U32At(buttons, static_cast<size_t>(root) + 2128), 3u);
    const std::string data = DataBytes();
    EXPECT_EQ(TextAt(data, 12 + 2 * 1592), L"D:\\work\\");
    EXPECT_EQ(TextAt(data, 12 + 2 * 1592 + 540), L"Work");

    const auto again = categories.PrepareModifyCategory(documents);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->hasRoot);
    EXPECT_TRUE(again->enumerate);
    ASSERT_TRUE(categories.ModifyCategory(documents, *again, L"Work", L"D:\\work\\", L"", true));
    buttons = Read(L"ffbdata.dat");
    EXPECT_EQ(U32At(buttons, static_cast<size_t>(root) + 2128), 2u);
}

TEST_F(CategoriesTest, ModifyWithoutARootAddsOneOnlyWhenAsked)
{
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    CSideBarButton* added = categories.AddCategory(L"Doc", L"C:\\a.txt", 1, L"", false, false);
    ASSERT_NE(added, nullptr);
    auto start = categories.PrepareModifyCategory(added);
    ASSERT_TRUE(start.has_value());
    EXPECT_FALSE(start->hasRoot);
    EXPECT_FALSE(start->enumerate);
    EXPECT_FALSE(start->folderType);

    const size_t before = Read(L"ffbdata.dat").size();
    ASSERT_TRUE(categories.ModifyCategory(added, *start, L"Doc2", L"C:\\b.txt", L"", false));
    EXPECT_EQ(Read(L"ffbdata.dat").size(), before);
    EXPECT_EQ(added->m_folderButtonPosition, -1);

    start = categories.PrepareModifyCategory(added);
    ASSERT_TRUE(start.has_value());
    ASSERT_TRUE(categories.ModifyCategory(added, *start, L"Tools", L"C:\\t\\", L"", true));
    EXPECT_EQ(added->m_folderButtonPosition, static_cast<int64_t>(before));
    const std::string buttons = Read(L"ffbdata.dat");
    ASSERT_EQ(buttons.size(), before + 2152);
    EXPECT_EQ(TextAt(buttons, before + 520), L"C:\\t\\");
    EXPECT_EQ(U32At(buttons, before + 2128), 2u);
    const std::string data = DataBytes();
    EXPECT_EQ(I64At(data, 12 + 3 * 1592 + 528), static_cast<int64_t>(before));

    // A position that is neither valid nor -1 cannot be modified.
    added->m_folderButtonPosition = 1 << 30;
    EXPECT_FALSE(categories.PrepareModifyCategory(added).has_value());
}

TEST_F(CategoriesTest, IconsFollowTheStoredTypes)
{
    Write(L"BData.sbd", kCategoryHeader + CategoryBytes(L"f", 1) + CategoryBytes(L"p", 2) + CategoryBytes(L"v", 3) +
                            CategoryBytes(L"c", 4) + CategoryBytes(L"d", 5) + CategoryBytes(L"doc", 6) +
                            CategoryBytes(L"odd", 9) + CategoryBytes(L"gone", 0x10001));
    CSideBarCategories& categories = Restart();
    ASSERT_TRUE(categories.LoadCategories());
    const auto& list = categories.Categories();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0]->m_iconIndex, 4);
    EXPECT_EQ(list[1]->m_iconIndex, 5);
    EXPECT_EQ(list[2]->m_iconIndex, 3);
    EXPECT_EQ(list[3]->m_iconIndex, 0);
    EXPECT_EQ(list[4]->m_iconIndex, 1);
    EXPECT_EQ(list[5]->m_iconIndex, 6);
    EXPECT_EQ(list[6]->m_iconIndex, -1);
    EXPECT_EQ(list[7]->m_iconIndex, 7);
    EXPECT_TRUE(list[0]->m_ownsIcon);
    EXPECT_FALSE(list[2]->m_ownsIcon);
    EXPECT_EQ(ImageList_GetImageCount(m_icons), 8);

    // Assigning again, or reloading, does not pile up icons; a list going away releases them.
    categories.AssignCategoryIcons();
    EXPECT_EQ(ImageList_GetImageCount(m_icons), 8);
    ASSERT_TRUE(categories.LoadCategories());
    EXPECT_EQ(ImageList_GetImageCount(m_icons), 8);
    m_categories.reset();
    EXPECT_EQ(ImageList_GetImageCount(m_icons), 4);

    // Without a shell icon a category shows the folder icon.
    m_shell.noIcons = true;
    CSideBarCategories& again = Restart();
    ASSERT_TRUE(again.LoadCategories());
    EXPECT_EQ(again.Categories()[0]->m_iconIndex, 2);
    EXPECT_FALSE(again.Categories()[0]->m_ownsIcon);
}
