#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "harness/ShellTestSupport.h"
#include "harness/TestHarness.h"
#include "shell/CShellItem.h"
#include "shell/ItemIDList.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"

using shell_test::MakePathItem;
using shell_test::SamePath;
using testing_support::TempFolder;

namespace {

// A temporary folder with a five-byte file, a hidden file and a sub-folder.
class ShellItemTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_temp.Write(L"file.txt", "hello");
        m_temp.Write(L"hidden.txt", "h");
        SetFileAttributesW(m_temp.File(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        CreateDirectoryW(m_temp.File(L"sub").c_str(), nullptr);
        m_temp.Write(L"sub\\inner.txt", "in");
    }
    TempFolder m_temp;
};

TEST_F(ShellItemTest, FileItemNamesAttributesAndFindData)
{
    auto made = MakePathItem(m_temp.File(L"file.txt"));
    ASSERT_TRUE(made.item);
    CShellItem& item = *made.item;
    EXPECT_TRUE(SamePath(item.m_strParsingName, m_temp.File(L"file.txt")));
    EXPECT_EQ(item.m_strInFolderName.rfind(L"file", 0), 0u);
    EXPECT_FALSE(item.m_strDisplayName.empty());
    EXPECT_TRUE(item.m_bAttributesLoaded);
    EXPECT_FALSE(item.IsFolder(false));
    EXPECT_FALSE(item.IsFolder(true));
    EXPECT_FALSE(item.IsVirtual());
    EXPECT_TRUE(item.IsFileSystem());
    EXPECT_FALSE(item.IsHidden());
    EXPECT_FALSE(item.IsLink());
    EXPECT_TRUE(item.CanCopy());
    EXPECT_TRUE(item.CanRename());
    EXPECT_TRUE(item.CanDelete());
    EXPECT_EQ(item.GetFileSize(), 5u);
    WIN32_FIND_DATAW data = {};
    ASSERT_TRUE(item.GetFindData(data));
    EXPECT_TRUE(SamePath(data.cFileName, L"file.txt"));
    EXPECT_GE(item.m_nIconIndex, 0);
    EXPECT_GE(item.m_nSelectedIconIndex, 0);
    // The lists: one relative ID, the parent's list shared, not owned.
    EXPECT_EQ(GetItemIDCount(item.m_pidlRelative.Get()), 1u);
    EXPECT_EQ(item.m_pidlParent.Get(), made.parentList.Get());
    EXPECT_FALSE(item.OwnsParentIDList());
    EXPECT_FALSE(item.m_bOwnsParentFolder);
    EXPECT_TRUE(SamePath(GetParsingName(item.m_pidlAbsolute.Get()), item.m_strParsingName));
    EXPECT_TRUE(SamePath(GetParentParsingName(item.m_pidlAbsolute.Get()), m_temp.Path()));
    EXPECT_FALSE(item.IsDrive());
}

TEST_F(ShellItemTest, HiddenFileAndFolderItems)
{
    auto hidden = MakePathItem(m_temp.File(L"hidden.txt"));
    ASSERT_TRUE(hidden.item);
    EXPECT_TRUE(hidden.item->IsHidden());
    SetFileAttributesW(m_temp.File(L"file.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    auto readOnly = MakePathItem(m_temp.File(L"file.txt"));
    SetFileAttributesW(m_temp.File(L"file.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(readOnly.item);
    EXPECT_TRUE(readOnly.item->IsReadOnly());
    EXPECT_FALSE(readOnly.item->IsHidden());
    EXPECT_FALSE(hidden.item->IsFolder());

    auto folder = MakePathItem(m_temp.File(L"sub"));
    ASSERT_TRUE(folder.item);
    EXPECT_TRUE(folder.item->IsFolder(false));
    EXPECT_TRUE(folder.item->IsFolder(true));
    EXPECT_FALSE(folder.item->IsVirtual());
    EXPECT_TRUE(folder.item->IsFileSystem());
    EXPECT_EQ(folder.item->GetFileAttributes() & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
    int open = -1;
    int closed = -1;
    folder.item->GetIconIndexes(nullptr, &open, true);
    folder.item->GetIconIndexes(nullptr, &closed, false);
    EXPECT_GE(open, 0);
    EXPECT_EQ(closed, folder.item->m_nIconIndex);
    EXPECT_EQ(folder.item->BindToFolder(), S_OK);
    ASSERT_TRUE(folder.item->m_pFolder);
    EXPECT_EQ(folder.item->BindToFolder(), S_FALSE); // already bound
    EXPECT_TRUE(SamePath(folder.item->GetTargetFolderPath(), m_temp.File(L"sub")));
}

TEST_F(ShellItemTest, ComputerFolderIsVirtualAndAPlainFolderOnly)
{
    CPidl computer;
    ASSERT_EQ(GetSpecialFolderIDList(CSIDL_DRIVES, computer), 1);
    const CPidl desktopList = CopyParentIDList(computer.Get());
    auto item = CreateChildItem(computer.Get(), nullptr, desktopList.Get());
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->m_bOwnsParentFolder); // the desktop folder was bound for it
    EXPECT_EQ(item->m_strParsingName.rfind(L"::", 0), 0u);
    EXPECT_FALSE(item->m_strDisplayName.empty());
    EXPECT_TRUE(item->IsVirtual());
    EXPECT_FALSE(item->IsFileSystem());
    EXPECT_EQ(item->GetFileAttributes(), 0u);
    // Unreadable file attributes count as a folder; the strict test wants the file system too.
    EXPECT_TRUE(item->IsFolder(false));
    EXPECT_FALSE(item->IsFolder(true));
    EXPECT_EQ(GetSpecialFolderParsingName(CSIDL_DRIVES), item->m_strParsingName);
}

TEST_F(ShellItemTest, DriveOfTheComputerFolder)
{
    CPidl drive;
    ASSERT_TRUE(SUCCEEDED(SHParseDisplayName(L"C:\\", nullptr, drive.Receive(), 0, nullptr)));
    const CPidl computerList = CopyParentIDList(drive.Get());
    CComPtr<IShellFolder> computer;
    ASSERT_TRUE(SUCCEEDED(SHBindToParent(drive.Get(), IID_IShellFolder, computer.ReceiveVoid(), nullptr)));
    CPidl child(ShellILClone(ShellILFindLastID(drive.Get())));
    auto item = CreateChildItem(child.Get(), computer.Get(), computerList.Get());
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->IsFolder(true));
    EXPECT_FALSE(item->IsVirtual());
    // Wine's shell does not give the description id that tells drives from
    // other objects of the computer folder, so IsDrive is only checked to
    // agree with the list form there; on Windows drive C: is a drive.
    EXPECT_EQ(item->IsDrive(), IsDriveIDList(computer.Get(), child.Get()));
    EXPECT_FALSE(IsDriveIDList(nullptr, child.Get()));
}

TEST_F(ShellItemTest, DesktopItemAnswersThroughItsOwnFolder)
{
    auto desktop = shell_test::MakeDesktopItem();
    ASSERT_TRUE(desktop);
    EXPECT_FALSE(desktop->m_strParsingName.empty());
    EXPECT_FALSE(desktop->m_strDisplayName.empty());
    EXPECT_TRUE(desktop->IsFolder(false));
    int first = -2;
    int second = -2;
    desktop->GetIconIndexes(&first, &second, false);
    EXPECT_GE(second, 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(GetSpecialFolderParsingName(CSIDL_DESKTOP), desktop->m_strParsingName);
}

TEST_F(ShellItemTest, ParsingNameWithColonsMakesAnyItemVirtual)
{
    auto folder = MakePathItem(m_temp.File(L"sub"));
    ASSERT_TRUE(folder.item);
    EXPECT_FALSE(folder.item->IsVirtual());
    folder.item->m_strParsingName = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    EXPECT_TRUE(folder.item->IsVirtual());
    EXPECT_TRUE(folder.item->m_bVirtual);
    folder.item->m_strParsingName = L":x";
    folder.item->m_bVirtual = FALSE;
    EXPECT_FALSE(folder.item->IsVirtual());
}

// The folder tests weigh the shell's flags against the file system's: a
// folder whose attributes cannot be read stays a folder, an object the shell
// presents as a folder but the file system calls a file (an archive) is not.
TEST_F(ShellItemTest, FolderTestsWeighShellFlagsAgainstTheFileSystem)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* parsingName; // replaces the real one when given
        BOOL shellFolder;
        BOOL fileSystem;
        bool plain;
        bool strict;
    } cases[] = {
        {L"sub", nullptr, TRUE, TRUE, true, true},
        {L"sub", L"Q:\\disconnected\\share", TRUE, TRUE, true, true},
        {L"sub", L"Q:\\disconnected\\share", TRUE, FALSE, true, false},
        {L"file.txt", nullptr, TRUE, TRUE, false, false}, // an archive shown as a folder
        {L"file.txt", nullptr, FALSE, TRUE, false, false},
        {L"sub", nullptr, FALSE, TRUE, false, false},
    };
    for (const Case& c : cases) {
        auto made = MakePathItem(m_temp.File(c.name));
        ASSERT_TRUE(made.item);
        if (c.parsingName != nullptr)
            made.item->m_strParsingName = c.parsingName;
        made.item->m_bFolder = c.shellFolder;
        made.item->m_bFileSystem = c.fileSystem;
        EXPECT_EQ(made.item->IsFolder(false), c.plain) << c.name << " " << (c.parsingName ? "unreadable" : "");
        EXPECT_EQ(made.item->IsFolder(true), c.strict) << c.name << " " << (c.parsingName ? "unreadable" : "");
    }
}

TEST_F(ShellItemTest, ResetRelativeNameFollowsARealRename)
{
    auto made = MakePathItem(m_temp.File(L"file.txt"));
    ASSERT_TRUE(made.item);
    CShellItem& item = *made.item;
    ASSERT_TRUE(MoveFileW(m_temp.File(L"file.txt").c_str(), m_temp.File(L"renamed.txt").c_str()));
    ASSERT_TRUE(item.ResetRelativeName(L"renamed.txt"));
    EXPECT_TRUE(SamePath(item.m_strParsingName, m_temp.File(L"renamed.txt")));
    EXPECT_EQ(item.m_strInFolderName.rfind(L"renamed", 0), 0u);
    EXPECT_TRUE(SamePath(GetParsingName(item.m_pidlAbsolute.Get()), m_temp.File(L"renamed.txt")));
    EXPECT_TRUE(item.m_bAttributesLoaded);
    EXPECT_TRUE(item.CanRename());
    EXPECT_EQ(item.GetFileSize(), 5u);

    // A name that does not parse changes nothing.
    const std::wstring before = item.m_strParsingName;
    EXPECT_FALSE(item.ResetRelativeName(L"no\\such\\file.txt"));
    EXPECT_EQ(item.m_strParsingName, before);
}

TEST_F(ShellItemTest, CloneWorksOnAnotherThread)
{
    auto folder = MakePathItem(m_temp.File(L"sub"));
    ASSERT_TRUE(folder.item);
    const CShellItem* source = folder.item.get();
    std::wstring clonedName;
    std::wstring firstChild;
    bool ownsEverything = false;
    bool loadedAfterClone = true;
    testing_support::RunOnThread([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            std::unique_ptr<CShellItem> clone = source->Clone();
            if (clone) {
                clonedName = clone->m_strParsingName;
                loadedAfterClone = clone->m_bAttributesLoaded != FALSE;
                ownsEverything = clone->m_bOwnsParentFolder && clone->OwnsParentIDList() &&
                                 clone->m_pidlParent.Get() != source->m_pidlParent.Get() && clone->m_pFolder &&
                                 clone->IsFolder(true);
                CComPtr<IEnumIDList> children;
                if (SUCCEEDED(clone->m_pFolder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, children.Receive())) &&
                    children) {
                    CPidl child;
                    if (children->Next(1, child.Receive(), nullptr) == S_OK)
                        firstChild = GetDisplayNameOf(clone->m_pFolder.Get(), child.Get(), SHGDN_INFOLDER);
                }
            }
        }
        CoUninitialize();
    });
    EXPECT_TRUE(SamePath(clonedName, m_temp.File(L"sub")));
    EXPECT_FALSE(loadedAfterClone);
    EXPECT_TRUE(ownsEverything);
    EXPECT_EQ(firstChild.rfind(L"inner", 0), 0u);

    // A file has no folder of its own to bind, so it does not clone.
    auto file = MakePathItem(m_temp.File(L"file.txt"));
    ASSERT_TRUE(file.item);
    EXPECT_FALSE(file.item->Clone());
}

TEST_F(ShellItemTest, CopyFromOutlivesTheOriginal)
{
    auto folder = MakePathItem(m_temp.File(L"sub"));
    ASSERT_TRUE(folder.item);
    ASSERT_EQ(folder.item->BindToFolder(), S_OK);
    auto child = MakePathItem(m_temp.File(L"sub\\inner.txt"));
    folder.item->m_children.push_back(child.item.get());
    folder.item->m_nThumbnailState = 2;

    CShellItem copy;
    copy.CopyFrom(*folder.item);
    folder.item.reset(); // the original's children are not destroyed with it
    EXPECT_TRUE(child.item->IsFileSystem());

    EXPECT_TRUE(SamePath(copy.m_strParsingName, m_temp.File(L"sub")));
    EXPECT_EQ(copy.m_nThumbnailState, 0);
    EXPECT_FALSE(copy.m_bOwnsParentFolder);
    EXPECT_TRUE(copy.m_bAttributesLoaded);
    EXPECT_TRUE(copy.IsFolder(true));
    ASSERT_TRUE(copy.m_pFolder);
    CComPtr<IEnumIDList> children;
    EXPECT_TRUE(SUCCEEDED(copy.m_pFolder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, children.Receive())));
    ASSERT_EQ(copy.m_children.size(), 1u);
    EXPECT_NE(copy.m_children.front(), child.item.get());
    EXPECT_EQ(copy.m_children.front()->m_strParsingName, child.item->m_strParsingName);
    EXPECT_EQ(copy.m_pidlParent.Get(), folder.parentList.Get());
    EXPECT_FALSE(copy.OwnsParentIDList());

