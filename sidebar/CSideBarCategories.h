#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "folderbuttons/FolderButtonRecord.h"
#include "sidebar/CSideBarButton.h"
#include "sidebar/CSideBarDataFile.h"

class ICategoryShell;

// The sidebar's categories: the ordered list the sidebar window owns, its
// indexed copy, the category file, and the operations that change them.
// Every change is written to the file at once; when a write fails, the list
// is put back as the file has it and the failure is reported.
class CSideBarCategories {
public:
    using CategoryList = std::vector<std::unique_ptr<CSideBarButton>>;

    // What the modify dialog starts with (see PrepareModifyCategory).
    struct ModifyStart {
        bool hasRoot = false;    // the category's root record names its path
        bool enumerate = false;  // the enumerate box starts checked
        bool folderType = false; // the type box starts on "Folder" (else "Document")
        FolderButtonRecord root; // the root record, when hasRoot
    };

    // The shell stays the caller's; the list never owns it.
    explicit CSideBarCategories(ICategoryShell& shell);
    CSideBarCategories(const CSideBarCategories&) = delete;
    CSideBarCategories& operator=(const CSideBarCategories&) = delete;
    ~CSideBarCategories();

    // The sidebar window: owner of the error boxes.
    void SetOwner(HWND owner);
    // The sidebar's icon list (not owned); its first four images are fixed:
    // 0 computer, 1 documents, 2 folder, 3 desktop.
    void SetIconList(HIMAGELIST icons) { m_icons = icons; }
    // Called when the categories must be laid out again, and to repaint.
    void SetLayoutHandler(std::function<void()> layout) { m_layout = std::move(layout); }
    void SetRepaintHandler(std::function<void()> repaint) { m_repaint = std::move(repaint); }

    // Loads the list from the file (the defaults when it holds none); true
    // when the list holds categories.
    bool LoadCategories();
    bool SaveCategories();
    // Path kinds as ICategoryShell gives them. Returns the new category, or
    // none when it could not be added (the list is then as before).
    CSideBarButton* AddCategory(const std::wstring& name, const std::wstring& path, int pathKind,
                                const std::wstring& parameter, bool enumerate, bool redraw);
    bool CreateDefaultCategories(bool save);
    bool DeleteCategory(CSideBarButton* category);
    bool RenameCategory(CSideBarButton* category, const std::wstring& newName);
    // Before the modify dialog: none when the category cannot be modified.
    std::optional<ModifyStart> PrepareModifyCategory(CSideBarButton* category);
    // After the dialog's OK.
    bool ModifyCategory(CSideBarButton* category, const ModifyStart& start, const std::wstring& name,
                        const std::wstring& path, const std::wstring& parameter, bool enumerate);
    void AssignCategoryIcons();
    // Rebuilds the indexed array from the list; false when the list is empty.
    bool RebuildIndex();

    const CategoryList& Categories() const { return m_list; }
    const std::vector<CSideBarButton*>& Indexed() const { return m_indexed; }
    int FirstVisibleIndex() const { return m_firstVisible; }
    CSideBarButton* Current() const { return m_current; }
    void SetCurrent(CSideBarButton* category) { m_current = category; }
    CSideBarDataFile& DataFile() { return m_dataFile; }

private:
    void ReadAllRecords();
    // Destroys every category and releases the icons they own.
    void DestroyAll();
    void ReleaseOwnedIcons();
    // Takes one category out again (a failed add), with its icon when it is the last image.
    void RemoveCategory(CSideBarButton* category);
    // Adds the path's icon to the icon list; its index, or -1.
    int AddPathIcon(const std::wstring& path);
    // A root record for the path: enumerate the folder, no parent, no next.
    FolderButtonRecord BuildRootRecord(const std::wstring& path, const std::wstring& name, uint32_t kind,
                                       int64_t offset);
    void Layout();
    void Repaint();

    ICategoryShell& m_shell;
    CSideBarDataFile m_dataFile;
    CategoryList m_list;
    std::vector<CSideBarButton*> m_indexed;
    HIMAGELIST m_icons = nullptr;
    HWND m_owner = nullptr;
    int m_firstVisible = -1;
    CSideBarButton* m_current = nullptr;
    bool m_loadedOnce = false;
    std::function<void()> m_layout;
    std::function<void()> m_repaint;
};
