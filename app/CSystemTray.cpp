#include "app/CSystemTray.h"

#include "app/ResourceStrings.h"
#include "framework/CWnd.h"

#if defined(__i386__)
static_assert(sizeof(NOTIFYICONDATAW) == 956, "the full-size notification record");
#endif

CSystemTray::CSystemTray()
{
    // The full-size record (956 bytes on 32-bit Windows).
    m_data.cbSize = sizeof(NOTIFYICONDATAW);
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
}

void CSystemTray::StoreTip(const std::wstring& tip)
{
    const size_t length = tip.size() < kMaxTip ? tip.size() : kMaxTip;
    tip.copy(m_data.szTip, length);
    m_data.szTip[length] = L'\0';
}

bool CSystemTray::AddToShell()
{
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (!Shell_NotifyIconW(NIM_ADD, &m_data))
        return false;
    // Version 3 keeps the mouse notifications as they are and adds the
    // context-menu notification for Shift+F10 and the menu key.
    m_data.uVersion = NOTIFYICON_VERSION;
    Shell_NotifyIconW(NIM_SETVERSION, &m_data);
    return true;
}

bool CSystemTray::AddIcon(CWnd* owner, UINT callbackMessage, const std::wstring& tip, HICON icon, UINT id)
{
    const DWORD version = GetVersion();
    if (LOBYTE(LOWORD(version)) < 4 || owner == nullptr || !::IsWindow(owner->m_hWnd)) {
        // An icon this object already shows must not stay behind untracked.
        RemoveIcon();
        m_enabled = false;
        return false;
    }
    // Adding again replaces the icon this object already shows instead of
    // failing on the duplicate and losing track of it.
    if (m_enabled)
        RemoveIcon();
    m_pNotifyWnd = owner;
    m_data.hWnd = owner->m_hWnd;
    m_data.uID = id;
    m_data.hIcon = icon;
    m_data.uCallbackMessage = callbackMessage;
    StoreTip(tip);
    m_enabled = AddToShell();
    m_hidden = false;
    return m_enabled;
}

bool CSystemTray::RemoveIcon()
{
    if (!m_enabled)
        return false;
    m_data.uFlags = 0;
    const bool removed = Shell_NotifyIconW(NIM_DELETE, &m_data) != FALSE;
    m_enabled = false;
    return removed;
}

bool CSystemTray::HideIcon()
{
    if (!m_enabled || m_hidden)
        return false;
    m_data.uFlags = NIF_ICON;
    Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_hidden = true;
    return true;
}

bool CSystemTray::ShowIcon()
{
    if (!m_enabled || !m_hidden)
        return false;
    AddToShell();
    m_hidden = false;
    return true;
}

bool CSystemTray::ChangeIcon(HICON icon)
{
    if (!m_enabled)
        return false;
    m_data.uFlags = NIF_ICON;
    m_data.hIcon = icon;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::ChangeIcon(UINT resourceId)
{
    return ChangeIcon(MAKEINTRESOURCEW(resourceId));
}

bool CSystemTray::ChangeIcon(const wchar_t* resourceName)
{
    return ChangeIcon(GetModuleHandleW(nullptr), resourceName);
}

bool CSystemTray::ChangeStandardIcon(const wchar_t* standardIcon)
{
    if (!m_enabled)
        return false;
    return ChangeIcon(LoadIconW(nullptr, standardIcon));
}

bool CSystemTray::ChangeIcon(HMODULE module, const wchar_t* resourceName)
{
    if (!m_enabled)
        return false;
    // Shared icons stay loaded with their module; nothing to destroy later.
    HICON icon = static_cast<HICON>(LoadImageW(module, resourceName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (icon == nullptr)
        return false;
    return ChangeIcon(icon);
}

bool CSystemTray::SetTipText(const std::wstring& tip)
{
    if (!m_enabled)
        return false;
    StoreTip(tip);
    m_data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::SetTipText(UINT resourceId)
{
    if (!m_enabled)
        return false;
    return SetTipText(LoadResourceString(resourceId));
}

std::wstring CSystemTray::GetTipText() const
{
    if (!m_enabled)
        return {};
    return m_data.szTip;
}

bool CSystemTray::SetNotifyWindow(CWnd* window)
{
    if (!m_enabled || window == nullptr || !::IsWindow(window->m_hWnd))
        return false;
    // The shell knows an icon by its window and identifier, so a new owner
    // means removing the icon under the old one and adding it again.
    if (!m_hidden) {
        m_data.uFlags = 0;
        Shell_NotifyIconW(NIM_DELETE, &m_data);
    }
    m_pNotifyWnd = window;
    m_data.hWnd = window->m_hWnd;
    if (m_hidden)
        return true;
    m_enabled = AddToShell();
    return m_enabled;
}

bool CSystemTray::Restore()
{
    if (!m_enabled || m_hidden)
        return false;
    if (AddToShell())
        return true;
    // The shell still had it: bring it up to date instead.
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::SetNotifyMessage(UINT message)
{
    if (!m_enabled)
        return false;
    if (m_pNotifyWnd == nullptr || !::IsWindow(m_pNotifyWnd->m_hWnd))
        return false;
    m_data.uCallbackMessage = message;
    m_data.uFlags = NIF_MESSAGE;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}
