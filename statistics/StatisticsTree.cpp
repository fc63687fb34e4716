#include "statistics/StatisticsTree.h"

#include "app/ResourceStrings.h"
#include "app/TextHelpers.h"
#include "resources/ResourceIds.h"
#include "statistics/StatisticsLock.h"

namespace {

// Adds the file to one node's counters and breakdown; the caller holds the lock.
void AddFileToNode(_tagFileFolderStatItem* node, const StatItemFacts& facts, const std::wstring& extension,
                   const std::wstring& folded)
{
    node->files += 1;
    node->size += facts.size;
    node->changed = 1;
    const size_t index = node->FindFoldedTypeIndex(folded);
    if (index < node->types.size()) {
        node->types[index]->count += 1;
        node->types[index]->size += facts.size;
    } else {
        node->AppendType({extension, facts.typeName, 1, facts.size});
    }
}

} // namespace

std::wstring GetNoExtensionKey()
{
    // A resource does not change while the program runs.
    static const std::wstring key = LoadResourceString(IDS_STAT_NO_EXTENSION);
    return key;
}

std::wstring GetStatExtension(const std::wstring& path)
{
    return GetExtension(path.c_str());
}

std::unique_ptr<_tagFileFolderStatItem> CreateStatRoot(const std::wstring& path, const std::wstring& name)
{
    auto root = std::make_unique<_tagFileFolderStatItem>();
    root->key = path;
    root->name = name;
    root->kind = _tagFileFolderStatItem::kRoot;
    SetOwner(root->children, root.get());
    return root;
}

StatAddResult AddOrGet(CFileFolderStatItemsList& list, const std::wstring& key)
{
    if (key.empty())
        return {};
    if (_tagFileFolderStatItem* found = list.Find(key))
        return {found, true};
    return {list.Append(key), false};
}

StatAddResult AddScannedItem(CFileFolderStatItemsList& list, const StatItemFacts& facts, std::unique_ptr<CObject>& item)
{
    _tagFileFolderStatItem* owner = list.m_owner;
    if (facts.isFolder) {
        if (facts.isVirtual)
            return {};
        StatAddResult result = AddOrGet(list, facts.parsingName);
        if (result.node == nullptr)
            return result;
        if (!result.existed) {
            // A folder met again keeps its first item; the caller destroys the new one.
            result.node->name = facts.inFolderName;
            result.node->item = std::move(item);
            result.node->kind = _tagFileFolderStatItem::kFolder;
            result.node->parent = owner;
            SetOwner(result.node->children, result.node);
        }
        Aggregate(owner, facts);
        return result;
    }

    std::wstring key = GetStatExtension(facts.parsingName);
    if (key.empty())
        key = GetNoExtensionKey();
    StatAddResult result = AddOrGet(list, key);
    if (result.node == nullptr)
        return result;
    {
        std::lock_guard<std::recursive_mutex> guard(GetStatisticsLock());
        if (result.node->files > 0) {
            result.existed = true;
        } else {
            result.existed = false;
            result.node->kind = _tagFileFolderStatItem::kFileType;
            result.node->name = facts.typeName;
            result.node->item = std::move(item);
            result.node->parent = owner;
            SetOwner(result.node->children, result.node);
        }
        result.node->files += 1;
        result.node->size += facts.size;
    }
    Aggregate(owner, facts);
    return result;
}

void Aggregate(_tagFileFolderStatItem* node, const StatItemFacts& facts)
{
    if (facts.isFolder && facts.isVirtual)
        return;
    std::lock_guard<std::recursive_mutex> guard(GetStatisticsLock());
    if (facts.isFolder) {
        for (; node != nullptr; node = node->parent) {
            node->folders += 1;
            node->changed = 1;
        }
        return;
    }
    const std::wstring extension = GetStatExtension(facts.parsingName);
    const std::wstring folded = FoldStatKey(extension);
    for (; node != nullptr; node = node->parent)
        AddFileToNode(node, facts, extension, folded);
}

void SetOwner(CFileFolderStatItemsList& list, _tagFileFolderStatItem* node)
{
    list.m_owner = node;
    list.m_detached = false;
}

void Detach(_tagFileFolderStatItem* node)
{
    if (node == nullptr)
        return;
    std::lock_guard<std::recursive_mutex> guard(GetStatisticsLock());
    CFileFolderStatItemsList& list = node->children;
    list.m_owner = node;
    list.m_detached = true;
    list.m_savedParent = node->parent;
    node->parent = nullptr;
}

void Reattach(CFileFolderStatItemsList& list)
{
    std::lock_guard<std::recursive_mutex> guard(GetStatisticsLock());
    if (!list.m_detached)
        return;
    list.m_detached = false;
    _tagFileFolderStatItem* owner = list.m_owner;
    if (owner == nullptr)
        return;
    owner->parent = list.m_savedParent;
    if (owner->parent != nullptr)
        Merge(owner->parent, owner);
}

void Merge(_tagFileFolderStatItem* node, const _tagFileFolderStatItem* subtree)
{
    if (subtree == nullptr)
        return;
    std::lock_guard<std::recursive_mutex> guard(GetStatisticsLock());
    for (; node != nullptr; node = node->parent) {
        node->files += subtree->files;
        node->size += subtree->size;
        node->folders += subtree->folders;
        // Entries appended by this merge are not matched again.
        const size_t existing = node->types.size();
        for (const auto& entry : subtree->types) {
            const size_t index = node->FindTypeIndex(entry->extension);
            if (index < existing) {
                node->types[index]->count += entry->count;
                node->types[index]->size += entry->size;
            } else {
                node->AppendType(*entry);
            }
        }
    }
}

int GetCount(const CFileFolderStatItemsList& list)
{
    return list.GetCount();
}

_tagFileFolderStatItem* FindFileType(_tagFileFolderStatItem* node, const std::wstring& extension)
{
    if (node == nullptr)
        return nullptr;
    if (node->kind == _tagFileFolderStatItem::kFileType)
        return _wcsicmp(node->key.c_str(), extension.c_str()) == 0 ? node : nullptr;
    const std::wstring wanted = extension.empty() ? GetNoExtensionKey() : extension;
    for (const auto& child : node->children.Nodes()) {
        if (child->kind == _tagFileFolderStatItem::kFileType) {
            if (_wcsicmp(child->key.c_str(), wanted.c_str()) == 0)
                return child.get();
        } else if (_tagFileFolderStatItem* found = FindFileType(child.get(), extension)) {
            return found;
        }
    }
    return nullptr;
}
