#pragma once
#include <windows.h>

#include <shlobj.h>

#include <utility>

// Owns one item-ID list allocated by the shell allocator and frees it with
// the same allocator. Movable, not copyable; Clone makes an owned copy.
class CPidl {
public:
    CPidl() = default;
    explicit CPidl(LPITEMIDLIST pidl) : m_pidl(pidl) {}
    CPidl(const CPidl&) = delete;
    CPidl& operator=(const CPidl&) = delete;
    CPidl(CPidl&& other) noexcept : m_pidl(std::exchange(other.m_pidl, nullptr)) {}
    CPidl& operator=(CPidl&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~CPidl() { Reset(); }

    LPITEMIDLIST Get() const { return m_pidl; }
    explicit operator bool() const { return m_pidl != nullptr; }

    void Reset(LPITEMIDLIST pidl = nullptr)
    {
        if (m_pidl != nullptr)
            CoTaskMemFree(m_pidl);
        m_pidl = pidl;
    }
    LPITEMIDLIST Detach() { return std::exchange(m_pidl, nullptr); }

    // For functions that hand back a new list through an out parameter.
    LPITEMIDLIST* Receive()
    {
        Reset();
        return &m_pidl;
    }

    static CPidl Clone(LPCITEMIDLIST pidl) { return CPidl(pidl != nullptr ? ILClone(pidl) : nullptr); }

private:
    LPITEMIDLIST m_pidl = nullptr;
};
