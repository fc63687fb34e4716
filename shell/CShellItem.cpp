#include "shell/CShellItem.h"

#include <shlwapi.h>

#include "shell/CShellLink.h"
#include "shell/ItemIDList.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellOwnerWindow.h"

namespace {

bool Has(ULONG attributes, ULONG bit)
{
    return (attributes & bit) != 0;
}

// The path without its last component.
std::wstring ContainingFolder(const std::wstring& path)
{
    std::wstring folder = path;
    if (folder.empty())
        return folder;
    PathRemoveFileSpecW(folder.data());
    folder.resize(wcslen(folder.c_str()));
    return folder;
}

} // namespace

CShellItem::CShellItem() = default;

CShellItem::~CShellItem()
{
    m_pidlAbsolute.Reset();
    m_pidlRelative.Reset();
    m_pFolder.Release();
    m_pFolder2.Release();
    m_pParentFolder.Release();
    m_pParentFolder2.Release();
    m_pidlParent.Reset();
    DeleteOwnedChildren();
}

void CShellItem::DeleteOwnedChildren()
{
    if (m_bOwnsChildren)
        DeleteShellItemList(&m_children);
    m_children.clear();
    m_bOwnsChildren = false;
}

IShellFolder* CShellItem::AnsweringFolder() const
{
    return m_pParentFolder ? m_pParentFolder.Get() : m_pFolder.Get();
}

void CShellItem::LoadAttributes()
{
    IShellFolder* folder = AnsweringFolder();
    LPCITEMIDLIST last = m_pidlAbsolute ? ShellILFindLastID(m_pidlAbsolute.Get()) : nullptr;
    auto read = [&](ULONG mask) -> ULONG {
        if (folder == nullptr || last == nullptr)
            return 0;
        ULONG attributes = mask;
        if (FAILED(folder->GetAttributesOf(1, &last, &attributes)))
            return 0;
        return attributes;
    };
    const ULONG display = read(kDisplayAttributeMask);
    const ULONG content = read(kContentAttributeMask);
    const ULONG capability = read(kCapabilityAttributeMask);

    m_bLink = Has(display, SFGAO_LINK);
    m_bHidden = Has(display, SFGAO_HIDDEN);
    m_bReadOnly = Has(display, SFGAO_READONLY);
    m_bShared = Has(display, SFGAO_SHARE);

    m_bFolder = Has(content, SFGAO_FOLDER);
    m_bFileSystem = Has(content, SFGAO_FILESYSTEM);
    m_bVirtual = m_bFolder && !m_bFileSystem;
    m_bHasSubfolders = Has(content, SFGAO_HASSUBFOLDER);
    m_bCompressed = Has(content, SFGAO_COMPRESSED);

    m_bCanCopy = Has(capability, SFGAO_CANCOPY);
    m_bCanMove = Has(capability, SFGAO_CANMOVE);
    m_bCanDelete = Has(capability, SFGAO_CANDELETE);
    m_bCanLink = Has(capability, SFGAO_CANLINK);
    m_bCanRename = Has(capability, SFGAO_CANRENAME);
    m_bStream = Has(capability, SFGAO_STREAM);
    m_bDropTarget = Has(capability, SFGAO_DROPTARGET);
    m_bHasPropSheet = Has(capability, SFGAO_HASPROPSHEET);

    m_bAttributesLoaded = TRUE;
}

void CShellItem::EnsureAttributes()
{
    if (!m_bAttributesLoaded)
        LoadAttributes();
}

HRESULT CShellItem::BindToFolder()
{
    if (!m_pParentFolder || m_pFolder)
        return S_FALSE;
    CComPtr<IShellFolder> folder;
    const HRESULT result =
        m_pParentFolder->BindToObject(m_pidlRelative.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid());
    if (SUCCEEDED(result) && folder)
        m_pFolder = folder;
    return result;
}

