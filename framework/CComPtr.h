#pragma once
#include <unknwn.h>

#include <utility>

// Holds one reference to a COM object and releases it when it goes.
template <class T> class CComPtr {
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}
    // Adds a reference to the given pointer.
    explicit CComPtr(T* p) : m_p(p)
    {
        if (m_p != nullptr)
            m_p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~CComPtr() { Release(); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For functions that return a new reference through an out parameter;
    // releases what was held before.
    T** Receive()
    {
        Release();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Takes over a reference the caller already owns.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }

    void Release()
    {
        if (m_p != nullptr)
            std::exchange(m_p, nullptr)->Release();
    }

    template <class Q> HRESULT QueryInterface(CComPtr<Q>& out) const
    {
        if (m_p == nullptr)
            return E_POINTER;
        return m_p->QueryInterface(__uuidof(Q), out.ReceiveVoid());
    }

private:
    T* m_p = nullptr;
};
