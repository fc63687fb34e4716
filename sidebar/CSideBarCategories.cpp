#include "sidebar/CSideBarCategories.h"

#include <shlobj.h>

#include <algorithm>

#include "app/AppState.h"
#include "app/ErrorBoxes.h"
#include "app/ResourceStrings.h"
#include "app/TextHelpers.h"
#include "folderbuttons/CFileFolderItemFile.h"
#include "framework/CFileException.h"
#include "framework/CWnd.h"
#include "framework/MessageBoxLayer.h"
#include "resources/ResourceIds.h"
#include "sidebar/ICategoryShell.h"
#include "sidebar/IFloatingFolderView.h"

namespace {

// Fixed images of the sidebar's icon list.
constexpr int kComputerIcon = 0;
constexpr int kDocumentsIcon = 1;
constexpr int kFolderIcon = 2;
constexpr int kDesktopIcon = 3;
constexpr int kFixedIcons = 4;

// What a new category takes from its path kind.
struct KindTraits {
    int mask;
    uint32_t storedType;
    uint32_t itemKind;
};

std::optional<KindTraits> TraitsOf(int pathKind)
{
    switch (pathKind) {
    case ICategoryShell::kindFolder:
        return KindTraits{3, CSideBarButton::typeFolder, FolderButtonRecord::kindFolder};
    case ICategoryShell::kindDocument:
        return KindTraits{3, CSideBarButton::typeDocument, FolderButtonRecord::kindDocument};
    case ICategoryShell::kindProgram:
        return KindTraits{3, CSideBarButton::typeProgram, FolderButtonRecord::kindProgram};
    case ICategoryShell::kindVirtualFolder:
        return KindTraits{2, CSideBarButton::typeVirtualFolder, FolderButtonRecord::kindVirtualFolder};
    default:
        return std::nullopt;
    }
}

} // namespace

CSideBarCategories::CSideBarCategories(ICategoryShell& shell) : m_shell(shell)
{
}

CSideBarCategories::~CSideBarCategories()
{
    DestroyAll();
}

void CSideBarCategories::SetOwner(HWND owner)
{
    m_owner = owner;
    m_dataFile.SetOwner(owner);
}

bool CSideBarCategories::LoadCategories()
{
    const bool firstLoad = !m_loadedOnce;
    m_loadedOnce = true;
    if (!m_dataFile.IsUsable())
        m_dataFile.OpenForLoad();

    if (m_dataFile.IsUsable()) {
        ReadAllRecords();
        if (m_list.empty())
            CreateDefaultCategories(true);
    } else if (firstLoad) {
        // An empty file that could not get its header; a file with foreign
        // data, or one that cannot be opened, loads nothing.
        if (m_dataFile.IsOpen() && m_dataFile.GetLength() == 0)
            CreateDefaultCategories(true);
    } else {
        ShowMessageBox(m_owner, LoadScrambledString(IDS_DATAFILE_UNUSABLE, ScrambleGroup::Group2), nullptr, MB_OK);
        CreateDefaultCategories(true);
    }

    if (m_list.empty()) {
        m_indexed.clear();
        m_firstVisible = -1;
        return false;
    }
    RebuildIndex();
    Layout();
    AssignCategoryIcons();
    m_firstVisible = 0;
    return true;
}

void CSideBarCategories::ReadAllRecords()
{
    if (m_dataFile.CheckUsable(L"16462"))
        return;
    DestroyAll();
    const int64_t length = m_dataFile.GetLength();
    int64_t offset = CSideBarDataFile::kFirstRecord;
    try {
        while (offset < length) {
            SideBarRecord record;
            const int64_t next = m_dataFile.ReadRecordAt(offset, record);
            if (next <= 0)
                break;
            auto category = std::make_unique<CSideBarButton>();
            category->FromRecord(record);
            category->m_ordinal = static_cast<int>(m_list.size());
            m_list.push_back(std::move(category));
            offset = next;
        }
    } catch (const CFileException& e) {
        // An incomplete record was reported where it was read; the
        // categories read so far stay.
        if (e.m_cause != CFileException::endOfFile)
            ShowExceptionError(&e, L"16462", m_owner);
    }
}

