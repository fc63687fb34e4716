#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "framework/CCmdTarget.h"

class COleDropTarget;

// Idle message that modal loops send to their dialog when the queue is
// empty; wParam MSGF_DIALOGBOX, lParam the idle count.
constexpr UINT WM_KICKIDLE = 0x036A;
// Idle command-update message that a thread sends to its windows.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

// A window object bound to one window handle. The object is bound at the
// window's first message, so it sees its own creation; one window procedure
// finds the object and calls its virtual WindowProc, which calls the named
// handlers below. Exceptions never leave a window procedure: they are
// reported and the message counts as handled.
//
// Lifetime: the object sees every message up to WM_NCDESTROY, then it is
// unbound and PostNcDestroy runs (a self-deleting window deletes itself
// there). A window must be destroyed while its whole object still exists,
// so that its own OnDestroy runs: call DestroyWindow in the destructor of
// the class that created the window, or hold the object in a CWndPtr. The
// base destructor only destroys a window still alive as a last resort,
// after unbinding it, because the derived parts are already gone then.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys a window that is still alive (after releasing the binding, so
    // no message reaches a half-destroyed object).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window handle, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // Registers a window class whose procedure is the framework's; returns
    // the class name (registered once per name).
    static const wchar_t* RegisterWndClass(const wchar_t* name, UINT classStyle = CS_DBLCLKS, HCURSOR cursor = nullptr,
                                           HBRUSH background = nullptr, HICON icon = nullptr);

    // Creates a window of a class registered with RegisterWndClass (or any
    // system class: it is then subclassed at its first message).
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT_PTR idOrMenu);

    // Binds an existing window (typically a dialog control) to this object
    // and routes its messages through it; undone at its WM_NCDESTROY.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    bool DestroyWindow();

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }
    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
    void Invalidate(bool erase = true) { InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    static BOOL UpdateWindow(HWND window) { return ::UpdateWindow(window); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    LONG_PTR GetStyle() const { return GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    LONG_PTR GetExStyle() const { return GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }
    bool MoveWindow(const RECT& rect, bool repaint = true)
    {
        return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            repaint ? TRUE : FALSE) != FALSE;
    }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    bool HasCapture() const { return m_hWnd != nullptr && ::GetCapture() == m_hWnd; }

    // Timers: WM_TIMER reaches OnTimer with the identifier.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }

    // Asks once for WM_MOUSELEAVE (TME_LEAVE) and, with TME_HOVER, for
    // WM_MOUSEHOVER after the hover time; they reach OnMouseLeave and
    // OnMouseHover. Call again after each to keep tracking.
    bool TrackMouse(DWORD flags = TME_LEAVE, DWORD hoverTime = HOVER_DEFAULT);

    // The system functions of the same names stay callable unqualified from
    // member functions of window classes.
    static LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::SendMessageW(window, message, wParam, lParam);
    }
    static BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostMessageW(window, message, wParam, lParam);
    }
    static HWND GetDlgItem(HWND window, int id) { return ::GetDlgItem(window, id); }
    static int GetWindowText(HWND window, LPWSTR text, int size) { return ::GetWindowTextW(window, text, size); }
    static BOOL SetWindowText(HWND window, LPCWSTR text) { return ::SetWindowTextW(window, text); }
    static UINT GetDlgItemText(HWND window, int id, LPWSTR text, int size)
    {
        return ::GetDlgItemTextW(window, id, text, size);
    }
    static BOOL SetDlgItemText(HWND window, int id, LPCWSTR text) { return ::SetDlgItemTextW(window, id, text); }
    static BOOL ShowWindow(HWND window, int command) { return ::ShowWindow(window, command); }
    static BOOL IsWindowVisible(HWND window) { return ::IsWindowVisible(window); }
    static BOOL IsWindow(HWND window) { return ::IsWindow(window); }
    static BOOL GetClientRect(HWND window, RECT* rect) { return ::GetClientRect(window, rect); }
    static BOOL GetWindowRect(HWND window, RECT* rect) { return ::GetWindowRect(window, rect); }
    static BOOL DestroyWindow(HWND window) { return ::DestroyWindow(window); }
    static HWND GetParent(HWND window) { return ::GetParent(window); }
    static HWND SetFocus(HWND window) { return ::SetFocus(window); }
    static HWND SetCapture(HWND window) { return ::SetCapture(window); }
    static UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc)
    {
        return ::SetTimer(window, id, elapse, proc);
    }
    static BOOL KillTimer(HWND window, UINT_PTR id) { return ::KillTimer(window, id); }

    // Accelerators translated for this window by the message loop.
    void SetAccelerators(HACCEL accelerators) { m_hAccel = accelerators; }

    // Called by the message loop for messages of this window and its
    // children before they are dispatched; true when consumed.
    virtual bool PreTranslateMessage(MSG* msg);

    // Called for every message of the window.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Default handling of the message now being processed.
    LRESULT Default();

    // Command routing continues from a window to these targets in turn; the
    // default adds nothing beyond the window itself.
    bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly = false) override;

    // The drop target registered for this window (see COleDropTarget); the
    // framework revokes it when the window is destroyed.
    COleDropTarget* GetDropTarget() const { return m_pDropTarget; }

