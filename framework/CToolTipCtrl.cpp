#include "framework/CToolTipCtrl.h"

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

bool CToolTipCtrl::Create(CWnd* owner, DWORD style)
{
    HWND ownerWindow = owner != nullptr ? owner->m_hWnd : nullptr;
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, RECT{}, ownerWindow, 0))
        return false;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

TOOLINFOW CToolTipCtrl::MakeInfo(HWND window, UINT_PTR id) const
{
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.uId = id;
    return info;
}

bool CToolTipCtrl::AddTool(HWND window, const std::wstring& text, const RECT& rect, UINT_PTR id)
{
    TOOLINFOW info = MakeInfo(window, id);
    info.uFlags = TTF_SUBCLASS;
    info.rect = rect;
    if (IsRectEmpty(&rect))
        ::GetClientRect(window, &info.rect);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

bool CToolTipCtrl::AddWindowTool(HWND child, const std::wstring& text)
{
    TOOLINFOW info = MakeInfo(::GetParent(child), reinterpret_cast<UINT_PTR>(child));
    info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::DelTool(HWND window, UINT_PTR id)
{
    TOOLINFOW info = MakeInfo(window, id);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(HWND window, const std::wstring& text, UINT_PTR id)
{
    TOOLINFOW info = MakeInfo(window, id);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring CToolTipCtrl::GetText(HWND window, UINT_PTR id) const
{
    // The control copies at most 80 characters unless told the buffer size,
    // which only newer versions take: ask with a generous buffer.
    wchar_t buffer[1024] = {};
    TOOLINFOW info = MakeInfo(window, id);
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTW, static_cast<WPARAM>(std::size(buffer)), reinterpret_cast<LPARAM>(&info));
    return buffer;
}

void CToolTipCtrl::SetToolRect(HWND window, UINT_PTR id, const RECT& rect)
{
    TOOLINFOW info = MakeInfo(window, id);
    info.rect = rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(const MSG* msg)
{
    if (m_hWnd != nullptr && msg != nullptr)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
