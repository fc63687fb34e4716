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

// Holds an item-ID list that it either owns (and frees like CPidl) or only
// refers to, because the list belongs to someone who outlives the holder
// (say the view that lists a folder and shares the folder's list with its
// items). Which of the two is decided when the list is stored.
class CPidlRef {
public:
    CPidlRef() = default;
    CPidlRef(const CPidlRef&) = delete;
    CPidlRef& operator=(const CPidlRef&) = delete;
    ~CPidlRef() { Reset(); }

    // Takes ownership of the list.
    void Own(CPidl pidl)
    {
        Reset();
        m_pidl = pidl.Detach();
        m_owns = m_pidl != nullptr;
    }
    // Refers to a list owned elsewhere; it is never freed here.
    void Share(LPCITEMIDLIST pidl)
    {
        Reset();
        m_pidl = const_cast<LPITEMIDLIST>(pidl);
    }
    // Frees the list when it is owned, and forgets it.
    void Reset()
    {
        if (m_owns && m_pidl != nullptr)
            CoTaskMemFree(m_pidl);
        m_pidl = nullptr;
        m_owns = false;
    }

    LPITEMIDLIST Get() const { return m_pidl; }
    bool Owns() const { return m_owns; }
    explicit operator bool() const { return m_pidl != nullptr; }

private:
    LPITEMIDLIST m_pidl = nullptr;
    bool m_owns = false;
};