bool CSideBarCategories::SaveCategories()
{
    if (m_dataFile.CheckUsable(L"16461"))
        return false;
    try {
        m_dataFile.SeekToFirstRecord();
        for (const auto& category : m_list) {
            if (m_dataFile.AppendRecord(category->ToRecord()) < 0)
                return false;
        }
    } catch (const CException& e) {
        const std::wstring caption = LoadScrambledString(IDS_ERROR_CAPTION, ScrambleGroup::Group3);
        ShowMessageBox(m_owner, e.GetErrorMessage(), caption.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

CSideBarButton* CSideBarCategories::AddCategory(const std::wstring& name, const std::wstring& path, int pathKind,
                                                const std::wstring& parameter, bool enumerate, bool redraw)
{
    const std::optional<KindTraits> traits = TraitsOf(pathKind);
    if (!traits)
        return nullptr;
    // A category file that cannot take the new category refuses before
    // anything is written anywhere.
    if (m_dataFile.IsOpen() && m_dataFile.CheckUsable(L"16461"))
        return nullptr;

    CFileFolderItemFile buttons;
    buttons.SetOwner(m_owner);
    if (!buttons.Open())
        return nullptr;
    const int64_t position = enumerate ? buttons.GetLength() : -1;

    auto category = std::make_unique<CSideBarButton>();
    category->m_path = path;
    category->m_subButtonMask = traits->mask;
    category->m_folderButtonPosition = position;
    category->m_type = traits->storedType;
    category->m_displayName = name;
    category->m_parameter = parameter;
    const int icon = AddPathIcon(path);
    category->m_iconIndex = icon >= 0 ? icon : kFolderIcon;
    category->m_ownsIcon = icon >= 0;
    category->m_ordinal = -1;
    CSideBarButton* added = category.get();
    m_list.push_back(std::move(category));
    m_indexed.push_back(added);
    Layout();

    if (enumerate && !buttons.WriteRecord(position, BuildRootRecord(path, name, traits->itemKind, position))) {
        RemoveCategory(added);
        return nullptr;
    }
    if (!m_dataFile.IsOpen())
        m_dataFile.OpenTruncate();
    if (!SaveCategories()) {
        RemoveCategory(added);
        return nullptr;
    }
    if (redraw)
        Repaint();
    return added;
}

bool CSideBarCategories::CreateDefaultCategories(bool save)
{
    // Defaults that could not be saved would only exist on screen.
    if (save && m_dataFile.IsOpen() && m_dataFile.CheckUsable(L"16461"))
        return false;
    DestroyAll();
    CFileFolderItemFile buttons;
    buttons.SetOwner(m_owner);
    if (!buttons.Open())
        return false;

    struct Default {
        const wchar_t* name;
        std::wstring path;
        uint32_t type;
        int mask;
        int icon;
    };
    const Default defaults[] = {
        {AppState::kMyDesktop, L"::", CSideBarButton::typeVirtualFolder, 2, kDesktopIcon},
        {AppState::kMyComputer, m_shell.SpecialFolderParsingName(CSIDL_DRIVES), CSideBarButton::typeComputer, 6,
         kComputerIcon},
        {AppState::kMyDocuments, m_shell.SpecialFolderParsingName(CSIDL_PERSONAL), CSideBarButton::typeDocuments, 7,
         kDocumentsIcon},
    };
    int64_t position = buttons.GetLength();
    for (const Default& entry : defaults) {
        if (!buttons.WriteRecord(
                position, BuildRootRecord(entry.path, entry.name, FolderButtonRecord::kindVirtualFolder, position))) {
            DestroyAll();
            return false;
        }
        auto category = std::make_unique<CSideBarButton>();
        category->m_displayName = entry.name;
        category->m_path = entry.path;
        category->m_type = entry.type;
        category->m_subButtonMask = entry.mask;
        category->m_iconIndex = entry.icon;
        category->m_folderButtonPosition = position;
        category->m_ordinal = static_cast<int>(m_list.size());
        m_list.push_back(std::move(category));
        position += static_cast<int64_t>(FolderButtonRecord::kSize);
    }
    RebuildIndex();

    if (save) {
        if (!m_dataFile.IsOpen())
            m_dataFile.OpenTruncate();
        if (!SaveCategories()) {
            DestroyAll();
            return false;
        }
    }
    return true;
}

bool CSideBarCategories::DeleteCategory(CSideBarButton* category)
{
    if (category == nullptr)
        return false;
    const bool wasDeleted = category->IsDeleted();
    category->SetDeleted(true);
    m_current = nullptr;
    if (!SaveCategories()) {
        category->SetDeleted(wasDeleted);
        return false;
    }
    LoadCategories();
    Repaint();
    return true;
}

bool CSideBarCategories::RenameCategory(CSideBarButton* category, const std::wstring& newName)
{
    if (category == nullptr)
        return false;
    if (CompareNoCase(category->m_displayName, newName) == 0)
        return true;
    const std::wstring oldName = category->m_displayName;
    category->m_displayName = newName;
    if (!SaveCategories()) {
        category->m_displayName = oldName;
        return false;
    }
    Repaint();
    return true;
}

std::optional<CSideBarCategories::ModifyStart> CSideBarCategories::PrepareModifyCategory(CSideBarButton* category)
{
    if (category == nullptr)
        return std::nullopt;
    CFileFolderItemFile buttons;
    buttons.SetOwner(m_owner);
    if (!buttons.Open() || buttons.IsNew())
        return std::nullopt;

    ModifyStart start;
    const uint32_t type = category->StoredType();
    start.folderType = type != CSideBarButton::typeDocument && type != CSideBarButton::typeProgram;
    const int64_t position = category->m_folderButtonPosition;
    if (buttons.IsValidOffset(position)) {
        FolderButtonRecord root;
        if (!buttons.ReadRecord(position, root))
            return std::nullopt;
        root.ownOffset = position;
        if (CompareNoCase(root.path, category->m_path) == 0) {
            start.hasRoot = true;
            start.enumerate = (root.flags & 0x2) != 0;
            start.root = root;
        }
    } else if (position != -1) {
        return std::nullopt;
    }
    return start;
}

bool CSideBarCategories::ModifyCategory(CSideBarButton* category, const ModifyStart& start, const std::wstring& name,
                                        const std::wstring& path, const std::wstring& parameter, bool enumerate)
{
    if (category == nullptr)
        return false;
    uint32_t storedType = CSideBarButton::typeDocument;
    uint32_t itemKind = FolderButtonRecord::kindDocument;
    switch (m_shell.ClassifyPath(path)) {
    case ICategoryShell::kindFolder:
        storedType = CSideBarButton::typeFolder;
        itemKind = FolderButtonRecord::kindFolder;
        break;
    case ICategoryShell::kindProgram:
        storedType = CSideBarButton::typeProgram;
        itemKind = FolderButtonRecord::kindProgram;
        break;
    case ICategoryShell::kindVirtualFolder:
        storedType = CSideBarButton::typeVirtualFolder;
        itemKind = FolderButtonRecord::kindVirtualFolder;
        break;
    default:
        break;
    }

    const std::wstring oldName = category->m_displayName;
    const std::wstring oldPath = category->m_path;
    const std::wstring oldParameter = category->m_parameter;
    const uint32_t oldType = category->m_type;
    const int64_t oldPosition = category->m_folderButtonPosition;
    auto restore = [&] {
        category->m_displayName = oldName;
        category->m_path = oldPath;
        category->m_parameter = oldParameter;
        category->m_type = oldType;
        category->m_folderButtonPosition = oldPosition;
    };

    category->m_displayName = name;
    category->m_path = path;
    category->m_parameter = parameter;
    category->m_type = (oldType & 0xFFFF0000u) | storedType;

    CFileFolderItemFile buttons;
    buttons.SetOwner(m_owner);
    const bool buttonsOpen = (start.hasRoot || enumerate) ? buttons.Open() : true;
    if (!buttonsOpen) {
        restore();
        return false;
    }

    bool done = true;
    if (start.hasRoot) {
        FolderButtonRecord root = start.root;
        root.name = name;
        root.path = path;
        root.parameters = parameter;
        root.kind = itemKind;
        if (enumerate)
            root.flags = (root.flags | 0x2) & ~0x1u;
        else
            root.flags |= 0x1;
        if (!SaveCategories()) {
            restore();
            return false;
        }
        if (!buttons.WriteRecord(root.ownOffset, root)) {
            // The root keeps the old path: so does the category.
            restore();
            SaveCategories();
            return false;
        }
    } else if (enumerate) {
        // The root record goes first: until the category file names it, a
        // crash leaves it unused and the category as it was.
        const int64_t position = buttons.GetLength();
        FolderButtonRecord root = BuildRootRecord(path, name, itemKind, position);
        root.parameters = parameter;
        if (!buttons.WriteRecord(position, root)) {
            category->m_folderButtonPosition = oldPosition;
            done = false;
        } else {
            category->m_folderButtonPosition = position;
        }
        if (!SaveCategories()) {
            restore();
            return false;
        }
    } else if (!SaveCategories()) {
        restore();
        return false;
    }

    if (auto* floating = dynamic_cast<IFloatingFolderView*>(category->GetView(1)))
        floating->ReloadFolderButtons();
    Repaint();
    return done;
}

void CSideBarCategories::AssignCategoryIcons()
{
    ReleaseOwnedIcons();
    for (const auto& category : m_list) {
        category->m_ownsIcon = false;
        switch (category->StoredType()) {
        case CSideBarButton::typeFolder:
        case CSideBarButton::typeProgram:
        case CSideBarButton::typeDocument: {
            const int icon = AddPathIcon(category->m_path);
            category->m_iconIndex = icon >= 0 ? icon : kFolderIcon;
            category->m_ownsIcon = icon >= 0;
            break;
        }
        case CSideBarButton::typeVirtualFolder:
            category->m_iconIndex = kDesktopIcon;
            break;
        case CSideBarButton::typeComputer:
            category->m_iconIndex = kComputerIcon;
            break;
        case CSideBarButton::typeDocuments:
            category->m_iconIndex = kDocumentsIcon;
            break;
        default:
            category->m_iconIndex = -1;
            break;
        }
    }
}

bool CSideBarCategories::RebuildIndex()
{
    m_indexed.clear();
    for (const auto& category : m_list)
        m_indexed.push_back(category.get());
    return !m_indexed.empty();
}

void CSideBarCategories::DestroyAll()
{
    ReleaseOwnedIcons();
    m_current = nullptr;
    m_indexed.clear();
    m_list.clear();
}

void CSideBarCategories::ReleaseOwnedIcons()
{
    std::vector<int> owned;
    for (const auto& category : m_list) {
        if (category->m_ownsIcon && category->m_iconIndex >= kFixedIcons)
            owned.push_back(category->m_iconIndex);
        category->m_ownsIcon = false;
    }
    if (m_icons == nullptr)
        return;
    // From the highest index down, so that no removal moves another owned image.
    std::sort(owned.rbegin(), owned.rend());
    owned.erase(std::unique(owned.begin(), owned.end()), owned.end());
    for (int index : owned)
        ImageList_Remove(m_icons, index);
}

void CSideBarCategories::RemoveCategory(CSideBarButton* category)
{
    if (category->m_ownsIcon && m_icons != nullptr && category->m_iconIndex >= kFixedIcons &&
        category->m_iconIndex == ImageList_GetImageCount(m_icons) - 1)
        ImageList_Remove(m_icons, category->m_iconIndex);
    if (m_current == category)
        m_current = nullptr;
    m_indexed.erase(std::remove(m_indexed.begin(), m_indexed.end(), category), m_indexed.end());
    m_list.erase(std::remove_if(m_list.begin(), m_list.end(), [&](const auto& c) { return c.get() == category; }),
                 m_list.end());
    Layout();
}

int CSideBarCategories::AddPathIcon(const std::wstring& path)
{
    if (m_icons == nullptr)
        return -1;
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(m_icons, &width, &height))
        return -1;
    HICON icon = m_shell.PathIcon(path, width);
    if (icon == nullptr)
        return -1;
    const int index = ImageList_ReplaceIcon(m_icons, -1, icon);
    DestroyIcon(icon);
    return index;
}

FolderButtonRecord CSideBarCategories::BuildRootRecord(const std::wstring& path, const std::wstring& name,
                                                       uint32_t kind, int64_t offset)
{
    FolderButtonRecord record;
    std::wstring displayName;
    std::wstring typeName;
    if (m_shell.PathNames(path, displayName, typeName) && !displayName.empty())
        record.name = displayName;
    else
        record.name = name;
    record.typeName = typeName;
    record.path = path;
    record.kind = kind;
    record.flags = FolderButtonRecord::kTypeEnumerateFolder;
    record.ownOffset = offset;
    record.previous = -1;
    record.next = -1;
    return record;
}

void CSideBarCategories::Layout()
{
    if (m_layout)
        m_layout();
}

void CSideBarCategories::Repaint()
{
    if (m_repaint)
        m_repaint();
}