    // A copy of an item that owns its parent's list (a clone) keeps a list of
    // its own, so it outlives the clone.
    auto again = MakePathItem(m_temp.File(L"sub"));
    ASSERT_TRUE(again.item);
    std::unique_ptr<CShellItem> clone = again.item->Clone();
    ASSERT_TRUE(clone);
    CShellItem copyOfClone;
    copyOfClone.CopyFrom(*clone);
    EXPECT_TRUE(copyOfClone.OwnsParentIDList());
    EXPECT_NE(copyOfClone.m_pidlParent.Get(), clone->m_pidlParent.Get());
    clone.reset();
    EXPECT_TRUE(SamePath(GetParsingName(copyOfClone.m_pidlParent.Get()), m_temp.Path()));
    EXPECT_TRUE(copyOfClone.ResetRelativeName(L"sub"));
    EXPECT_TRUE(SamePath(GetParsingName(copyOfClone.m_pidlAbsolute.Get()), m_temp.File(L"sub")));
}

TEST_F(ShellItemTest, DeleteShellItemListEmptiesTheList)
{
    CShellItemList list;
    for (const wchar_t* name : {L"file.txt", L"sub"}) {
        auto made = MakePathItem(m_temp.File(name));
        ASSERT_TRUE(made.item);
        made.item->m_pidlParent.Own(std::move(made.parentList)); // outlives this loop
        list.push_back(made.item.release());
    }
    DeleteShellItemList(&list);
    EXPECT_TRUE(list.empty());
    DeleteShellItemList(nullptr);
}