bool CShellItem::IsFolder(bool strict)
{
    EnsureAttributes();
    if (!m_bFolder)
        return false;
    if (strict && !m_bFileSystem)
        return false;
    const DWORD attributes = GetFileAttributes();
    return attributes == 0 || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CShellItem::IsVirtual()
{
    EnsureAttributes();
    if (!m_bVirtual && m_strParsingName.compare(0, 2, L"::") == 0)
        m_bVirtual = TRUE;
    return m_bVirtual != FALSE;
}

#define SHELL_ITEM_FLAG_GETTER(name, field)                                                                            \
    bool CShellItem::name()                                                                                            \
    {                                                                                                                  \
        EnsureAttributes();                                                                                            \
        return field != FALSE;                                                                                         \
    }
SHELL_ITEM_FLAG_GETTER(IsLink, m_bLink)
SHELL_ITEM_FLAG_GETTER(IsFileSystem, m_bFileSystem)
SHELL_ITEM_FLAG_GETTER(IsHidden, m_bHidden)
SHELL_ITEM_FLAG_GETTER(HasSubfolders, m_bHasSubfolders)
SHELL_ITEM_FLAG_GETTER(IsCompressed, m_bCompressed)
SHELL_ITEM_FLAG_GETTER(IsReadOnly, m_bReadOnly)
SHELL_ITEM_FLAG_GETTER(IsShared, m_bShared)
SHELL_ITEM_FLAG_GETTER(CanCopy, m_bCanCopy)
SHELL_ITEM_FLAG_GETTER(CanMove, m_bCanMove)
SHELL_ITEM_FLAG_GETTER(CanDelete, m_bCanDelete)
SHELL_ITEM_FLAG_GETTER(CanLink, m_bCanLink)
SHELL_ITEM_FLAG_GETTER(CanRename, m_bCanRename)
SHELL_ITEM_FLAG_GETTER(IsStream, m_bStream)
SHELL_ITEM_FLAG_GETTER(IsDropTarget, m_bDropTarget)
SHELL_ITEM_FLAG_GETTER(HasPropSheet, m_bHasPropSheet)
#undef SHELL_ITEM_FLAG_GETTER

DWORD CShellItem::GetFileAttributes() const
{
    const DWORD attributes = ::GetFileAttributesW(m_strParsingName.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

bool CShellItem::GetFindData(WIN32_FIND_DATAW& data) const
{
    IShellFolder* folder = AnsweringFolder();
    if (folder == nullptr || !m_pidlRelative)
        return false;
    WIN32_FIND_DATAW found = {};
    if (FAILED(SHGetDataFromIDListW(folder, m_pidlRelative.Get(), SHGDFIL_FINDDATA, &found, sizeof(found))))
        return false;
    data = found;
    return true;
}

ULONGLONG CShellItem::GetFileSize() const
{
    WIN32_FIND_DATAW data = {};
    if (!GetFindData(data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsDriveIDList(IShellFolder* folder, LPCITEMIDLIST child)
{
    if (folder == nullptr || child == nullptr)
        return false;
    SHDESCRIPTIONID description = {};
    if (FAILED(SHGetDataFromIDListW(folder, child, SHGDFIL_DESCRIPTIONID, &description, sizeof(description))))
        return false;
    return description.dwDescriptionId >= SHDID_COMPUTER_DRIVE35 && description.dwDescriptionId <= SHDID_COMPUTER_OTHER;
}

bool CShellItem::IsDrive() const
{
    return IsDriveIDList(m_pParentFolder.Get(), m_pidlRelative.Get());
}

void CShellItem::GetIconIndexes(int* first, int* second, bool open) const
{
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL;
    if (open)
        flags |= SHGFI_OPENICON;
    CPidl desktopList;
    LPCITEMIDLIST list = m_pidlAbsolute.Get();
    if (!m_pParentFolder) {
        GetSpecialFolderIDList(CSIDL_DESKTOP, desktopList);
        list = desktopList.Get();
    }
    if (second != nullptr) {
        *second = -1;
        SHFILEINFOW info = {};
        if (list != nullptr && SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof(info), flags) != 0)
            *second = info.iIcon;
    }
    if (first != nullptr) {
        *first = -1;
        SHFILEINFOW info = {};
        if (list != nullptr &&
            SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof(info), flags | SHGFI_ICON) != 0) {
            *first = info.iIcon;
            if (info.hIcon != nullptr)
                DestroyIcon(info.hIcon);
        }
    }
}

bool CShellItem::ResetRelativeName(const std::wstring& newName)
{
    IShellFolder* folder = AnsweringFolder();
    if (folder == nullptr || newName.empty())
        return false;
    std::wstring text = newName;
    ULONG eaten = 0;
    CPidl relative;
    if (FAILED(folder->ParseDisplayName(GetShellOwnerWindow(), nullptr, text.data(), &eaten, relative.Receive(),
                                        nullptr)) ||
        !relative)
        return false;
    m_strDisplayName = GetDisplayNameOf(folder, relative.Get(), SHGDN_NORMAL);
    m_strInFolderName = GetDisplayNameOf(folder, relative.Get(), SHGDN_INFOLDER);
    m_strParsingName = GetDisplayNameOf(folder, relative.Get(), SHGDN_FORPARSING);
    m_pidlAbsolute.Reset();
    m_pidlRelative = std::move(relative);
    if (m_pidlParent)
        m_pidlAbsolute.Reset(ConcatIDLists(m_pidlParent.Get(), m_pidlRelative.Get()));
    LoadAttributes();
    return true;
}

std::wstring CShellItem::GetTargetFolderPath()
{
    if (IsFolder(false))
        return m_strParsingName;
    if (IsLink()) {
        const std::unique_ptr<CShellLink> link = CShellLink::OpenLink(m_strParsingName);
        if (!link)
            return {};
        const std::wstring target = link->GetTarget();
        if (target.empty())
            return {};
        if (TestPathAttributes(target, SFGAO_FOLDER))
            return target;
        return ContainingFolder(target);
    }
    return ContainingFolder(m_strParsingName);
}

std::unique_ptr<CShellItem> CShellItem::Clone() const
{
    auto clone = std::make_unique<CShellItem>();
    clone->m_strDisplayName = m_strDisplayName;
    clone->m_strParsingName = m_strParsingName;
    clone->m_strInFolderName = m_strInFolderName;
    clone->m_strTypeName = m_strTypeName;
    if (m_pidlParent)
        clone->m_pidlParent.Own(CPidl(ShellILClone(m_pidlParent.Get())));
    if (m_pidlRelative)
        clone->m_pidlRelative.Reset(ShellILClone(m_pidlRelative.Get()));
    if (!m_pidlAbsolute)
        return nullptr;
    clone->m_pidlAbsolute.Reset(ShellILClone(m_pidlAbsolute.Get()));
    if (!clone->m_pidlAbsolute || !clone->m_pidlRelative)
        return nullptr;
    clone->m_bOwnsParentFolder = TRUE;
    if (FAILED(SHBindToParent(clone->m_pidlAbsolute.Get(), IID_IShellFolder, clone->m_pParentFolder.ReceiveVoid(),
                              nullptr)) ||
        !clone->m_pParentFolder)
        return nullptr;
    if (FAILED(clone->m_pParentFolder->BindToObject(clone->m_pidlRelative.Get(), nullptr, IID_IShellFolder,
                                                    clone->m_pFolder.ReceiveVoid())) ||
        !clone->m_pFolder)
        return nullptr;
    return clone;
}

void CShellItem::CopyFrom(const CShellItem& other)
{
    if (&other == this)
        return;
    m_strDisplayName = other.m_strDisplayName;
    m_strParsingName = other.m_strParsingName;
    m_strInFolderName = other.m_strInFolderName;
    m_strTypeName = other.m_strTypeName;

    DeleteOwnedChildren();
    for (const CShellItem* child : other.m_children) {
        if (child == nullptr)
            continue;
        auto copy = std::make_unique<CShellItem>();
        copy->CopyFrom(*child);
        m_children.push_back(copy.release());
    }
    m_bOwnsChildren = true;

    m_pidlParent.Share(other.m_pidlParent.Get());
    m_pidlRelative = CPidl::Clone(other.m_pidlRelative.Get());
    m_pidlAbsolute = CPidl::Clone(other.m_pidlAbsolute.Get());

    m_pFolder = other.m_pFolder;
    m_pParentFolder = other.m_pParentFolder;
    m_pParentFolder2 = other.m_pParentFolder2;
    m_pFolder2 = other.m_pFolder2;

    m_hIcon.Reset(other.m_hIcon ? CopyIcon(other.m_hIcon.Get()) : nullptr);
    m_nIconIndex = other.m_nIconIndex;
    m_nSelectedIconIndex = other.m_nSelectedIconIndex;

    m_bAttributesLoaded = other.m_bAttributesLoaded;
    m_bFolder = other.m_bFolder;
    m_bVirtual = other.m_bVirtual;
    m_bLink = other.m_bLink;
    m_bFileSystem = other.m_bFileSystem;
    m_bHidden = other.m_bHidden;
    m_bHasSubfolders = other.m_bHasSubfolders;
    m_bCompressed = other.m_bCompressed;
    m_bReadOnly = other.m_bReadOnly;
    m_bShared = other.m_bShared;
    m_bCanCopy = other.m_bCanCopy;
    m_bCanMove = other.m_bCanMove;
    m_bCanDelete = other.m_bCanDelete;
    m_bCanLink = other.m_bCanLink;
    m_bCanRename = other.m_bCanRename;
    m_bStream = other.m_bStream;
    m_bDropTarget = other.m_bDropTarget;
    m_bHasPropSheet = other.m_bHasPropSheet;

    m_bOwnsParentFolder = FALSE;
    m_nThumbnailState = 0;
    m_nThumbWidth = 0;
    m_nThumbHeight = 0;
}

std::unique_ptr<CShellItem> CreateChildItem(LPCITEMIDLIST child, IShellFolder* parentFolder, LPCITEMIDLIST parentList)
{
    if (child == nullptr || parentList == nullptr)
        return nullptr;
    CComPtr<IShellFolder> parent(parentFolder);
    bool ownsParent = false;
    if (!parent) {
        parent = GetDesktopFolder();
        if (!parent)
            return nullptr;
        ownsParent = true;
    }
    auto item = std::make_unique<CShellItem>();
    item->m_strDisplayName = GetDisplayNameOf(parent.Get(), child, SHGDN_NORMAL);
    item->m_strInFolderName = GetDisplayNameOf(parent.Get(), child, SHGDN_INFOLDER);
    item->m_strParsingName = GetDisplayNameOf(parent.Get(), child, SHGDN_FORPARSING);
    item->m_pParentFolder = parent;
    item->m_bOwnsParentFolder = ownsParent ? TRUE : FALSE;
    item->m_pidlRelative.Reset(ShellILClone(child));
    item->m_pidlAbsolute.Reset(ConcatIDLists(const_cast<LPITEMIDLIST>(parentList), child));
    item->m_pidlParent.Share(parentList);
    item->IsFolder(false);
    item->GetIconIndexes(&item->m_nSelectedIconIndex, &item->m_nIconIndex, false);
    return item;
}

void DeleteShellItemList(CShellItemList* list)
{
    if (list == nullptr)
        return;
    while (!list->empty()) {
        delete list->front();
        list->pop_front();
    }
}