protected:
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; a self-deleting window deletes itself.
    virtual void PostNcDestroy() {}

    // With this set, WM_INITMENUPOPUP runs the command-update walk over the
    // opening pop-up (items without a handler are disabled).
    bool m_bAutoMenuUpdate = false;

    // Named handlers; each default passes the message to default handling.
    // Points are in client coordinates unless the name says otherwise.
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual bool OnEraseBkgnd(HDC dc); // true: the background was erased
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnShowWindow(bool show, UINT status);
    virtual void OnSetFocus(HWND previous);
    virtual void OnKillFocus(HWND next);

    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual void OnRButtonUp(UINT flags, POINT point);
    virtual void OnRButtonDblClk(UINT flags, POINT point);
    virtual void OnMButtonDown(UINT flags, POINT point);
    virtual void OnMButtonUp(UINT flags, POINT point);
    // The point is in screen coordinates; true when the wheel was used.
    virtual bool OnMouseWheel(UINT flags, short delta, POINT screenPoint);
    virtual void OnMouseHover(UINT flags, POINT point);
    virtual void OnMouseLeave();
    virtual void OnCaptureChanged(HWND newCapture);
    // True when the cursor was set.
    virtual bool OnSetCursor(HWND window, UINT hitTest, UINT message);
    // The point is in screen coordinates; {-1, -1} when the menu was asked
    // for from the keyboard (Shift+F10 or the menu key).
    virtual void OnContextMenu(HWND window, POINT screenPoint);

    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysKeyDown(UINT key, UINT repeat, UINT flags);

    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnInitMenuPopup(HMENU popup, UINT index, bool sysMenu);
    virtual LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    // WM_COMMAND: reflected to a bound child first, then routed by
    // (identifier, notification code). True when handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflected to a bound child first. True when handled.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Messages a control sends to its parent (WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL,
    // WM_DELETEITEM, WM_COMPAREITEM) are first offered to the control's own
    // object here; true when it consumed the message (with its result).
    // What it leaves goes on to the parent's handlers below.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The parent's handlers for what the child left. OnDrawItem and
    // OnMeasureItem return true when they drew or measured.
    virtual bool OnDrawItem(int id, DRAWITEMSTRUCT* draw);
    virtual bool OnMeasureItem(int id, MEASUREITEMSTRUCT* measure);
    // A brush for the control, or null for the default colours.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
    virtual void OnHScroll(UINT code, UINT position, HWND scrollBar);
    virtual void OnVScroll(UINT code, UINT position, HWND scrollBar);

private:
    friend class CDialog;
    static LRESULT CALLBACK StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR idSubclass,
                                         DWORD_PTR refData);
    // Runs one message through the object, catching every exception.
    static LRESULT Dispatch(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    friend class COleDropTarget;
    void Attach(HWND window);
    void ReleaseBinding();
    // After the object's WM_DESTROY: revokes its drop target and leaves the
    // frames that had it as their active view.
    void AfterDestroy();
    // The end of a window: unbinds, forgets the object everywhere the
    // framework keeps it, then runs PostNcDestroy.
    void FinishNcDestroy();
    bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The control a message sent to the parent comes from, if any.
    HWND ChildOfMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HACCEL m_hAccel = nullptr;
    bool m_subclassed = false; // bound through SubclassWindow
    COleDropTarget* m_pDropTarget = nullptr;
};

// Destroys the window (so the object sees its own destruction) before the
// object is deleted.
template <class T> struct CWndDeleter {
    void operator()(T* wnd) const
    {
        if (wnd != nullptr) {
            wnd->DestroyWindow();
            delete wnd;
        }
    }
};
template <class T> using CWndPtr = std::unique_ptr<T, CWndDeleter<T>>;

// Owns a window object the way CWndPtr does.
template <class T, class... Args> CWndPtr<T> MakeWnd(Args&&... args)
{
    return CWndPtr<T>(new T(std::forward<Args>(args)...));
}

// The text of any window (empty for a null window).
std::wstring WindowTextOf(HWND window);

// Reports an exception that reached a window procedure or a thread boundary.
void ReportUnhandledException();
