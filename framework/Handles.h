#pragma once
#include <windows.h>

#include <utility>

// Owners for system handles. Each owner closes its handle with the one
// function that matches the handle's kind; it can be moved, never copied.
template <class Traits> class CHandleOwner {
public:
    using HandleType = typename Traits::HandleType;

    CHandleOwner() = default;
    explicit CHandleOwner(HandleType handle) : m_handle(handle) {}
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : m_handle(other.Detach()) {}
    CHandleOwner& operator=(CHandleOwner&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~CHandleOwner() { Reset(); }

    HandleType Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }

    // Takes ownership of a new handle, closing the one held before.
    void Reset(HandleType handle = Traits::Invalid())
    {
        if (Traits::IsValid(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }

    // Gives up ownership without closing.
    HandleType Detach() { return std::exchange(m_handle, Traits::Invalid()); }

private:
    HandleType m_handle = Traits::Invalid();
};

namespace HandleTraits {

struct Kernel {
    using HandleType = HANDLE;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HandleType h) { CloseHandle(h); }
};

struct File {
    using HandleType = HANDLE;
    static HandleType Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HandleType h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HandleType h) { CloseHandle(h); }
};

struct FindFile {
    using HandleType = HANDLE;
    static HandleType Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HandleType h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HandleType h) { FindClose(h); }
};

template <class T> struct Gdi {
    using HandleType = T;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { DeleteObject(h); }
};

struct Icon {
    using HandleType = HICON;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { DestroyIcon(h); }
};

struct Menu {
    using HandleType = HMENU;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { DestroyMenu(h); }
};

struct MemoryDC {
    using HandleType = HDC;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { DeleteDC(h); }
};

struct RegKey {
    using HandleType = HKEY;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { RegCloseKey(h); }
};

struct Global {
    using HandleType = HGLOBAL;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { GlobalFree(h); }
};

struct Accelerator {
    using HandleType = HACCEL;
    static HandleType Invalid() { return nullptr; }
    static bool IsValid(HandleType h) { return h != nullptr; }
    static void Close(HandleType h) { DestroyAcceleratorTable(h); }
};

} // namespace HandleTraits

using CKernelHandle = CHandleOwner<HandleTraits::Kernel>;
using CFileHandle = CHandleOwner<HandleTraits::File>;
using CFindHandle = CHandleOwner<HandleTraits::FindFile>;
using CBitmapHandle = CHandleOwner<HandleTraits::Gdi<HBITMAP>>;
using CFontHandle = CHandleOwner<HandleTraits::Gdi<HFONT>>;
using CBrushHandle = CHandleOwner<HandleTraits::Gdi<HBRUSH>>;
using CPenHandle = CHandleOwner<HandleTraits::Gdi<HPEN>>;
using CRgnHandle = CHandleOwner<HandleTraits::Gdi<HRGN>>;
using CIconHandle = CHandleOwner<HandleTraits::Icon>;
using CMenuHandle = CHandleOwner<HandleTraits::Menu>;
using CMemoryDCHandle = CHandleOwner<HandleTraits::MemoryDC>;
using CRegKeyHandle = CHandleOwner<HandleTraits::RegKey>;
using CGlobalHandle = CHandleOwner<HandleTraits::Global>;
using CAccelHandle = CHandleOwner<HandleTraits::Accelerator>;

// A device context obtained with GetDC, released with ReleaseDC.
class CClientDCHandle {
public:
    explicit CClientDCHandle(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    CClientDCHandle(const CClientDCHandle&) = delete;
    CClientDCHandle& operator=(const CClientDCHandle&) = delete;
    ~CClientDCHandle()
    {
        if (m_dc != nullptr)
            ReleaseDC(m_window, m_dc);
    }
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// The painting device context of WM_PAINT: BeginPaint on construction,
// EndPaint when it goes, so the area is validated even when drawing fails.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_window, &m_paint); }
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    // The area to repaint, in client coordinates.
    const RECT& PaintRect() const { return m_paint.rcPaint; }
    bool EraseRequested() const { return m_paint.fErase != FALSE; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};

// Selects a GDI object into a device context and selects the previous one
// back when it goes out of scope.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject()
    {
        if (m_previous != nullptr && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Locks a global memory block for the life of the object.
template <class T> class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL memory) : m_memory(memory), m_data(static_cast<T*>(GlobalLock(memory))) {}
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    ~CGlobalLock()
    {
        if (m_data != nullptr)
            GlobalUnlock(m_memory);
    }
    T* Get() const { return m_data; }
    explicit operator bool() const { return m_data != nullptr; }

private:
    HGLOBAL m_memory;
    T* m_data;
};
