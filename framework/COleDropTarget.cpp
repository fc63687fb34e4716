#include "framework/COleDropTarget.h"

#include "framework/CWnd.h"

COleDropTarget::~COleDropTarget()
{
    Revoke();
    if (m_pDragData != nullptr)
        m_pDragData->Release();
}

bool COleDropTarget::Register(CWnd* wnd)
{
    if (wnd == nullptr || wnd->m_hWnd == nullptr || m_pWnd != nullptr || wnd->m_pDropTarget != nullptr)
        return false;
    if (FAILED(RegisterDragDrop(wnd->m_hWnd, this)))
        return false;
    m_pWnd = wnd;
    wnd->m_pDropTarget = this;
    return true;
}

void COleDropTarget::Revoke()
{
    if (m_pWnd == nullptr)
        return;
    if (m_pWnd->m_hWnd != nullptr)
        RevokeDragDrop(m_pWnd->m_hWnd);
    m_pWnd->m_pDropTarget = nullptr;
    m_pWnd = nullptr;
}

DWORD COleDropTarget::DropEffectFromKeyState(DWORD keyState, DWORD allowed, DWORD preferred)
{
    DWORD wanted = DROPEFFECT_NONE;
    const bool control = (keyState & MK_CONTROL) != 0;
    const bool shift = (keyState & MK_SHIFT) != 0;
    if (control && shift)
        wanted = DROPEFFECT_LINK;
    else if (control)
        wanted = DROPEFFECT_COPY;
    else if (shift)
        wanted = DROPEFFECT_MOVE;
    else
        wanted = preferred != DROPEFFECT_NONE ? preferred : DROPEFFECT_MOVE;
    if (allowed & wanted)
        return wanted;
    for (const DWORD fallback : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
        if (allowed & fallback)
            return fallback;
    }
    return DROPEFFECT_NONE;
}

DWORD COleDropTarget::OnDragEnter(IDataObject*, DWORD, POINT, DWORD)
{
    return DROPEFFECT_NONE;
}

DWORD COleDropTarget::OnDragOver(IDataObject*, DWORD, POINT, DWORD)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave()
{
}

DWORD COleDropTarget::OnDrop(IDataObject*, DWORD, POINT, DWORD)
{
    return DROPEFFECT_NONE;
}

HRESULT COleDropTarget::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG COleDropTarget::AddRef()
{
    return InterlockedIncrement(&m_refs);
}

ULONG COleDropTarget::Release()
{
    return InterlockedDecrement(&m_refs);
}

POINT COleDropTarget::ToClient(POINTL point) const
{
    POINT client{point.x, point.y};
    if (m_pWnd != nullptr && m_pWnd->m_hWnd != nullptr)
        ScreenToClient(m_pWnd->m_hWnd, &client);
    return client;
}

// Exceptions stop at this boundary as at a window procedure's: OLE calls
// these from inside its drag loop.
template <class Work> static HRESULT Guarded(Work work)
{
    try {
        work();
        return S_OK;
    } catch (...) {
        ReportUnhandledException();
        return E_UNEXPECTED;
    }
}

HRESULT COleDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    if (m_pDragData != nullptr)
        m_pDragData->Release();
    m_pDragData = data;
    if (m_pDragData != nullptr)
        m_pDragData->AddRef();
    return Guarded([&] {
        *effect = OnDragEnter(data, keyState, ToClient(point), DropEffectFromKeyState(keyState, allowed)) & allowed;
    });
}

HRESULT COleDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    return Guarded([&] {
        *effect =
            OnDragOver(m_pDragData, keyState, ToClient(point), DropEffectFromKeyState(keyState, allowed)) & allowed;
    });
}

HRESULT COleDropTarget::DragLeave()
{
    const HRESULT result = Guarded([&] { OnDragLeave(); });
    if (m_pDragData != nullptr)
        m_pDragData->Release();
    m_pDragData = nullptr;
    return result;
}

HRESULT COleDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    const HRESULT result = Guarded([&] {
        *effect = OnDrop(data, keyState, ToClient(point), DropEffectFromKeyState(keyState, allowed)) & allowed;
    });
    if (m_pDragData != nullptr)
        m_pDragData->Release();
    m_pDragData = nullptr;
    return result;
}
