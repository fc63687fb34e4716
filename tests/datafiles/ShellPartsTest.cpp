#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "DataFilesFixture.h"
#include "folderbuttons/CFileFolderBtnItem.h"
#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "harness/ShellTestSupport.h"
#include "shell/CShellItem.h"
#include "shell/ItemIDList.h"
#include "shell/ShellExports.h"
#include "sidebar/CCategoryShell.h"
#include "sidebar/CSideBarCategories.h"

// The parts that ask the real shell of the Wine prefix: path kinds, names
// and icons, the kind an adopted button takes from its shell item, and the
// default categories.

using shell_test::MakePathItem;
using shell_test::PathItem;

namespace {

const wchar_t* const kComputer = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

} // namespace

using ShellParts = DataFilesTest;

TEST_F(ShellParts, ClassifyPathTellsFoldersProgramsAndDocumentsApart)
{
    CreateDirectoryW(m_folder.File(L"sub").c_str(), nullptr);
    Write(L"notes.txt", "text");
    Write(L"tool.exe", "MZ");
    Write(L"noext", "x");
    struct Case {
        std::wstring path;
        int kind;
    };
    const Case cases[] = {
        {m_folder.File(L"sub"), 0},         {m_folder.Path(), 0},         {m_folder.File(L"notes.txt"), 1},
        {m_folder.File(L"tool.exe"), 2},    {m_folder.File(L"noext"), 1}, {kComputer, 3},
        {m_folder.File(L"missing.txt"), 1},
    };
    CCategoryShell shell;
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyPath(c.path), c.kind) << std::string(c.path.begin(), c.path.end());
        EXPECT_EQ(shell.ClassifyPath(c.path), c.kind);
    }
}

TEST_F(ShellParts, NamesIconsAndSpecialFolders)
{
    CCategoryShell shell;
    EXPECT_EQ(_wcsicmp(shell.SpecialFolderParsingName(CSIDL_DRIVES).c_str(), kComputer), 0);
    EXPECT_FALSE(shell.SpecialFolderParsingName(CSIDL_PERSONAL).empty());
    CreateDirectoryW(m_folder.File(L"Reports").c_str(), nullptr);
    std::wstring name;
    std::wstring type;
    ASSERT_TRUE(shell.PathNames(m_folder.File(L"Reports"), name, type));
    EXPECT_EQ(name, L"Reports");
    EXPECT_FALSE(type.empty());
    HICON icon = shell.PathIcon(m_folder.File(L"Reports"), 32);
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr)
        DestroyIcon(icon);
}

TEST_F(ShellParts, AdoptedButtonTakesItsKindFromTheShellItem)
{
    CreateDirectoryW(m_folder.File(L"sub").c_str(), nullptr);
    Write(L"notes.txt", "text");
    Write(L"tool.exe", "MZ");
    struct Case {
        std::wstring path;
        uint32_t kind;
    };
    const Case cases[] = {
        {m_folder.File(L"sub"), 1}, {m_folder.File(L"notes.txt"), 3}, {m_folder.File(L"tool.exe"), 4}, {kComputer, 2}};
    for (const Case& c : cases) {
        PathItem path = MakePathItem(c.path);
        ASSERT_NE(path.item, nullptr);
        CFileFolderBtnItem offered;
        FolderButtonRecord record;
        record.name = L"offered";
        record.path = c.path;
        offered.SetRecord(record);
        offered.SetShellItem(std::move(path.item));

        CFileFolderBtnItem item;
        item.AdoptRecord(offered);
        EXPECT_EQ(item.GetRecord().kind, c.kind);
        EXPECT_EQ(item.GetRecord().path, c.path);
        EXPECT_EQ(item.GetButtonData().caption, L"offered");
        EXPECT_EQ(item.GetButtonData().owner, &item);
        ASSERT_NE(item.GetShellItem(), nullptr);
        EXPECT_NE(item.GetShellItem(), offered.GetShellItem());
        EXPECT_EQ(item.GetShellItem()->m_strParsingName, offered.GetShellItem()->m_strParsingName);
    }
}

TEST_F(ShellParts, DefaultCategoriesWithTheRealShell)
{
    HIMAGELIST icons = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 6, 4);
    for (int i = 0; i < 4; ++i)
        ImageList_ReplaceIcon(icons, -1, LoadIconW(nullptr, IDI_WINLOGO));
    CCategoryShell shell;
    {
        CSideBarCategories categories(shell);
        categories.SetIconList(icons);
        ASSERT_TRUE(categories.LoadCategories());
        const auto& list = categories.Categories();
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0]->m_path, L"::");
        EXPECT_EQ(_wcsicmp(list[1]->m_path.c_str(), kComputer), 0);
        EXPECT_EQ(list[2]->m_path, shell.SpecialFolderParsingName(CSIDL_PERSONAL));

        CreateDirectoryW(m_folder.File(L"Work").c_str(), nullptr);
        CSideBarButton* work = categories.AddCategory(L"Work", m_folder.File(L"Work"),
                                                      ClassifyPath(m_folder.File(L"Work")), L"", true, false);
        ASSERT_NE(work, nullptr);
        EXPECT_EQ(work->StoredType(), 1u);
        EXPECT_TRUE(work->m_ownsIcon);
        EXPECT_EQ(ImageList_GetImageCount(icons), 5);
    }
    const std::string buttons = Read(L"ffbdata.dat");
    ASSERT_EQ(buttons.size(), 12u + 4 * 2152);
    EXPECT_EQ(TextAt(buttons, 12 + 3 * 2152), L"Work");
    EXPECT_FALSE(TextAt(buttons, 12 + 3 * 2152 + 1040).empty());
    EXPECT_EQ(m_boxes.Count(), 0u);
    EXPECT_EQ(ImageList_GetImageCount(icons), 4);
    ImageList_Destroy(icons);
}
