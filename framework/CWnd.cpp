#include "framework/CWnd.h"

#include <commctrl.h>

#include <exception>
#include <mutex>
#include <set>

#include "framework/CCmdUI.h"
#include "framework/CException.h"
#include "framework/CFrameWnd.h"
#include "framework/COleDropTarget.h"
#include "framework/CWinThread.h"
#include "framework/MessageBoxLayer.h"
#include "framework/WndBinding.h"

namespace {

// The message now being processed on this thread, for Default().
struct CurrentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
thread_local CurrentMessage t_current;

// Windows whose failure is being reported on this thread: a second failure
// of the same window while its box is open (a repaint behind the box, say)
// is not reported again, so boxes never pile up.
thread_local std::set<HWND> t_reporting;

POINT PointOf(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::mutex g_classLock;
std::set<std::wstring> g_ownClasses;

bool IsOwnClass(const wchar_t* name)
{
    if (name == nullptr || IS_INTRESOURCE(name))
        return false;
    std::lock_guard<std::mutex> guard(g_classLock);
    return g_ownClasses.count(name) != 0;
}

} // namespace

void ReportUnhandledException()
{
    try {
        throw;
    } catch (const CUserException&) {
        // Already reported to the user.
    } catch (const CException& e) {
        e.ReportError();
    } catch (const std::exception& e) {
        std::string what = e.what();
        AfxMessageBox(L"An unexpected error occurred: " + std::wstring(what.begin(), what.end()), MB_OK | MB_ICONERROR);
    } catch (...) {
        AfxMessageBox(L"An unexpected error occurred.", MB_OK | MB_ICONERROR);
    }
}

CWnd::~CWnd()
{
    CWinThread::ForgetWindow(this);
    if (m_hWnd != nullptr)
        AfterDestroy();
    if (m_hWnd != nullptr) {
        HWND window = m_hWnd;
        ReleaseBinding();
        if (::IsWindow(window))
            ::DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return window != nullptr ? WndBinding::Find(window) : nullptr;
}

const wchar_t* CWnd::RegisterWndClass(const wchar_t* name, UINT classStyle, HCURSOR cursor, HBRUSH background,
                                      HICON icon)
{
    std::lock_guard<std::mutex> guard(g_classLock);
    auto [it, inserted] = g_ownClasses.insert(name);
    if (inserted) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &CWnd::StdWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = cursor != nullptr ? cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = it->c_str();
        if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            g_ownClasses.erase(it);
            return nullptr;
        }
    }
    return it->c_str();
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                    HWND parent, UINT_PTR idOrMenu)
{
    if (m_hWnd != nullptr)
        return false;
    const bool own = IsOwnClass(className);
    HWND window = nullptr;
    {
        WndBinding::CreationScope scope(own ? this : nullptr);
        window = CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                                 GetModuleHandleW(nullptr), nullptr);
    }
    if (window == nullptr) {
        if (m_hWnd != nullptr)
            ReleaseBinding();
        return false;
    }
    if (!own)
        return SubclassWindow(window);
    return m_hWnd == window;
}

bool CWnd::SubclassWindow(HWND window)
{
    if (m_hWnd != nullptr || window == nullptr || FromHandlePermanent(window) != nullptr)
        return false;
    if (!SetWindowSubclass(window, &CWnd::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Attach(window);
    m_subclassed = true;
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (parent == nullptr)
        return false;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = m_hWnd;
    if (window != nullptr && m_subclassed)
        ReleaseBinding();
    return window;
}

bool CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    WndBinding::Bind(window, this);
}

void CWnd::AfterDestroy()
{
    if (m_pDropTarget != nullptr)
        m_pDropTarget->Revoke();
    CFrameWnd::ForgetView(this);
}

void CWnd::FinishNcDestroy()
{
    ReleaseBinding();
    CWinThread::ForgetWindow(this);
    PostNcDestroy();
}

bool CWnd::TrackMouse(DWORD flags, DWORD hoverTime)
{
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = flags;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = hoverTime;
    return TrackMouseEvent(&track) != FALSE;
}

void CWnd::ReleaseBinding()
{
    if (m_hWnd == nullptr)
        return;
    if (m_subclassed)
        RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, 1);
    WndBinding::Unbind(m_hWnd);
    m_subclassed = false;
    m_hWnd = nullptr;
}

std::wstring WindowTextOf(HWND window)
{
    if (window == nullptr)
        return {};
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring CWnd::GetWindowText() const
{
    return WindowTextOf(m_hWnd);
}

std::wstring CWnd::GetDlgItemText(int id) const
{
    return WindowTextOf(::GetDlgItem(m_hWnd, id));
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

bool CWnd::PreTranslateMessage(MSG* msg)
{
    if (m_hAccel != nullptr && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return TranslateAcceleratorW(m_hWnd, m_hAccel, msg) != 0;
    return false;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_subclassed)
        return DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly)
{
    return DispatchOwnCommand(id, code, cmdUI, probeOnly);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? TRUE : FALSE;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0, static_cast<UINT>(lParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam)))
            return 0;
        return Default();
    case WM_MOUSEHOVER:
        OnMouseHover(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return TRUE;
        return Default();
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), PointOf(lParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
        return 0;
    case WM_KICKIDLE:
        return OnKickIdle(wParam, lParam);
    case WM_IDLEUPDATECMDUI:
        return OnIdleUpdateCmdUI(wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return HandleChildMessage(message, wParam, lParam);
    default:
        return Default();
    }
}

HWND CWnd::ChildOfMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header != nullptr ? header->hwndFrom : nullptr;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return draw != nullptr && draw->CtlType != ODT_MENU ? draw->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (measure == nullptr || measure->CtlType == ODT_MENU)
            return nullptr;
        return ::GetDlgItem(m_hWnd, static_cast<int>(measure->CtlID));
    }
    case WM_DELETEITEM: {
        const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        return item != nullptr ? item->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
        const auto* compare = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        return compare != nullptr ? compare->hwndItem : nullptr;
    }
    default:
        (void)wParam;
        return nullptr;
    }
}

