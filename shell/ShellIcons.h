#pragma once
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "framework/Handles.h"

// Icons for paths, item-ID lists and system image-list indexes. Every icon
// handed out belongs to the caller.

// The system image list's interface, IImageList.
extern const IID kIidImageList;

// The system image list of a kind (SHIL_ number) through SHGetImageList,
// found by name or, where the name is not exported, by ordinal 727. A
// library that cannot be loaded or a function that cannot be found gives
// the last system error as an HRESULT.
HRESULT GetSystemImageList(int kind, REFIID iid, void** list);

// The image-list kind used for an icon size: up to 16 the small list, up to
// 32 the large, up to 48 the extra-large, 49 to 256 the jumbo, and the large
// list again above 256.
int ImageListKindForSize(int size);

// The system icon of a path or an absolute list from the image list chosen
// by size. Only on systems later than Server 2003 R2.
bool GetSystemIconBySize(const std::wstring& path, CIconHandle& icon, int size);
bool GetSystemIconBySize(LPCITEMIDLIST list, CIconHandle& icon, int size);

// The icon of a system image-list index, from the image list chosen by size.
bool GetSystemIconByIndex(CIconHandle& icon, int size, int index);

// The icon the desktop folder's icon extractor gives for a path.
bool ExtractIconViaShell(const std::wstring& path, CIconHandle& icon, int size);

// Results of ComposeNetworkIcon.
enum NetworkIconResult {
    kNetworkIconFailed = -1,   // the netshell icons could not be extracted or composed
    kNotNetworkLocation = 0,   // the location is not "netshellicon::..."
    kNetworkIconMade = 1,      // the icon was made
    kUnknownNetworkFolder = 2, // a network location of an unknown folder
};

// The icon of a network connections folder whose icon location reads
// "netshellicon::" and the folder's class identifier: below 32 pixels one
// netshell icon, from 32 up the base icon with the folder's overlay drawn on
// it (with GDI+).
int ComposeNetworkIcon(const std::wstring& location, CIconHandle& icon, int size);

// A new icon of the base icon's size: the base with the overlay drawn over
// it. Null on failure. Starts and stops GDI+ for the call.
HICON ComposeIcons(HICON base, HICON overlay);

// What the shell says about a path or parsing name, through its parent
// folder: each output is read only when given (non-null). An icon (at the
// size) or icon index comes from the parent's IShellIcon. False when a
// requested part could not be read.
bool GetShellInfoOfPath(const std::wstring& path, std::wstring* typeText, std::wstring* displayName, int* iconIndex,
                        CIconHandle* icon, int size, ULONG* attributes);

// Fills a file-information record whose display-name field holds a path on
// entry: attributes, type name, display name and, for a size above 0, an
// icon of that size in hIcon (owned by the caller). Works for virtual
// objects ("::{...}") too. False when no information (or no requested icon)
// could be had.
bool GetFileIconInfo(SHFILEINFOW& record, int size);

// An icon of shell32.dll (29 or 28 are the ones the program uses) at the
// default icon size.
bool GetStockShellIcon(int index, CIconHandle& icon);

// The 48-pixel icon of a special folder (CSIDL_ number); false when the
// folder has no icon that can be extracted.
bool GetSpecialFolderIcon(int folder, CIconHandle& icon);
