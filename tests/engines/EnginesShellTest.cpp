#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "filter/CFileFilter.h"
#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "harness/TestHarness.h"
#include "rename/RenameEngine.h"
#include "rename/RenameShellItems.h"
#include "shell/CShellItem.h"
#include "shell/ShellExports.h"
#include "statistics/StatShellItems.h"

using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;

namespace {

// The items of a folder as a view lists them: the folder bound from its
// absolute list, one CShellItem per enumerated child. The items share the
// folder's list, so the listing outlives them.
struct FolderListing {
    CPidl list;
    CComPtr<IShellFolder> folder;
    std::vector<std::unique_ptr<CShellItem>> items;

    // The item with the in-folder name, taken out of the listing.
    std::unique_ptr<CShellItem> Take(const std::wstring& name)
    {
        for (auto& item : items) {
            if (item && _wcsicmp(item->m_strInFolderName.c_str(), name.c_str()) == 0)
                return std::move(item);
        }
        return nullptr;
    }
};

std::unique_ptr<FolderListing> ListFolder(const std::wstring& path)
{
    auto listing = std::make_unique<FolderListing>();
    CComPtr<IShellFolder> desktop;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), listing->list.Receive(), nullptr)) ||
        FAILED(SHGetDesktopFolder(desktop.Receive())) ||
        FAILED(desktop->BindToObject(listing->list.Get(), nullptr, IID_IShellFolder, listing->folder.ReceiveVoid())))
        return listing;
    CComPtr<IEnumIDList> children;
    if (listing->folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                     children.Receive()) != S_OK)
        return listing;
    LPITEMIDLIST child = nullptr;
    while (children->Next(1, &child, nullptr) == S_OK) {
        CPidl owned(child);
        if (auto item = CreateChildItem(owned.Get(), listing->folder.Get(), listing->list.Get()))
            listing->items.push_back(std::move(item));
    }
    return listing;
}

TEST(EnginesShellTest, RenameItemsFromShellItems)
{
    TempFolder folder;
    folder.Write(L"Holiday.Photo.png", "x");
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"my.folder").c_str(), nullptr));
    auto listing = ListFolder(folder.Path());
    auto photo = listing->Take(L"Holiday.Photo.png");
    auto sub = listing->Take(L"my.folder");
    ASSERT_TRUE(photo && sub);

    const auto photoData = MakeRenameItem(*photo, RenameTimeKind::LastWrite);
    EXPECT_EQ(photoData.oldName, L"Holiday.Photo");
    EXPECT_EQ(photoData.oldExtension, L"png");
    EXPECT_EQ(photoData.kind, 1);
    EXPECT_EQ(photoData.previewKind, 2);
    EXPECT_EQ(_wcsicmp(photoData.folder.c_str(), folder.Path().c_str()), 0) << photoData.folder;
    EXPECT_EQ(photoData.item, photo.get());
    EXPECT_NE(photoData.time.wYear, 0);
    const auto subData = MakeRenameItem(*sub, RenameTimeKind::Creation);
    EXPECT_EQ(subData.oldName, L"my.folder");
    EXPECT_EQ(subData.kind, 2);

    RenameItems items = {photoData, subData};
    RenameSettings settings;
    settings.namePattern = L"[N]";
    ComputeNewNames(items, settings);
    EXPECT_TRUE(BuildMoveLists(items).sources.empty());
}

TEST(EnginesShellTest, StatisticsFromShellItems)
{
    TempFolder folder;
    folder.Write(L"a.txt", std::string(10, 'a'));
    folder.Write(L"b.TXT", std::string(20, 'b'));
    folder.Write(L"c", std::string(5, 'c'));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"d").c_str(), nullptr));
    folder.Write(L"d\\e.txt", "e");

    auto top = ListFolder(folder.Path());
    ASSERT_EQ(top->items.size(), 4u);
    auto below = ListFolder(folder.File(L"d"));
    // The root keeps the measured folder's own item, listed in its parent.
    const size_t slash = folder.Path().rfind(L'\\');
    auto parent = ListFolder(folder.Path().substr(0, slash));
    auto rootItem = parent->Take(folder.Path().substr(slash + 1));
    ASSERT_TRUE(rootItem);
    auto root = CreateStatRoot(std::move(rootItem));
    EXPECT_EQ(_wcsicmp(root->key.c_str(), folder.Path().c_str()), 0) << root->key;
    EXPECT_EQ(root->kind, _tagFileFolderStatItem::kRoot);
    EXPECT_NE(GetShellItem(root.get()), nullptr);
    _tagFileFolderStatItem* d = nullptr;
    for (const wchar_t* name : {L"a.txt", L"b.TXT", L"c", L"d"}) {
        std::unique_ptr<CShellItem> item = top->Take(name);
        CShellItem* raw = item.get();
        const StatAddResult result = AddScannedItem(root->children, item);
        ASSERT_NE(result.node, nullptr) << name;
        // Kept by the tree, or left with the caller.
        EXPECT_EQ(item == nullptr, !result.existed);
        if (!result.existed) {
            EXPECT_EQ(GetShellItem(result.node), raw);
        }
        if (std::wstring(name) == L"d")
            d = result.node;
    }
    ASSERT_NE(d, nullptr);
    std::unique_ptr<CShellItem> e = below->Take(L"e.txt");
    AddScannedItem(d->children, e);

    EXPECT_EQ(root->size, 36u);
    EXPECT_EQ(root->files, 4);
    EXPECT_EQ(root->folders, 1);
    ASSERT_EQ(root->types.size(), 2u);
    EXPECT_EQ(root->types[0]->count, 3);
    EXPECT_EQ(root->types[0]->size, 31u);
    EXPECT_EQ(d->size, 1u);
    EXPECT_EQ(GetShellItem(root->children.GetAt(0))->m_strInFolderName, L"a.txt");
    root.reset();
}

TEST(EnginesShellTest, FilterMatchesShellItems)
{
    MessageBoxRecorder boxes;
    TempFolder folder;
    folder.Write(L"a.TXT", std::string(2000, 'a'));
    folder.Write(L"b.doc", "b");
    folder.Write(L"c.docx", "c");
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"notes.txt").c_str(), nullptr));
    auto listing = ListFolder(folder.Path());
    CFileFilter filter;
    filter.AddText(L".txt", CFileFilterItem::kExtension);
    filter.AddText(L".doc", CFileFilterItem::kExtension);
    CFileFilter size;
    size.AddSize(1024, CFileFilterItem::kSize, CFileFilterItem::kGreater);
    const struct {
        const wchar_t* name;
        int extension;
        int size;
    } cases[] = {{L"a.TXT", 1, 1}, {L"b.doc", 1, 0}, {L"c.docx", 0, 0}, {L"notes.txt", 0, 1}};
    for (const auto& c : cases) {
        std::unique_ptr<CShellItem> item = listing->Take(c.name);
        ASSERT_TRUE(item) << c.name;
        EXPECT_EQ(filter.Match(item.get()), c.extension) << c.name;
        EXPECT_EQ(size.Match(item.get()), c.size) << c.name;
    }
    EXPECT_EQ(filter.Match(static_cast<CShellItem*>(nullptr)), 0);
    EXPECT_EQ(boxes.Count(), 0u);
}

} // namespace