TEST_F(ShellItemTest, TargetFolderOfADocumentIsItsFolder)
{
    auto file = MakePathItem(m_temp.File(L"file.txt"));
    ASSERT_TRUE(file.item);
    EXPECT_TRUE(SamePath(file.item->GetTargetFolderPath(), m_temp.Path()));
}

TEST(ShellHelpersTest, NamesAndAttributesOfPaths)
{
    TempFolder temp;
    temp.Write(L"doc.txt", "x");
    EXPECT_TRUE(TestPathAttributes(temp.Path(), SFGAO_FOLDER | SFGAO_FILESYSTEM));
    EXPECT_FALSE(TestPathAttributes(temp.File(L"doc.txt"), SFGAO_FOLDER));
    EXPECT_TRUE(TestPathAttributes(temp.File(L"doc.txt"), SFGAO_FILESYSTEM));
    EXPECT_FALSE(TestPathAttributes(temp.File(L"missing.txt"), SFGAO_FILESYSTEM));
    EXPECT_FALSE(TestPathAttributes(L"", 0));

    EXPECT_EQ(GetPathDisplayName(temp.File(L"doc.txt"), SHGDN_INFOLDER).rfind(L"doc", 0), 0u);
    EXPECT_TRUE(SamePath(GetPathDisplayName(temp.File(L"doc.txt"), SHGDN_FORPARSING), temp.File(L"doc.txt")));
    EXPECT_EQ(GetPathDisplayName(L"", SHGDN_NORMAL), L"");
    // A virtual object's parsing name goes through the desktop's parsing.
    const std::wstring computer = GetSpecialFolderParsingName(CSIDL_DRIVES);
    EXPECT_FALSE(GetPathDisplayName(computer, SHGDN_NORMAL).empty());
    EXPECT_EQ(GetParsingName(nullptr), L"");
    EXPECT_EQ(GetDisplayNameOf(nullptr, nullptr, SHGDN_NORMAL), L"");

    CPidl computerList;
    EXPECT_EQ(GetSpecialFolderIDList(0x7FFF, computerList), 0);
    EXPECT_FALSE(computerList);
    EXPECT_EQ(GetSpecialFolderParsingName(0x7FFF), L"");
    ASSERT_EQ(GetSpecialFolderIDList(CSIDL_DRIVES, computerList), 1);
    EXPECT_TRUE(TestIDListAttributes(computerList.Get(), SFGAO_FOLDER));
    EXPECT_FALSE(TestIDListAttributes(computerList.Get(), SFGAO_FOLDER | SFGAO_FILESYSTEM));
    EXPECT_FALSE(TestIDListAttributes(nullptr, SFGAO_FOLDER));
}

