#pragma once
#include <windows.h>

#include <string>

// Gets the system's text for the calling thread's last error; false when the
// system has none. With show set, the text appears in an information box
// captioned "Error" above the sidebar.
bool ShowLastError(bool show);

// The window rectangle of the system task bar (the desktop's child of class
// "Shell_TrayWnd"); an empty rectangle when there is none.
RECT GetTaskbarRect();

// Which time GetFileTimeOf reads.
enum class FileTimeKind { Creation = 0, LastWrite = 1, LastAccess = 2 };

// A time of the first file matching the path (wildcards allowed), in local
// time broken into fields; false when no file matches.
bool GetFileTimeOf(const std::wstring& path, FileTimeKind which, SYSTEMTIME& time);

// The system's version as a number: 1 NT 3.51, 2 Win32s, 3 Windows 95,
// 4 Windows 98, 5 Windows Me, 6 NT 4, 7 Windows 2000, 8 Server 2003,
// 9 Server 2003 R2, 10 XP, 11 XP x64, 12 Vista, 13 Server 2008,
// 14 Server 2008 R2, 15 Windows 7, 16 later systems, 0 unknown.
int GetOSVersion();

// The numbering of GetOSVersion for given version facts.
int OSVersionNumber(DWORD platformId, DWORD major, DWORD minor, BYTE productType, bool serverR2);
