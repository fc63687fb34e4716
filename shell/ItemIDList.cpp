#include "shell/ItemIDList.h"

#include <cstring>

#include "framework/CComPtr.h"
#include "shell/ShellExports.h"

namespace {

USHORT CountOf(LPCITEMIDLIST id)
{
    USHORT count = 0;
    std::memcpy(&count, id, sizeof(count));
    return count;
}

LPITEMIDLIST Advance(LPCITEMIDLIST id)
{
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(id)) + CountOf(id));
}

} // namespace

LPITEMIDLIST GetNextItemID(LPCITEMIDLIST list)
{
    if (list == nullptr || CountOf(list) == 0)
        return nullptr;
    LPITEMIDLIST next = Advance(list);
    return CountOf(next) == 0 ? nullptr : next;
}

UINT GetItemIDCount(LPCITEMIDLIST list)
{
    if (list == nullptr)
        return 0;
    UINT count = 1;
    for (LPCITEMIDLIST id = GetNextItemID(list); id != nullptr; id = GetNextItemID(id))
        ++count;
    return count;
}

UINT GetIDListSize(LPCITEMIDLIST list)
{
    if (list == nullptr)
        return 0;
    UINT size = 2;
    for (LPCITEMIDLIST id = list; CountOf(id) != 0; id = Advance(id))
        size += CountOf(id);
    return size;
}

CPidl CopyParentIDList(LPCITEMIDLIST list)
{
    if (list == nullptr)
        return CPidl();
    CPidl copy(ShellILClone(list));
    if (!copy || CountOf(copy.Get()) == 0)
        return copy;
    LPITEMIDLIST last = copy.Get();
    for (LPITEMIDLIST next = GetNextItemID(last); next != nullptr; next = GetNextItemID(next))
        last = next;
    const USHORT terminator = 0;
    std::memcpy(last, &terminator, sizeof(terminator));
    return copy;
}

LPITEMIDLIST ConcatIDLists(LPITEMIDLIST first, LPCITEMIDLIST second)
{
    if (first == nullptr)
        return nullptr;
    if (second == nullptr)
        return first;
    CComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Receive())) || !allocator)
        return nullptr;
    const UINT firstSize = GetIDListSize(first) - 2;
    const UINT secondSize = GetIDListSize(second);
    auto* joined = static_cast<BYTE*>(allocator->Alloc(firstSize + secondSize));
    if (joined == nullptr)
        return nullptr;
    std::memcpy(joined, first, firstSize);
    std::memcpy(joined + firstSize, second, secondSize);
    return reinterpret_cast<LPITEMIDLIST>(joined);
}
