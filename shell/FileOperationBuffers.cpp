#include "shell/FileOperationBuffers.h"

#include <ole2.h>

#include <cstring>
#include <new>

namespace {

CPathBuffer AllocateZeroed(size_t bytes)
{
    return CPathBuffer(static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes)));
}

} // namespace

CPathBuffer MakePathBuffer(const std::wstring& path)
{
    CPathBuffer buffer = AllocateZeroed(2 * path.size() + 6);
    if (buffer)
        std::memcpy(buffer.get(), path.data(), path.size() * sizeof(wchar_t));
    return buffer;
}

CPathBuffer MakePathListBuffer(const std::vector<std::wstring>& paths)
{
    if (paths.empty())
        return nullptr;
    try {
        for (const std::wstring& path : paths) {
            if (path.size() > kMaxListPath)
                return nullptr;
        }
        // One character more than the slots, so that a list whose paths fill
        // their slots still ends with the second zero.
        CPathBuffer buffer = AllocateZeroed((paths.size() * kPathListSlot + 1) * sizeof(wchar_t));
        if (!buffer)
            return nullptr;
        wchar_t* at = buffer.get();
        for (const std::wstring& path : paths) {
            std::memcpy(at, path.data(), path.size() * sizeof(wchar_t));
            at += path.size() + 1;
        }
        return buffer;
    } catch (const std::exception&) {
        return nullptr;
    }
}

size_t PathBufferBytes(const CPathBuffer& buffer)
{
    if (!buffer)
        return 0;
    const SIZE_T size = HeapSize(GetProcessHeap(), 0, buffer.get());
    return size == static_cast<SIZE_T>(-1) ? 0 : size;
}

UINT FileOperationForEffect(DWORD dropEffect)
{
    return (dropEffect & DROPEFFECT_MOVE) != 0 && (dropEffect & DROPEFFECT_COPY) == 0 ? FO_MOVE : FO_COPY;
}
