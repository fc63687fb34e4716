#include "framework/CWinThread.h"

#include <process.h>

#include <mutex>
#include <set>
#include <vector>

#include "framework/CWnd.h"

namespace {
thread_local CWinThread* t_thread = nullptr;

// Every thread object alive, so a window that goes can be forgotten by
// whichever of them points at it. The application object is a global whose
// destructor runs during static destruction, so the registry is never
// destroyed itself.
struct ThreadRegistry {
    std::mutex lock;
    std::set<CWinThread*> threads;
};
ThreadRegistry& Registry()
{
    static ThreadRegistry* registry = new ThreadRegistry;
    return *registry;
}
} // namespace

CWinThread::CWinThread()
{
    ThreadRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.threads.insert(this);
}

CWinThread::~CWinThread()
{
    {
        ThreadRegistry& registry = Registry();
        std::lock_guard<std::mutex> guard(registry.lock);
        registry.threads.erase(this);
    }
    if (t_thread == this)
        LeaveCurrent();
    if (m_hThread != nullptr)
        CloseHandle(m_hThread);
}

void CWinThread::MakeCurrent()
{
    t_thread = this;
    if (m_hMessageFilter == nullptr)
        m_hMessageFilter =
            SetWindowsHookExW(WH_MSGFILTER, &CWinThread::MessageFilterProc, nullptr, GetCurrentThreadId());
}

void CWinThread::LeaveCurrent()
{
    if (m_hMessageFilter != nullptr)
        UnhookWindowsHookEx(m_hMessageFilter);
    m_hMessageFilter = nullptr;
    if (t_thread == this)
        t_thread = nullptr;
}

LRESULT CALLBACK CWinThread::MessageFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    CWinThread* thread = t_thread;
    if (code >= 0 && msg != nullptr && msg->hwnd == nullptr && thread != nullptr) {
        try {
            if (thread->OnThreadMessage(*msg))
                return TRUE;
        } catch (...) {
            ReportUnhandledException();
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CWinThread::OnThreadMessage(const MSG& msg)
{
    const auto it = m_threadMessages.find(msg.message);
    if (it == m_threadMessages.end())
        return false;
    const auto handler = it->second; // it may replace its own entry
    handler(msg.wParam, msg.lParam);
    return true;
}

void CWinThread::ForgetWindow(const CWnd* wnd)
{
    ThreadRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (CWinThread* thread : registry.threads) {
        if (thread->m_pMainWnd == wnd)
            thread->m_pMainWnd = nullptr;
        if (thread->m_pActiveWnd == wnd)
            thread->m_pActiveWnd = nullptr;
    }
}

namespace {
// Collects the visible top-level windows of a thread that have an object.
BOOL CALLBACK CollectBoundWindow(HWND window, LPARAM param)
{
    if (CWnd::FromHandlePermanent(window) != nullptr && ::IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
} // namespace

void CWinThread::UpdateTopLevelWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectBoundWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (::IsWindow(window))
            SendMessageW(window, WM_IDLEUPDATECMDUI, TRUE, 0);
    }
}

CWinThread* CWinThread::GetCurrent()
{
    return t_thread;
}

HWND CWinThread::GetCurrentMainWindow()
{
    CWinThread* thread = GetCurrent();
    if (thread == nullptr || thread->m_pMainWnd == nullptr)
        return nullptr;
    return thread->m_pMainWnd->m_hWnd;
}

bool CWinThread::CreateThread(DWORD createFlags, UINT stackSize)
{
    if (m_hThread != nullptr)
        return false;
    unsigned id = 0;
    // Started suspended so that the handle and identifier are stored before
    // the thread can run (and, with auto-delete, end and delete the object).
    const uintptr_t handle = _beginthreadex(nullptr, stackSize, &CWinThread::ThreadEntry, this, CREATE_SUSPENDED, &id);
    if (handle == 0)
        return false;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return true;
}

HANDLE CWinThread::DuplicateThreadHandle() const
{
    HANDLE copy = nullptr;
    if (m_hThread == nullptr ||
        !DuplicateHandle(GetCurrentProcess(), m_hThread, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}

unsigned __stdcall CWinThread::ThreadEntry(void* param)
{
    auto* thread = static_cast<CWinThread*>(param);
    thread->MakeCurrent();
    const int code = thread->RunInstance();
    thread->LeaveCurrent();
    if (thread->m_bAutoDelete)
        delete thread;
    return static_cast<unsigned>(code);
}

int CWinThread::RunInstance()
{
    try {
        if (InitInstance())
            return Run();
        return ExitInstance();
    } catch (...) {
        ReportUnhandledException();
        return -1;
    }
}

bool CWinThread::InitInstance()
{
    return false;
}

bool CWinThread::WalkPreTranslate(MSG* msg)
{
    for (HWND window = msg->hwnd; window != nullptr; window = GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->PreTranslateMessage(msg))
            return true;
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD))
            break; // top-level window reached
    }
    return false;
}

bool CWinThread::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == nullptr)
        return OnThreadMessage(*msg);
    if (WalkPreTranslate(msg))
        return true;
    // A message for a window outside the main window's tree still gets the
    // main window's accelerators.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        HWND top = GetAncestor(msg->hwnd, GA_ROOT);
        if (top != m_pMainWnd->m_hWnd && m_pMainWnd->PreTranslateMessage(msg))
            return true;
    }
    return false;
}

bool CWinThread::IsIdleMessage(const MSG* msg)
{
    // Repeated mouse moves at the same place and the caret blink do not
    // restart idle processing.
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        if (m_lastMouseMessage == msg->message && m_lastMousePos.x == msg->pt.x && m_lastMousePos.y == msg->pt.y)
            return false;
        m_lastMousePos = msg->pt;
        m_lastMouseMessage = msg->message;
        return true;
    }
    return RestartsIdle(msg->message);
}

bool CWinThread::OnIdle(LONG count)
{
    if (count == 0) {
        // Let the thread's frames and modeless dialogs update their
        // commands and controls.
        UpdateTopLevelWindows();
    }
    return false;
}

bool CWinThread::PumpMessage()
{
    const BOOL got = GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (got == 0)
            m_exitCode = static_cast<int>(m_msgCur.wParam);
        return false;
    }
    if (!PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessageW(&m_msgCur);
    }
    return true;
}

int CWinThread::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    MSG peek{};
    for (;;) {
        while (idle && !PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return m_exitCode;
}

void CWinThread::EndMessageLoop(int exitCode)
{
    if (GetCurrent() == this)
        PostQuitMessage(exitCode);
    else
        PostThreadMessageW(m_nThreadID, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}