TEST(ShellHelpersTest, ExecutableKinds)
{
    struct Case {
        const wchar_t* path;
        bool shellSaysExecutable;
        int kind;
    } cases[] = {
        {L"C:\\tools\\prog.exe", true, kExecutableProgram},  {L"C:\\tools\\PROG.EXE", true, kExecutableProgram},
        {L"C:\\tools\\lib.dll", true, kExecutableLibrary},   {L"C:\\tools\\run.bat", true, kExecutableOther},
        {L"C:\\tools\\noextension", true, kExecutableOther}, {L"C:\\tools\\prog.exe", false, kNotExecutable},
        {L"C:\\tools.exe\\name", true, kExecutableOther},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExecutableKindOf(c.path, c.shellSaysExecutable), c.kind) << c.path;

    // What the shell itself calls a program. Its list of runnable extensions
    // does not hold ".dll", so the library kind is reached through the table
    // above only.
    EXPECT_EQ(GetExecutableKind(L"C:\\tools\\prog.exe"), kExecutableProgram);
    EXPECT_EQ(GetExecutableKind(L"C:\\tools\\run.bat"), kExecutableOther);
    EXPECT_EQ(GetExecutableKind(L"C:\\tools\\letter.txt"), kNotExecutable);
    EXPECT_EQ(GetExecutableKind(L"C:\\tools\\noextension"), kNotExecutable);
    EXPECT_EQ(GetExecutableKind(L""), kNotExecutable);
}

} // namespace
