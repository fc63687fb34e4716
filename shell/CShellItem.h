#pragma once
#include <windows.h>

#include <shlobj.h>

#include <list>
#include <memory>
#include <string>

#include "framework/CComPtr.h"
#include "framework/CObject.h"
#include "framework/CPidl.h"
#include "framework/Handles.h"

class CShellItem;

// A list of shell items. A list that holds items it made owns them and
// destroys them with DeleteShellItemList.
using CShellItemList = std::list<CShellItem*>;

// The attribute masks LoadAttributes hands to IShellFolder::GetAttributesOf.
constexpr ULONG kDisplayAttributeMask = 0x000FE000;    // encrypted .. hidden
constexpr ULONG kContentAttributeMask = 0xFE300000;    // has subfolder .. non-enumerated
constexpr ULONG kCapabilityAttributeMask = 0x0040017F; // copy .. stream

// One object of the shell namespace: a file, a folder, a drive or a virtual
// object. Holds its item-ID lists, four names, the folder interfaces needed
// to talk to the shell about it and attribute flags read on first use.
//
// Ownership: m_pidlRelative and m_pidlAbsolute are always owned. m_pidlParent
// is owned or shared with the creator (usually the view listing the folder),
// as stored in it. Every interface pointer holds a reference of its own, so
// destroying the item releases exactly what it acquired; m_bOwnsParentFolder
// records that the item bound its parent folder itself rather than being
// handed the lister's.
//
// Items are used on the thread that made them; Clone gives an item with
// interfaces of its own for another thread.
class CShellItem : public CObject {
public:
    CShellItem();
    ~CShellItem() override;
    CShellItem(const CShellItem&) = delete;
    CShellItem& operator=(const CShellItem&) = delete;

    // Reads the display, content and capability attributes of the item from
    // its parent folder (its own folder for the desktop).
    virtual void LoadAttributes();
    // Binds m_pFolder through the parent folder when it is not bound yet;
    // returns the binding's result (S_FALSE when nothing was to be done).
    virtual HRESULT BindToFolder();

    // Plain test (strict false): the shell calls it a folder and the file
    // system does not call it a file (unreadable file attributes count as a
    // folder). Strict: a file-system folder in the same sense.
    bool IsFolder(bool strict = false);
    // A folder outside the file system, or any item whose parsing name
    // starts with "::".
    bool IsVirtual();
    bool IsLink();
    bool IsFileSystem();
    bool IsHidden();
    bool HasSubfolders();
    bool IsCompressed();
    bool IsReadOnly();
    bool IsShared();
    bool CanCopy();
    bool CanMove();
    bool CanDelete();
    bool CanLink();
    bool CanRename();
    bool IsStream();
    bool IsDropTarget();
    bool HasPropSheet();

    // File attributes of the parsing name; 0 when they cannot be read.
    DWORD GetFileAttributes() const;
    // The item's find data from the shell; false when it cannot be read.
    bool GetFindData(WIN32_FIND_DATAW& data) const;
    // The file size from the find data; 0 when unreadable.
    ULONGLONG GetFileSize() const;
    // A drive of the computer folder.
    bool IsDrive() const;
    // System image-list indexes of the item's icon (open form when asked);
    // either output may be null; -1 when the shell gives nothing.
    void GetIconIndexes(int* first, int* second, bool open) const;
    // After a rename: parses the new name in the parent folder and reads the
    // names, lists and attributes again. False (nothing changed) when the
    // name does not parse.
    bool ResetRelativeName(const std::wstring& newName);
    // The folder that opening the item shows: a folder itself, a link's
    // target folder (empty when the link cannot be read), otherwise the
    // folder that contains the item.
    std::wstring GetTargetFolderPath();
    // An independent item with lists and interfaces of its own, usable on
    // another thread; null when its parent or its own folder cannot be bound
    // (so only folders clone).
    std::unique_ptr<CShellItem> Clone() const;
    // Makes this item a copy of the other for use in another window: names,
    // lists (the parent's shared), interfaces (with references of its own),
    // icon data, attributes, and deep copies of the children (owned by this
    // item).
    void CopyFrom(const CShellItem& other);

    int GetUserData() const { return m_nUserData; }
    void SetUserData(int value) { m_nUserData = value; }

    BOOL m_bAttributesLoaded = FALSE;
    int m_nUserData = 0;
    BOOL m_bOwnsParentFolder = FALSE;
    std::wstring m_strDisplayName;
    std::wstring m_strParsingName;
    std::wstring m_strInFolderName;
    std::wstring m_strTypeName;
    // Child items; not destroyed with the item unless CopyFrom made them.
    CShellItemList m_children;
    CPidlRef m_pidlParent;
    CPidl m_pidlRelative;
    CPidl m_pidlAbsolute;
    CComPtr<IShellFolder> m_pFolder;
    CComPtr<IShellFolder> m_pParentFolder;
    CComPtr<IShellFolder2> m_pParentFolder2;
    CComPtr<IShellFolder2> m_pFolder2;
    CIconHandle m_hIcon;
    int m_nIconIndex = -1;
    int m_nSelectedIconIndex = -1;

    BOOL m_bFolder = FALSE;
    BOOL m_bVirtual = FALSE;
    BOOL m_bLink = FALSE;
    BOOL m_bFileSystem = FALSE;
    BOOL m_bHidden = FALSE;
    BOOL m_bHasSubfolders = FALSE;
    BOOL m_bCompressed = FALSE;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bShared = FALSE;
    BOOL m_bCanCopy = FALSE;
    BOOL m_bCanMove = FALSE;
    BOOL m_bCanDelete = FALSE;
    BOOL m_bCanLink = FALSE;
    BOOL m_bCanRename = FALSE;
    BOOL m_bStream = FALSE;
    BOOL m_bDropTarget = FALSE;
    BOOL m_bHasPropSheet = FALSE;

    int m_nThumbnailState = 0; // 0 none, 1 requested, 2 thumbnail made
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;

    bool OwnsParentIDList() const { return m_pidlParent.Owns(); }

private:
    void EnsureAttributes();
    // The folder that answers questions about the item: its parent, or its
    // own folder for the desktop.
    IShellFolder* AnsweringFolder() const;
    void DeleteOwnedChildren();

    bool m_bOwnsChildren = false;
};

// Makes the item for a child ID of a folder: names, attributes, lists and
// icon indexes. Without a parent folder the desktop folder is used. The new
// item shares parentList (which must outlive it). Null when the child or the
// parent's list is null, or the desktop folder cannot be had.
std::unique_ptr<CShellItem> CreateChildItem(LPCITEMIDLIST child, IShellFolder* parentFolder, LPCITEMIDLIST parentList);

// Destroys every item of the list and empties it; null is ignored.
void DeleteShellItemList(CShellItemList* list);

// Whether the child of the folder is a drive of the computer folder.
bool IsDriveIDList(IShellFolder* folder, LPCITEMIDLIST child);
