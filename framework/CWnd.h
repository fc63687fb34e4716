#pragma once
#include <windows.h>

#include <string>

#include "framework/CCmdTarget.h"

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
    RECT GetClientRect() const;
    RECT GetWindowRect() const;

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

protected:
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; a self-deleting window deletes itself.
    virtual void PostNcDestroy() {}

    // Named handlers; each default passes the message to default handling.
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnShowWindow(bool show, UINT status);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnInitMenuPopup(HMENU popup, UINT index, bool sysMenu);
    virtual LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: reflected to a bound child first, then routed by
    // (identifier, notification code). True when handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflected to a bound child first. True when handled.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_DRAWITEM etc. reflected to the child control's object; true when
    // that object handled it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    friend class CDialog;
    static LRESULT CALLBACK StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR idSubclass,
                                         DWORD_PTR refData);
    // Runs one message through the object, catching every exception.
    static LRESULT Dispatch(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void ReleaseBinding();
    bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HACCEL m_hAccel = nullptr;
    bool m_subclassed = false; // bound through SubclassWindow
};

// The text of any window (empty for a null window).
std::wstring WindowTextOf(HWND window);

// Reports an exception that reached a window procedure or a thread boundary.
void ReportUnhandledException();
