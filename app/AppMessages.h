#pragma once
#include <windows.h>

// Private messages of the hidden main window.
// The notification-area icon reports mouse and menu events with this
// message; wParam is the icon identifier, lParam the event.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 49;
// Posted by the main window to itself when it is shown: hide and start the
// sidebar.
constexpr UINT WM_START_SIDEBAR = WM_USER + 54;

// Identifier of the notification-area icon.
constexpr UINT kTrayIconId = 128;
