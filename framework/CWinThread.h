#pragma once
#include <windows.h>

#include <functional>
#include <map>

#include "framework/CCmdTarget.h"

class CWnd;

// Whether a message, once handled, lets idle processing run again: paints
// and the caret blink (the system timer) do not.
constexpr bool RestartsIdle(UINT message)
{
    return message != WM_PAINT && message != 0x0118 /* WM_SYSTIMER */;
}

// A user-interface thread: runs InitInstance, then a message loop with idle
// processing and pre-translation until WM_QUIT, then ExitInstance. With
// m_bAutoDelete (the default) the object deletes itself when its thread ends;
// a caller that waits for the thread must therefore keep its own duplicate
// of the handle (DuplicateThreadHandle).
class CWinThread : public CCmdTarget {
public:
    CWinThread();
    ~CWinThread() override;

    // Starts the thread. Flags may hold CREATE_SUSPENDED.
    bool CreateThread(DWORD createFlags = 0, UINT stackSize = 0);
    bool SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority) != FALSE; }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    // A new handle of the thread, owned by the caller (null on failure).
    HANDLE DuplicateThreadHandle() const;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    bool m_bAutoDelete = true;
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;

    virtual bool InitInstance();
    virtual int Run();
    virtual bool PreTranslateMessage(MSG* msg);
    // Idle processing; return true while more idle work is wanted.
    virtual bool OnIdle(LONG count);
    virtual int ExitInstance();
    // Gets and dispatches one message; false at WM_QUIT.
    virtual bool PumpMessage();
    // Messages after which idle processing runs again.
    virtual bool IsIdleMessage(const MSG* msg);

    // Ends the thread's message loop with the given exit code.
    void EndMessageLoop(int exitCode);

    // The thread object of the calling thread (null for foreign threads).
    static CWinThread* GetCurrent();
    // The main window of the calling thread's thread object, if any.
    static HWND GetCurrentMainWindow();

    // Offers a message to the bound windows from its target up to its
    // top-level window; true when one of them consumed it.
    static bool WalkPreTranslate(MSG* msg);

    // A message posted to the thread itself (no window): handed to the
    // handler registered for it. True when one handled it. Thread messages
    // reach it from the thread's loop, from the framework's modal loops and,
    // through a message-filter hook, from the system's modal loops (message
    // boxes, menus, common dialogs), which would otherwise drop them.
    virtual bool OnThreadMessage(const MSG& msg);

    // Clears every thread object's main and active window pointers that
    // point at the window object (called when a window goes).
    static void ForgetWindow(const CWnd* wnd);

    // Sends WM_IDLEUPDATECMDUI to every visible top-level window of the
    // calling thread that has a window object (frames, modeless dialogs).
    static void UpdateTopLevelWindows();

protected:
    friend int AfxWinMain(HINSTANCE instance, int cmdShow);
    // Registers a handler for a message posted to the thread:
    //   AddThreadMessageHandler(WM_USER + 1, &CMyThread::OnScanDone);
    template <class T> void AddThreadMessageHandler(UINT message, void (T::*handler)(WPARAM, LPARAM))
    {
        T* self = static_cast<T*>(this);
        m_threadMessages[message] = [self, handler](WPARAM wParam, LPARAM lParam) { (self->*handler)(wParam, lParam); };
    }

    int m_exitCode = 0;
    MSG m_msgCur{};
    // Makes this object the calling thread's current thread object and
    // hooks the thread's modal loops for thread messages.
    void MakeCurrent();
    // Undoes MakeCurrent at the end of the thread.
    void LeaveCurrent();
    // InitInstance, then Run or (when initialisation failed) ExitInstance,
    // with every exception reported; returns the exit code.
    int RunInstance();

private:
    static unsigned __stdcall ThreadEntry(void* param);
    static LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam);
    std::map<UINT, std::function<void(WPARAM, LPARAM)>> m_threadMessages;
    HHOOK m_hMessageFilter = nullptr;
    POINT m_lastMousePos{-1, -1};
    UINT m_lastMouseMessage = 0;
};
