#pragma once
#include <memory>
#include <string>

#include "statistics/FileFolderStatItem.h"
#include "statistics/StatItemFacts.h"

// Building and combining statistics trees. Every change of a node's counters
// and breakdown is made under the statistics lock (StatisticsLock.h).

// A new root node for the measured folder: kind root, its child list owned
// by it.
std::unique_ptr<_tagFileFolderStatItem> CreateStatRoot(const std::wstring& path, const std::wstring& name);

// The result of AddOrGet and AddScannedItem.
struct StatAddResult {
    _tagFileFolderStatItem* node = nullptr;
    bool existed = false;
};

// The child with the key (compared as _wcsicmp does), or a new child with
// that key appended. An empty key gives no node.
StatAddResult AddOrGet(CFileFolderStatItemsList& list, const std::wstring& key);

// Enters one enumerated item into the folder node that owns the list and
// adds it to the totals up the tree. A virtual folder is not entered (no
// node). The tree takes the item when the result says it did not exist;
// otherwise the item stays with the caller, who destroys it.
StatAddResult AddScannedItem(CFileFolderStatItemsList& list, const StatItemFacts& facts,
                             std::unique_ptr<CObject>& item);

// Adds one item to the totals of the node and of every attached ancestor.
void Aggregate(_tagFileFolderStatItem* node, const StatItemFacts& facts);

// Detaching: a subtree is filled apart from its ancestors and added to them
// once, when it is complete.
void SetOwner(CFileFolderStatItemsList& list, _tagFileFolderStatItem* node);
void Detach(_tagFileFolderStatItem* node);
void Reattach(CFileFolderStatItemsList& list);
// Adds the subtree's totals and breakdown to the node and its ancestors.
void Merge(_tagFileFolderStatItem* node, const _tagFileFolderStatItem* subtree);

int GetCount(const CFileFolderStatItemsList& list);

// The file-type node of an extension in a subtree, depth first; an empty
// extension finds the node of files without one. Null when there is none.
_tagFileFolderStatItem* FindFileType(_tagFileFolderStatItem* node, const std::wstring& extension);

// The key of the node for files without an extension.
std::wstring GetNoExtensionKey();

// The extension of a path as the statistics group files: from the last "."
// after which neither a backslash nor a blank follows, dot included.
std::wstring GetStatExtension(const std::wstring& path);
