#pragma once
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "framework/CPidl.h"

// The system's folder chooser (SHBrowseForFolder), opened on a starting
// folder. Derived classes may watch the selection and decide what happens
// to a typed path that is not a folder.
class CFolderBrowseDialog {
public:
    explicit CFolderBrowseDialog(std::wstring title = {}, UINT flags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE,
                                 HWND owner = nullptr);
    virtual ~CFolderBrowseDialog() = default;

    // Selected when the chooser opens.
    void SetInitialFolder(const std::wstring& path) { m_initial = path; }
    // The top of the tree shown; null for the desktop. Not owned.
    void SetRoot(LPCITEMIDLIST root) { m_root = root; }

    // Runs the chooser; IDOK with a selection, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    // The chosen folder: its item-ID list, and its path when it has one.
    LPCITEMIDLIST GetSelectedItem() const { return m_selected.Get(); }
    const std::wstring& GetPath() const { return m_path; }

protected:
    // The chooser window, while it is open.
    HWND GetDialogWindow() const { return m_window; }
    // Enables or disables the OK button.
    void EnableOK(bool on);

    virtual void OnInitialized();
    virtual void OnSelChanged(LPCITEMIDLIST item);
    // A path typed into the edit box that is not a folder (with
    // BIF_EDITBOX or BIF_NEWDIALOGSTYLE | BIF_EDITBOX); return true to keep
    // the chooser open, false to close it without a selection.
    virtual bool OnValidateFailed(const std::wstring& typed);

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam, LPARAM data);

    std::wstring m_title;
    UINT m_flags;
    HWND m_owner;
    std::wstring m_initial;
    LPCITEMIDLIST m_root = nullptr;
    HWND m_window = nullptr;
    CPidl m_selected;
    std::wstring m_path;
};
