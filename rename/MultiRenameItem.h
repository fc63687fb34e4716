#pragma once
#include <windows.h>

#include <string>

class CShellItem;

// One file or folder of the multi-rename tool: what it is called now, what
// it will be called, and the facts the patterns draw on.
struct _tagMultiRenameItemData {
    // Kinds of item.
    static constexpr int kFile = 1;
    static constexpr int kFolder = 2;
    static constexpr int kLink = 3;

    std::wstring oldName;      // in-folder name without its extension; a folder's whole name
    std::wstring oldExtension; // a file's extension without the dot; empty for a folder
    std::wstring newName;
    std::wstring newExtension;
    std::wstring folder;    // the folder holding the item
    std::wstring newFolder; // where the item goes
    std::wstring path;      // the full path
    int kind = kFile;
    int previewKind = 1;        // 4 folder, 3 MP3 sound, 2 picture, 1 anything else
    SYSTEMTIME time{};          // the chosen file time in local time; all zero when unreadable
    CShellItem* item = nullptr; // not owned
};

// Which file time a rename item carries: 0 creation, 1 last write, 2 last access.
enum class RenameTimeKind { Creation = 0, LastWrite = 1, LastAccess = 2 };

// Fills an item from plain facts: the in-folder name, the full path and
// whether it is a folder or a link. The time is read from the file system.
_tagMultiRenameItemData MakeRenameItem(const std::wstring& inFolderName, const std::wstring& path, bool isFolder,
                                       bool isLink, RenameTimeKind timeKind);

// The preview kind of a file by its extension (with the dot).
int GetPreviewKind(const std::wstring& extension);
