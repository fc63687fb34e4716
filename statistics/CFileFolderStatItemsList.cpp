#include "statistics/CFileFolderStatItemsList.h"

#include <cwctype>

#include "statistics/FileFolderStatItem.h"

std::wstring FoldStatKey(const std::wstring& key)
{
    std::wstring folded = key;
    for (auto& c : folded)
        c = static_cast<wchar_t>(std::towlower(c));
    return folded;
}

CFileFolderStatItemsList::CFileFolderStatItemsList() = default;

CFileFolderStatItemsList::~CFileFolderStatItemsList() = default;

_tagFileFolderStatItem* CFileFolderStatItemsList::Find(const std::wstring& key) const
{
    const auto found = m_index.find(FoldStatKey(key));
    return found == m_index.end() ? nullptr : found->second;
}

_tagFileFolderStatItem* CFileFolderStatItemsList::Append(const std::wstring& key)
{
    auto node = std::make_unique<_tagFileFolderStatItem>();
    node->key = key;
    _tagFileFolderStatItem* added = node.get();
    m_nodes.push_back(std::move(node));
    m_index.emplace(FoldStatKey(key), added);
    return added;
}
