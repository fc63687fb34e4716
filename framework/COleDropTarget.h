#pragma once
#include <windows.h>

#include <ole2.h>

class CWnd;

// A window's drop target. Register binds it to a window for that window's
// life: the framework revokes it when the window is destroyed (or when the
// object goes first). The four On* handlers decide; the default answers
// refuse every drop. Each receives the effect that the key state asks for
// among the allowed ones (see DropEffectFromKeyState) and returns the
// effect it grants.
class COleDropTarget : public IDropTarget {
public:
    COleDropTarget() = default;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
    virtual ~COleDropTarget();

    // Registers with OLE for the window (OLE must be initialised on the
    // window's thread). False when the window has a drop target already.
    bool Register(CWnd* wnd);
    void Revoke();
    bool IsRegistered() const { return m_pWnd != nullptr; }
    CWnd* GetWindow() const { return m_pWnd; }

    // The effect a drag with these keys asks for: Ctrl copies, Shift moves,
    // Ctrl+Shift links, and without a modifier the preferred effect (move
    // when none is given) applies; what is not allowed falls back to copy,
    // then move, then link, then none.
    static DWORD DropEffectFromKeyState(DWORD keyState, DWORD allowed, DWORD preferred = DROPEFFECT_NONE);

    // Points are in the window's client coordinates.
    virtual DWORD OnDragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD suggested);
    virtual DWORD OnDragOver(IDataObject* data, DWORD keyState, POINT point, DWORD suggested);
    virtual void OnDragLeave();
    virtual DWORD OnDrop(IDataObject* data, DWORD keyState, POINT point, DWORD suggested);

    // IUnknown: the object's life is its owner's; OLE only borrows it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // References OLE holds at the moment (0 when not registered).
    ULONG GetBorrowCount() const { return m_refs; }

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    POINT ToClient(POINTL point) const;

    CWnd* m_pWnd = nullptr;
    IDataObject* m_pDragData = nullptr; // held between DragEnter and DragLeave or Drop
    ULONG m_refs = 0;
};
