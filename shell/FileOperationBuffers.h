#pragma once
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

// Path buffers for SHFileOperationW and the flag sets every file operation
// of the program uses.

// Frees a buffer taken from the process heap.
struct CProcessHeapFree {
    void operator()(void* memory) const
    {
        if (memory != nullptr)
            HeapFree(GetProcessHeap(), 0, memory);
    }
};

// A zeroed process-heap buffer of paths, each ended by a zero character and
// the whole ended by a second one.
using CPathBuffer = std::unique_ptr<wchar_t[], CProcessHeapFree>;

// One path in a buffer of 2 x length + 6 bytes, so that it ends with at
// least two zero characters (the empty path gives six zero bytes). Null
// when the heap cannot give the memory.
CPathBuffer MakePathBuffer(const std::wstring& path);

// Longest path a list buffer takes: each path gets 262 characters.
constexpr size_t kPathListSlot = 262;
constexpr size_t kMaxListPath = kPathListSlot - 1;

// The paths one after the other, each ended by a zero character, in a
// zeroed buffer of 524 bytes per path and one closing zero character. Null for an empty list, for a path
// longer than 261 characters, or when the buffer cannot be made.
CPathBuffer MakePathListBuffer(const std::vector<std::wstring>& paths);

// Byte size of a buffer from the two functions above.
size_t PathBufferBytes(const CPathBuffer& buffer);

// The flag sets of the file operations.
// Delete to the recycle bin: warn on permanent delete, allow undo.
constexpr FILEOP_FLAGS kRecycleFlags = FOF_WANTNUKEWARNING | FOF_ALLOWUNDO;
// Permanent delete (Shift held): warn on permanent delete.
constexpr FILEOP_FLAGS kPermanentDeleteFlags = FOF_WANTNUKEWARNING;
// Copy or move by paste or drop: no confirmation for new folders, allow
// undo, no confirmation, rename on collision.
constexpr FILEOP_FLAGS kPasteDropFlags =
    FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION;
// Rename: allow undo, no confirmation, rename on collision.
constexpr FILEOP_FLAGS kRenameFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION;

static_assert(kRecycleFlags == 0x4040 && kPermanentDeleteFlags == 0x4000 && kPasteDropFlags == 0x258 &&
              kRenameFlags == 0x58);

// The operation a drop or clipboard effect asks for: FO_MOVE for a move
// effect, FO_COPY otherwise.
UINT FileOperationForEffect(DWORD dropEffect);
