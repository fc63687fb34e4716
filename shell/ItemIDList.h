#pragma once
#include <windows.h>

#include <shlobj.h>

#include "framework/CPidl.h"

// Arithmetic on the shell's item-ID lists: a sequence of IDs, each a 16-bit
// byte count (counting itself) and its bytes, ended by an ID of count 0.

// The ID after the first one; null when the list is null or empty, or when
// the next ID is the terminator. Walking with it visits the second and later
// IDs and stops on the last real one.
LPITEMIDLIST GetNextItemID(LPCITEMIDLIST list);

// Number of IDs: 0 for null, otherwise 1 plus the steps GetNextItemID makes
// (so the empty list counts 1 as well).
UINT GetItemIDCount(LPCITEMIDLIST list);

// Bytes of the whole list with its terminator; 0 for null.
UINT GetIDListSize(LPCITEMIDLIST list);

// A copy of the list without its last ID (the parent's absolute list); a
// list without IDs is copied as it is. Empty for null.
CPidl CopyParentIDList(LPCITEMIDLIST list);

// The two lists joined in a new list from the shell allocator. Null when the
// first list is null or no allocator can be had. When the second list is
// null the result is the first list itself, not a copy: the caller then owns
// nothing new.
LPITEMIDLIST ConcatIDLists(LPITEMIDLIST first, LPCITEMIDLIST second);
