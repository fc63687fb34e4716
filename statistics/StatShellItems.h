#pragma once
#include <memory>

#include "statistics/StatisticsTree.h"

class CShellItem;

// The statistics tree over shell items: the facts it needs are read from the
// item, and the tree keeps the items it takes.

StatItemFacts GetStatFacts(CShellItem& item);

// The root node for the measured folder's item: its path as key, its
// in-folder name as name; the root keeps the item.
std::unique_ptr<_tagFileFolderStatItem> CreateStatRoot(std::unique_ptr<CShellItem> item);

// Enters an enumerated item into the folder node that owns the list. The
// tree takes the item when the result says it did not exist; otherwise the
// item stays in the caller's pointer and is destroyed with it.
StatAddResult AddScannedItem(CFileFolderStatItemsList& list, std::unique_ptr<CShellItem>& item);

// Adds one item to the totals of the node and its attached ancestors.
void Aggregate(_tagFileFolderStatItem* node, CShellItem& item);

// The shell item a node keeps; null when it keeps none.
CShellItem* GetShellItem(const _tagFileFolderStatItem* node);
