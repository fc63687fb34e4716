#pragma once
#include "rename/MultiRenameItem.h"

class CShellItem;

// Fills a rename item from a shell item: its in-folder name, parsing name,
// folder and link tests, and the chosen file time. The item is kept, not owned.
_tagMultiRenameItemData MakeRenameItem(CShellItem& item, RenameTimeKind timeKind);
