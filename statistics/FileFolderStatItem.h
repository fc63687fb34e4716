#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/CObject.h"
#include "statistics/CFileFolderStatItemsList.h"
#include "statistics/FileTypeItem.h"

// One node of a statistics tree: the measured root, a folder, or the files
// of one extension directly in a folder. A folder node carries the totals of
// everything below it and their breakdown by extension. Destroying a node
// destroys its item, its breakdown and its whole subtree.
struct _tagFileFolderStatItem {
    static constexpr int kMaking = 0;
    static constexpr int kRoot = 1;
    static constexpr int kFolder = 2;
    static constexpr int kFileType = 4;

    _tagFileFolderStatItem();
    ~_tagFileFolderStatItem();
    _tagFileFolderStatItem(const _tagFileFolderStatItem&) = delete;
    _tagFileFolderStatItem& operator=(const _tagFileFolderStatItem&) = delete;

    std::uint64_t size = 0;
    std::wstring name;
    int folders = 0;
    int files = 0;
    std::wstring key; // a folder's full path, or a file-type node's extension
    std::vector<std::unique_ptr<_tagFileTypeItem>> types;
    int kind = kMaking;
    _tagFileFolderStatItem* parent = nullptr;
    // The node's shell item (a CShellItem; see StatShellItems.h for typed
    // access): a folder's own, or the first file of a file type.
    std::unique_ptr<CObject> item;
    CFileFolderStatItemsList children;
    int changed = 0;

    // The breakdown entry of an extension (as _wcsicmp compares), or null.
    _tagFileTypeItem* FindType(const std::wstring& extension) const;
    // Its position in types; types.size() when there is none.
    size_t FindTypeIndex(const std::wstring& extension) const;
    // The same for an extension already folded with FoldStatKey.
    size_t FindFoldedTypeIndex(const std::wstring& folded) const;
    // Appends a breakdown entry and indexes it.
    _tagFileTypeItem* AppendType(const _tagFileTypeItem& entry);

private:
    // Position in types of each folded extension (the first of equal ones).
    std::unordered_map<std::wstring, size_t> m_typeIndex;
};
