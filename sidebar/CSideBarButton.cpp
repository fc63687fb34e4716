#include "sidebar/CSideBarButton.h"

#include "framework/CWnd.h"
#include "sidebar/IFloatingFolderView.h"
#include "sidebar/SideBarRecord.h"

CSideBarButton::CSideBarButton() = default;
CSideBarButton::~CSideBarButton() = default;

int CSideBarButton::SetView(CWnd* window, int index)
{
    if (window == nullptr || !window->IsWindow() || index < 0 || index > 2)
        return m_currentView;
    if (index != 0 && m_views[static_cast<size_t>(index)].get() != window)
        return m_currentView;
    IFloatingFolderView* floating = nullptr;
    if (index == 1) {
        floating = dynamic_cast<IFloatingFolderView*>(window);
        if (floating == nullptr)
            return m_currentView;
    }
    const int previous = m_currentView;
    if (index != m_currentView) {
        CWnd* shown = m_views[static_cast<size_t>(m_currentView)].get();
        if (shown != nullptr && shown->IsWindow())
            shown->ShowWindow(SW_HIDE);
    }
    m_currentView = index;
    if (index == 0) {
        m_views[0].reset();
        return previous;
    }
    if (floating != nullptr)
        floating->RefreshFolderButtons();
    window->ShowWindow(SW_SHOW);
    return previous;
}

int CSideBarButton::SetView(std::unique_ptr<CWnd> window, int index)
{
    if (window == nullptr || !window->IsWindow() || index < 1 || index > 2)
        return m_currentView;
    if (index == 1 && dynamic_cast<IFloatingFolderView*>(window.get()) == nullptr)
        return m_currentView;
    CWnd* raw = window.get();
    auto& slot = m_views[static_cast<size_t>(index)];
    if (slot.get() != raw) {
        // The replaced window goes; when it is the one shown, nothing is shown.
        if (slot != nullptr && m_currentView == index)
            m_currentView = 0;
        slot = std::move(window);
    }
    return SetView(raw, index);
}

CWnd* CSideBarButton::GetView(int index) const
{
    if (index < 0 || index > 2)
        return nullptr;
    return m_views[static_cast<size_t>(index)].get();
}

bool CSideBarButton::IsFolderLike() const
{
    switch (StoredType()) {
    case typeFolder:
    case typeVirtualFolder:
    case typeComputer:
    case typeDocuments:
        return true;
    default:
        return false;
    }
}

bool CSideBarButton::IsDesktop() const
{
    return m_path == L"::";
}

void CSideBarButton::SetDeleted(bool deleted)
{
    m_type = (m_type & 0xFFFF) | (deleted ? kDeletedFlag : 0);
}

void CSideBarButton::FromRecord(const SideBarRecord& record)
{
    m_path = record.path;
    m_subButtonMask = record.subButtonMask;
    m_folderButtonPosition = record.folderButtonPosition;
    m_type = record.type;
    m_displayName = record.displayName;
    m_parameter = record.parameter;
    m_iconIndex = record.iconIndex;
}

SideBarRecord CSideBarButton::ToRecord() const
{
    SideBarRecord record;
    record.path = m_path;
    record.subButtonMask = m_subButtonMask;
    record.folderButtonPosition = m_folderButtonPosition;
    record.type = m_type;
    record.displayName = m_displayName;
    record.parameter = m_parameter;
    record.iconIndex = m_iconIndex;
    record.ordinal = m_ordinal;
    return record;
}
