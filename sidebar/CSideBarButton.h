#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/CObject.h"

class CWnd;
struct SideBarRecord;

// One category of the sidebar: a named shortcut to a folder, a virtual
// folder, a document or a program, with its two view windows (1 the
// floating folder window, 2 the explorer panel), which it owns.
class CSideBarButton : public CObject {
public:
    // Stored types (low half of the type).
    enum StoredType : uint32_t {
        typeFolder = 1,
        typeProgram = 2,
        typeVirtualFolder = 3,
        typeComputer = 4,
        typeDocuments = 5,
        typeDocument = 6,
    };
    static constexpr uint32_t kDeletedFlag = 0x10000;

    CSideBarButton();
    CSideBarButton(const CSideBarButton&) = delete;
    CSideBarButton& operator=(const CSideBarButton&) = delete;
    // Destroys the view windows.
    ~CSideBarButton() override;

    // Switches the category to the view at the index (0..2) and returns the
    // previous index. Refused (the current index returned) for a window that
    // is missing or not alive, an index outside 0..2, a window of view 1
    // that is not a floating folder window, or a window the category does
    // not hold at that index (new windows come through the owning form).
    // The current view's window is hidden when the index changes; the
    // window is shown. Index 0 clears the stored window of index 0.
    int SetView(CWnd* window, int index);
    // Takes ownership of a newly created view window and switches to it as
    // above; a refused window is destroyed.
    int SetView(std::unique_ptr<CWnd> window, int index);
    // The window of the view; none outside 0..2.
    CWnd* GetView(int index) const;
    int GetCurrentView() const { return m_currentView; }

    uint32_t StoredType() const { return m_type & 0xFFFF; }
    bool IsFolderLike() const;
    bool IsDesktop() const;
    bool IsDeleted() const { return (m_type & kDeletedFlag) != 0; }
    void SetDeleted(bool deleted);

    // Fills the fields kept in the category file from a record, and a
    // record from them (texts cut to 259 characters).
    void FromRecord(const SideBarRecord& record);
    SideBarRecord ToRecord() const;

    std::wstring m_displayName;
    std::wstring m_path;
    std::wstring m_parameter;
    uint32_t m_type = 0;
    int m_ordinal = -1;
    RECT m_layoutRect{};
    int m_subButtonMask = 0;
    int64_t m_folderButtonPosition = -1;
    int m_iconIndex = -1;
    bool m_ownsIcon = false;
    RECT m_iconRect{};

private:
    int m_currentView = 0;
    std::array<std::unique_ptr<CWnd>, 3> m_views;
};
