#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/CObject.h"

struct _tagFileFolderStatItem;

// The child nodes of one statistics node, in order of insertion, with an
// index by key so that a folder with very many children is filled in
// linear time. The list also records whether its owner's subtree is
// detached from its ancestors while a thread of its own fills it.
class CFileFolderStatItemsList : public CObject {
public:
    CFileFolderStatItemsList();
    ~CFileFolderStatItemsList() override;
    CFileFolderStatItemsList(const CFileFolderStatItemsList&) = delete;
    CFileFolderStatItemsList& operator=(const CFileFolderStatItemsList&) = delete;

    int GetCount() const { return static_cast<int>(m_nodes.size()); }
    _tagFileFolderStatItem* GetAt(int index) const { return m_nodes[static_cast<size_t>(index)].get(); }
    const std::vector<std::unique_ptr<_tagFileFolderStatItem>>& Nodes() const { return m_nodes; }

    // The first child whose key equals the key (compared as _wcsicmp does).
    _tagFileFolderStatItem* Find(const std::wstring& key) const;
    // Appends a new node with the key and returns it.
    _tagFileFolderStatItem* Append(const std::wstring& key);

    _tagFileFolderStatItem* m_owner = nullptr;
    bool m_detached = false;
    _tagFileFolderStatItem* m_savedParent = nullptr;

private:
    std::vector<std::unique_ptr<_tagFileFolderStatItem>> m_nodes;
    std::unordered_map<std::wstring, _tagFileFolderStatItem*> m_index;
};

// A key folded so that two keys _wcsicmp calls equal fold alike.
std::wstring FoldStatKey(const std::wstring& key);
