#pragma once
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "filter/CFileFilterItem.h"
#include "framework/CObject.h"

class CShellItem;
class IFilterSubject;
struct _tagFileFolderStatItem;

// A predicate over shell items: criteria joined by OR, tested in order. It
// also carries the context of one filtered listing (the folder shown, its
// folder-tree item and the statistics node it came from), so one object
// travels from the view that asks for the listing to the tree and list that
// show it. Match keeps the item under test, so one thread uses a filter at a
// time.
class CFileFilter : public CObject {
public:
    CFileFilter() = default;
    ~CFileFilter() override;
    CFileFilter(const CFileFilter&) = delete;
    CFileFilter& operator=(const CFileFilter&) = delete;

    CFileFilterItem* AddText(const std::wstring& text, int type);
    CFileFilterItem* AddSize(ULONGLONG size, int type, int op);
    CFileFilterItem* AddDate(const FILETIME& time, int type, int op, int timeKind);
    CFileFilterItem* AddDateRange(const FILETIME& first, int firstOp, const FILETIME& second, int secondOp, int type,
                                  int timeKind);
    CFileFilterItem* AddAttributes(DWORD mask, int type);
    virtual void RemoveAll();

    void SetRootPath(const std::wstring& path) { m_strRootPath = path; }
    std::wstring GetRootPath() const { return m_strRootPath; }
    void SetTreeItem(HTREEITEM item) { m_hTreeItem = item; }
    HTREEITEM GetTreeItem() const { return m_hTreeItem; }
    void SetSourceNode(_tagFileFolderStatItem* node) { m_pSourceNode = node; }
    _tagFileFolderStatItem* GetSourceNode() const { return m_pSourceNode; }

    // 1 when the item passes some criterion, else 0 (always 0 for null).
    int Match(const IFilterSubject* item);
    // The same for a shell item.
    int Match(CShellItem* item);

    // 1 when an extension of the node's breakdown equals the text of some
    // criterion (the user's locale, ignoring case); 0 otherwise or for null.
    int ContainsAnyText(const _tagFileFolderStatItem* node) const;

    const std::vector<std::unique_ptr<CFileFilterItem>>& GetItems() const { return m_items; }

protected:
    virtual bool TestNameContains(const CFileFilterItem& criterion);
    virtual bool TestWildcard(const CFileFilterItem& criterion);
    virtual bool TestRegex(const CFileFilterItem& criterion);
    virtual bool TestExtension(const CFileFilterItem& criterion);
    virtual bool TestDate(const CFileFilterItem& criterion);
    virtual bool TestSize(const CFileFilterItem& criterion);
    virtual bool TestAttributes(const CFileFilterItem& criterion);

private:
    CFileFilterItem* Append(std::unique_ptr<CFileFilterItem> criterion);

    std::vector<std::unique_ptr<CFileFilterItem>> m_items;
    const IFilterSubject* m_pItem = nullptr;
    std::wstring m_strRootPath;
    HTREEITEM m_hTreeItem = nullptr;
    _tagFileFolderStatItem* m_pSourceNode = nullptr;
};