LRESULT CWnd::HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        return Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        return Default();
    }
    default:
        break;
    }
    LRESULT result = 0;
    if (ReflectToChild(ChildOfMessage(message, wParam, lParam), message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_DRAWITEM:
        if (OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        return Default();
    case WM_MEASUREITEM:
        if (OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        return Default();
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
        return Default();
    default: {
        HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
        if (brush != nullptr)
            return reinterpret_cast<LRESULT>(brush);
        return Default();
    }
    }
}

bool CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (child == nullptr || child == m_hWnd)
        return false;
    CWnd* object = FromHandlePermanent(child);
    return object != nullptr && object->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        LRESULT ignored = 0;
        if (ReflectToChild(control, WM_COMMAND, wParam, lParam, &ignored))
            return true;
        return OnCmdMsg(id, code, nullptr);
    }
    // A menu or accelerator command: a command that its update handler
    // disables is not carried out.
    struct ProbeUI : CCmdUI {
        bool enabled = true;
        void Enable(bool on) override
        {
            enabled = on;
            m_bEnableChanged = true;
        }
        void SetCheck(int) override {}
        void SetText(const std::wstring&) override {}
    } probe;
    probe.m_nID = id;
    if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe) && !probe.enabled)
        return true;
    return OnCmdMsg(id, CN_COMMAND, nullptr);
}

bool CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr)
        return false;
    if (ReflectToChild(header->hwndFrom, WM_NOTIFY, header->idFrom, lParam, result))
        return true;
    return false;
}

int CWnd::OnCreate(CREATESTRUCTW*)
{
    return static_cast<int>(Default());
}

// Handlers without a result of their own pass the message on.
void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnShowWindow(bool, UINT)
{
    Default();
}

void CWnd::OnSetFocus(HWND)
{
    Default();
}

void CWnd::OnKillFocus(HWND)
{
    Default();
}

void CWnd::OnMouseMove(UINT, POINT)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, POINT)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, POINT)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, POINT)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, POINT)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, POINT)
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT, POINT)
{
    Default();
}

void CWnd::OnMButtonDown(UINT, POINT)
{
    Default();
}

void CWnd::OnMButtonUp(UINT, POINT)
{
    Default();
}

void CWnd::OnMouseHover(UINT, POINT)
{
    Default();
}

void CWnd::OnMouseLeave()
{
    Default();
}

void CWnd::OnCaptureChanged(HWND)
{
    Default();
}

void CWnd::OnContextMenu(HWND, POINT)
{
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, HWND)
{
    Default();
}

void CWnd::OnVScroll(UINT, UINT, HWND)
{
    Default();
}

bool CWnd::OnEraseBkgnd(HDC)
{
    return Default() != 0;
}

bool CWnd::OnMouseWheel(UINT, short, POINT)
{
    return false;
}

bool CWnd::OnSetCursor(HWND, UINT, UINT)
{
    return false;
}

bool CWnd::OnDrawItem(int, DRAWITEMSTRUCT*)
{
    return false;
}

bool CWnd::OnMeasureItem(int, MEASUREITEMSTRUCT*)
{
    return false;
}

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT)
{
    return nullptr;
}

void CWnd::OnInitMenuPopup(HMENU popup, UINT, bool sysMenu)
{
    if (m_bAutoMenuUpdate && !sysMenu)
        UpdatePopupMenuCommands(this, popup);
    Default();
}

LRESULT CWnd::OnKickIdle(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CWnd::Dispatch(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage saved = t_current;
    t_current = CurrentMessage{window, message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
        if (message == WM_DESTROY)
            wnd->AfterDestroy();
    } catch (...) {
        // A failed paint leaves the area invalid; validate it, or the box's
        // own loop would repaint, fail again and stack boxes.
        if (message == WM_PAINT)
            ValidateRect(window, nullptr);
        if (message == WM_DESTROY)
            wnd->AfterDestroy();
        if (t_reporting.insert(window).second) {
            ReportUnhandledException();
            t_reporting.erase(window);
        }
        result = 0;
    }
    t_current = saved;
    return result;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(window);
    if (wnd == nullptr) {
        wnd = WndBinding::TakeCreating();
        if (wnd == nullptr)
            return ::DefWindowProcW(window, message, wParam, lParam);
        wnd->Attach(window);
    }
    const LRESULT result = Dispatch(wnd, window, message, wParam, lParam);
    if (message == WM_NCDESTROY && wnd->m_hWnd == window)
        wnd->FinishNcDestroy();
    return result;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData)
{
    CWnd* wnd = reinterpret_cast<CWnd*>(refData);
    if (wnd == nullptr || wnd->m_hWnd != window)
        return DefSubclassProc(window, message, wParam, lParam);
    const LRESULT result = Dispatch(wnd, window, message, wParam, lParam);
    if (message == WM_NCDESTROY && wnd->m_hWnd == window)
        wnd->FinishNcDestroy();
    return result;
}
