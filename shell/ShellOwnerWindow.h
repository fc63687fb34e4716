#pragma once
#include <windows.h>

// The one window that every shell call taking an owner is given
// (enumeration, parsing, context menus, running items, special folders).
// The sidebar window sets it. A null handle or -1 means the application's
// main window.
void SetShellOwnerWindow(HWND window);

// The window set last, or the application's main window when none (or -1)
// was set; null when neither exists.
HWND GetShellOwnerWindow();
