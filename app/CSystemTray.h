#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/CObject.h"

class CWnd;

// One icon in the notification area. Every operation but AddIcon does
// nothing and answers false until the icon has been added.
class CSystemTray : public CObject {
public:
    // Longest tool tip the notification area takes.
    static constexpr size_t kMaxTip = 127;

    CSystemTray();
    ~CSystemTray() override;
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Adds the icon for a live owner window; the result is the system's.
    bool AddIcon(CWnd* owner, UINT callbackMessage, const std::wstring& tip, HICON icon, UINT id);
    bool RemoveIcon();
    bool HideIcon();
    bool ShowIcon();

    bool ChangeIcon(HICON icon);
    // Loads the icon first: a resource of the executable by number or name,
    // a standard system icon (IDI_*), or a resource of another module.
    bool ChangeIcon(UINT resourceId);
    bool ChangeIcon(const wchar_t* resourceName);
    bool ChangeStandardIcon(const wchar_t* standardIcon);
    bool ChangeIcon(HMODULE module, const wchar_t* resourceName);

    bool SetTipText(const std::wstring& tip);
    bool SetTipText(UINT resourceId);
    std::wstring GetTipText() const;

    bool SetNotifyWindow(CWnd* window);
    bool SetNotifyMessage(UINT message);

    // Adds the icon again after the desktop shell restarted (the message
    // "TaskbarCreated"): the new shell knows nothing of it. Nothing happens
    // while the icon is not enabled or hidden.
    bool Restore();

    bool IsEnabled() const { return m_enabled; }
    bool IsHidden() const { return m_hidden; }

private:
    void StoreTip(const std::wstring& tip);
    // NIM_ADD with the message, icon and tip, then the icon's version, so
    // that the shell also reports the keyboard's context-menu request.
    bool AddToShell();

    bool m_enabled = false;
    bool m_hidden = false;
    NOTIFYICONDATAW m_data{};
    CWnd* m_pNotifyWnd = nullptr;
};
