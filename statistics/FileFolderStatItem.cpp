#include "statistics/FileFolderStatItem.h"

_tagFileFolderStatItem::_tagFileFolderStatItem() = default;

_tagFileFolderStatItem::~_tagFileFolderStatItem() = default;

_tagFileTypeItem* _tagFileFolderStatItem::FindType(const std::wstring& extension) const
{
    const size_t index = FindTypeIndex(extension);
    return index < types.size() ? types[index].get() : nullptr;
}

size_t _tagFileFolderStatItem::FindTypeIndex(const std::wstring& extension) const
{
    return FindFoldedTypeIndex(FoldStatKey(extension));
}

size_t _tagFileFolderStatItem::FindFoldedTypeIndex(const std::wstring& folded) const
{
    const auto found = m_typeIndex.find(folded);
    return found == m_typeIndex.end() ? types.size() : found->second;
}

_tagFileTypeItem* _tagFileFolderStatItem::AppendType(const _tagFileTypeItem& entry)
{
    types.push_back(std::make_unique<_tagFileTypeItem>(entry));
    m_typeIndex.emplace(FoldStatKey(entry.extension), types.size() - 1);
    return types.back().get();
}
