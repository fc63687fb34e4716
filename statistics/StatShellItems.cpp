#include "statistics/StatShellItems.h"

#include "shell/CShellItem.h"

StatItemFacts GetStatFacts(CShellItem& item)
{
    StatItemFacts facts;
    facts.isFolder = item.IsFolder();
    facts.isVirtual = facts.isFolder && item.IsVirtual();
    facts.parsingName = item.m_strParsingName;
    facts.inFolderName = item.m_strInFolderName;
    facts.typeName = item.m_strTypeName;
    if (!facts.isFolder)
        facts.size = item.GetFileSize();
    return facts;
}

std::unique_ptr<_tagFileFolderStatItem> CreateStatRoot(std::unique_ptr<CShellItem> item)
{
    if (!item)
        return nullptr;
    auto root = CreateStatRoot(item->m_strParsingName, item->m_strInFolderName);
    root->item = std::move(item);
    return root;
}

StatAddResult AddScannedItem(CFileFolderStatItemsList& list, std::unique_ptr<CShellItem>& item)
{
    if (!item)
        return {};
    const StatItemFacts facts = GetStatFacts(*item);
    std::unique_ptr<CObject> owned(item.release());
    const StatAddResult result = AddScannedItem(list, facts, owned);
    // What the tree did not take goes back to the caller.
    item.reset(static_cast<CShellItem*>(owned.release()));
    return result;
}

void Aggregate(_tagFileFolderStatItem* node, CShellItem& item)
{
    Aggregate(node, GetStatFacts(item));
}

CShellItem* GetShellItem(const _tagFileFolderStatItem* node)
{
    return node == nullptr ? nullptr : static_cast<CShellItem*>(node->item.get());
}
