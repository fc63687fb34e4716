#include "statistics/StatisticsTree.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// An item the tree can own; counts the live ones.
struct FakeItem : CObject {
    FakeItem() { ++alive; }
    ~FakeItem() override { --alive; }
    static inline int alive = 0;
};

StatItemFacts File(const std::wstring& path, std::uint64_t size, const std::wstring& typeName = L"Text")
{
    StatItemFacts facts;
    facts.parsingName = path;
    facts.inFolderName = path.substr(path.rfind(L'\\') + 1);
    facts.typeName = typeName;
    facts.size = size;
    return facts;
}

StatItemFacts Folder(const std::wstring& path)
{
    StatItemFacts facts = File(path, 0, L"Folder");
    facts.isFolder = true;
    return facts;
}

// Enters an item as a scan does; the caller's item is destroyed when the
// tree does not keep it.
StatAddResult Enter(_tagFileFolderStatItem* folder, const StatItemFacts& facts)
{
    std::unique_ptr<CObject> item = std::make_unique<FakeItem>();
    const StatAddResult result = AddScannedItem(folder->children, facts, item);
    EXPECT_EQ(item == nullptr, result.node != nullptr && !result.existed);
    return result;
}

TEST(StatisticsTreeTest, ExampleTreeTotals)
{
    {
        auto root = CreateStatRoot(L"C:\\r", L"r");
        Enter(root.get(), File(L"C:\\r\\a.txt", 10));
        Enter(root.get(), File(L"C:\\r\\b.TXT", 20));
        Enter(root.get(), File(L"C:\\r\\c", 5, L"File"));
        _tagFileFolderStatItem* d = Enter(root.get(), Folder(L"C:\\r\\d")).node;
        ASSERT_NE(d, nullptr);
        Enter(d, File(L"C:\\r\\d\\e.txt", 1));
        StatItemFacts virtualFolder = Folder(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
        virtualFolder.isVirtual = true;
        EXPECT_EQ(Enter(root.get(), virtualFolder).node, nullptr);

        EXPECT_EQ(root->size, 36u);
        EXPECT_EQ(root->files, 4);
        EXPECT_EQ(root->folders, 1);
        EXPECT_EQ(root->changed, 1);
        ASSERT_EQ(root->types.size(), 2u);
        EXPECT_EQ(root->types[0]->extension, L".txt");
        EXPECT_EQ(root->types[0]->count, 3);
        EXPECT_EQ(root->types[0]->size, 31u);
        EXPECT_EQ(root->types[1]->extension, L"");
        EXPECT_EQ(root->types[1]->count, 1);
        EXPECT_EQ(root->types[1]->size, 5u);

        ASSERT_EQ(GetCount(root->children), 3);
        const _tagFileFolderStatItem* text = root->children.GetAt(0);
        EXPECT_EQ(text->kind, _tagFileFolderStatItem::kFileType);
        EXPECT_EQ(text->key, L".txt");
        EXPECT_EQ(text->files, 2);
        EXPECT_EQ(text->size, 30u);
        EXPECT_EQ(text->parent, root.get());
        const _tagFileFolderStatItem* none = root->children.GetAt(1);
        EXPECT_EQ(none->key, GetNoExtensionKey());
        EXPECT_EQ(none->name, L"File");
        EXPECT_EQ(none->files, 1);
        EXPECT_EQ(none->size, 5u);
        EXPECT_EQ(root->children.GetAt(2), d);
        EXPECT_EQ(d->kind, _tagFileFolderStatItem::kFolder);
        EXPECT_EQ(d->name, L"d");
        EXPECT_EQ(d->size, 1u);
        EXPECT_EQ(d->files, 1);
        EXPECT_EQ(d->folders, 0);

        // Kept: one item per file type and per folder.
        EXPECT_EQ(FakeItem::alive, 4);
        EXPECT_EQ(FindFileType(root.get(), L".TXT"), text);
        EXPECT_EQ(FindFileType(root.get(), L""), none);
        EXPECT_EQ(FindFileType(d, L".txt"), d->children.GetAt(0));
        EXPECT_EQ(FindFileType(root.get(), L".doc"), nullptr);
        EXPECT_EQ(FindFileType(d->children.GetAt(0), L".TxT"), d->children.GetAt(0));
    }
    EXPECT_EQ(FakeItem::alive, 0);
}

TEST(StatisticsTreeTest, AddOrGetKeys)
{
    CFileFolderStatItemsList list;
    EXPECT_EQ(AddOrGet(list, L"").node, nullptr);
    const StatAddResult first = AddOrGet(list, L"C:\\A");
    EXPECT_FALSE(first.existed);
    const StatAddResult again = AddOrGet(list, L"c:\\a");
    EXPECT_TRUE(again.existed);
    EXPECT_EQ(again.node, first.node);
    EXPECT_EQ(first.node->kind, 0);
    const StatAddResult second = AddOrGet(list, L"C:\\B");
    EXPECT_EQ(second.node, list.GetAt(1));
    EXPECT_EQ(GetCount(list), 2);
}

TEST(StatisticsTreeTest, DetachedChainIsCountedOnce)
{
    auto root = CreateStatRoot(L"C:\\r", L"r");
    _tagFileFolderStatItem* parent = Enter(root.get(), Folder(L"C:\\r\\p")).node;
    Detach(parent);
    _tagFileFolderStatItem* child = Enter(parent, Folder(L"C:\\r\\p\\c")).node;
    Detach(child);
    Enter(child, File(L"C:\\r\\p\\c\\x.gz", 100));
    Enter(child, File(L"C:\\r\\p\\c\\y.GZ", 50));
    Enter(parent, File(L"C:\\r\\p\\z.txt", 7));
    EXPECT_EQ(parent->size, 7u);
    EXPECT_EQ(root->size, 0u);

    Reattach(child->children);
    EXPECT_EQ(child->parent, parent);
    EXPECT_EQ(parent->size, 157u);
    EXPECT_EQ(parent->files, 3);
    EXPECT_EQ(root->size, 0u);
    Reattach(child->children); // not detached any more: nothing changes
    EXPECT_EQ(parent->size, 157u);

    Reattach(parent->children);
    EXPECT_EQ(root->size, 157u);
    EXPECT_EQ(root->files, 3);
    EXPECT_EQ(root->folders, 2);
    ASSERT_EQ(root->types.size(), 2u);
    EXPECT_EQ(root->types[0]->extension, L".txt");
    EXPECT_EQ(root->types[1]->extension, L".gz");
    EXPECT_EQ(root->types[1]->count, 2);
    EXPECT_EQ(root->types[1]->size, 150u);
}

TEST(StatisticsTreeTest, ThreadsFillingDetachedSubtrees)
{
    constexpr int kThreads = 4;
    constexpr int kFilesPerFolder = 300;
    auto fill = [](_tagFileFolderStatItem* folder, const std::wstring& path, int seed) {
        for (int i = 0; i < kFilesPerFolder; ++i) {
            const std::wstring extension = L".e" + std::to_wstring((i + seed) % 7);
            Enter(folder, File(path + L"\\f" + std::to_wstring(i) + extension, static_cast<std::uint64_t>(i + 1)));
        }
    };
    auto build = [&](bool threaded) {
        auto root = CreateStatRoot(L"C:\\r", L"r");
        std::vector<_tagFileFolderStatItem*> folders;
        for (int t = 0; t < kThreads; ++t) {
            const std::wstring path = L"C:\\r\\s" + std::to_wstring(t);
            folders.push_back(Enter(root.get(), Folder(path)).node);
            Enter(root.get(), File(L"C:\\r\\top" + std::to_wstring(t) + L".e1", 3));
        }
        if (threaded) {
            std::vector<std::thread> workers;
            for (int t = 0; t < kThreads; ++t) {
                Detach(folders[static_cast<size_t>(t)]);
                workers.emplace_back([&, t] {
                    _tagFileFolderStatItem* folder = folders[static_cast<size_t>(t)];
                    const std::wstring path = L"C:\\r\\s" + std::to_wstring(t);
                    _tagFileFolderStatItem* sub = Enter(folder, Folder(path + L"\\deep")).node;
                    fill(sub, path + L"\\deep", t);
                    fill(folder, path, t);
                    Reattach(folder->children);
                });
            }
            for (auto& worker : workers)
                worker.join();
        } else {
            for (int t = 0; t < kThreads; ++t) {
                const std::wstring path = L"C:\\r\\s" + std::to_wstring(t);
                _tagFileFolderStatItem* sub = Enter(folders[static_cast<size_t>(t)], Folder(path + L"\\deep")).node;
                fill(sub, path + L"\\deep", t);
                fill(folders[static_cast<size_t>(t)], path, t);
            }
        }
        return root;
    };
    const auto single = build(false);
    const auto threaded = build(true);
    EXPECT_EQ(threaded->size, single->size);
    EXPECT_EQ(threaded->files, single->files);
    EXPECT_EQ(threaded->folders, single->folders);
    EXPECT_EQ(single->folders, 2 * kThreads);
    ASSERT_EQ(threaded->types.size(), single->types.size());
    for (const auto& entry : single->types) {
        const _tagFileTypeItem* other = threaded->FindType(entry->extension);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->count, entry->count);
        EXPECT_EQ(other->size, entry->size);
    }
}

} // namespace
