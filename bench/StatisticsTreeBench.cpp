// How fast the statistics tree is built, and what a node costs. Work:
// 200,000 made-up files entered as a scan enters them, in 20,000 folders:
// 15,000 folders of 10 files, one folder of 50,000 files with distinct
// extensions (so a file-type node per file), the rest empty. Baseline: a
// plain loop that sums the same sizes. Building half the tree as well shows
// whether the time per item grows with the tree (a quadratic step would).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "statistics/StatisticsTree.h"

namespace {

// Bytes handed out by operator new since the start (the counting
// allocator below), so a tree's own cost can be read off.
std::atomic<long long> g_allocated{0};

struct Plan {
    std::vector<StatItemFacts> folders; // folder i hangs below folder i / 200 - 1 (or the root)
    std::vector<std::vector<StatItemFacts>> files;
    size_t fileCount = 0;
};

Plan MakePlan(int folderCount, int smallFolders, int bigFolderFiles)
{
    static const wchar_t* const kExtensions[] = {L".txt", L".jpg", L".doc", L".c", L".h", L".png", L".mp3", L""};
    Plan plan;
    plan.files.resize(static_cast<size_t>(folderCount));
    for (int i = 0; i < folderCount; ++i) {
        StatItemFacts folder;
        folder.isFolder = true;
        folder.inFolderName = L"folder" + std::to_wstring(i);
        folder.parsingName = L"C:\\root\\" + folder.inFolderName;
        folder.typeName = L"File folder";
        plan.folders.push_back(folder);
        const int count = i < smallFolders ? 10 : (i == smallFolders ? bigFolderFiles : 0);
        for (int f = 0; f < count; ++f) {
            StatItemFacts file;
            const std::wstring extension =
                i == smallFolders ? L".x" + std::to_wstring(f) : std::wstring(kExtensions[f % 8]);
            file.inFolderName = L"file" + std::to_wstring(f) + extension;
            file.parsingName = folder.parsingName + L"\\" + file.inFolderName;
            file.typeName = L"Some file";
            file.size = static_cast<std::uint64_t>(1000 + f * 7 + i);
            plan.files[static_cast<size_t>(i)].push_back(file);
            ++plan.fileCount;
        }
    }
    return plan;
}

// Folders hang below one of 100 top folders, as in a real tree.
std::unique_ptr<_tagFileFolderStatItem> Build(const Plan& plan)
{
    auto root = CreateStatRoot(L"C:\\root", L"root");
    std::vector<_tagFileFolderStatItem*> nodes;
    nodes.reserve(plan.folders.size());
    for (size_t i = 0; i < plan.folders.size(); ++i) {
        _tagFileFolderStatItem* parent = i < 100 ? root.get() : nodes[i % 100];
        std::unique_ptr<CObject> item;
        nodes.push_back(AddScannedItem(parent->children, plan.folders[i], item).node);
    }
    for (size_t i = 0; i < plan.files.size(); ++i) {
        for (const auto& file : plan.files[i]) {
            std::unique_ptr<CObject> item;
            AddScannedItem(nodes[i]->children, file, item);
        }
    }
    return root;
}

size_t CountNodes(const _tagFileFolderStatItem* node)
{
    size_t count = 1;
    for (const auto& child : node->children.Nodes())
        count += CountNodes(child.get());
    return count;
}

} // namespace

void* operator new(size_t size)
{
    g_allocated += static_cast<long long>(size);
    if (void* block = HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}

void operator delete(void* block, size_t) noexcept
{
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}

int main()
{
    bench::PrintMessageBoxes();
    const Plan plan = MakePlan(20000, 15000, 50000);
    const Plan half = MakePlan(10000, 7500, 25000);

    volatile std::uint64_t sum = 0;
    const double loopSeconds = bench::Seconds([&] {
        std::uint64_t total = 0;
        for (const auto& folder : plan.files)
            for (const auto& file : folder)
                total += file.size;
        sum = total;
    });

    std::unique_ptr<_tagFileFolderStatItem> tree;
    const long long before = g_allocated.load();
    const double treeSeconds = bench::Seconds([&] { tree = Build(plan); });
    const long long bytes = g_allocated.load() - before;
    const size_t nodes = CountNodes(tree.get());
    const bool right = tree->size == sum && static_cast<size_t>(tree->files) == plan.fileCount &&
                       tree->folders == static_cast<int>(plan.folders.size());
    const double destroySeconds = bench::Seconds([&] { tree.reset(); });

    std::unique_ptr<_tagFileFolderStatItem> halfTree;
    const double halfSeconds = bench::Seconds([&] { halfTree = Build(half); });
    halfTree.reset();

    const double items = static_cast<double>(plan.fileCount + plan.folders.size());
    const double halfItems = static_cast<double>(half.fileCount + half.folders.size());
    std::printf("items: %zu files in %zu folders; tree nodes: %zu; totals %s\n", plan.fileCount, plan.folders.size(),
                nodes, right ? "match" : "DIFFER");
    std::printf("plain sum of sizes (baseline): %9.4f s\n", loopSeconds);
    std::printf("statistics tree build:         %9.4f s  (%.2f us per item)\n", treeSeconds, treeSeconds * 1e6 / items);
    std::printf("statistics tree destruction:   %9.4f s\n", destroySeconds);
    std::printf("memory: %lld bytes allocated for the tree, %.0f bytes per node\n", bytes,
                static_cast<double>(bytes) / static_cast<double>(nodes));
    std::printf("statistics tree ratio to plain sum: %.1f\n", treeSeconds / loopSeconds);
    std::printf("statistics scaling ratio (time per item, full tree / half tree): %.2f\n",
                (treeSeconds / items) / (halfSeconds / halfItems));
    return right ? 0 : 1;
}
