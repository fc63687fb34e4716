#include "app/SystemHelpers.h"

#include "app/AppState.h"
#include "framework/CException.h"
#include "framework/Handles.h"
#include "framework/MessageBoxLayer.h"

bool ShowLastError(bool show)
{
    const std::wstring text = GetSystemErrorText(GetLastError());
    if (text.empty())
        return false;
    if (show)
        ShowMessageBox(AppState::sideBarWnd.load(), text, L"Error", MB_OK | MB_ICONINFORMATION);
    return true;
}

RECT GetTaskbarRect()
{
    RECT rect{};
    // Walk the desktop's children: class names match without regard to case.
    for (HWND child = GetWindow(GetDesktopWindow(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        if (GetClassNameW(child, className, 64) == 0)
            continue;
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, className, -1, L"Shell_TrayWnd", -1) == CSTR_EQUAL) {
            GetWindowRect(child, &rect);
            break;
        }
    }
    return rect;
}

bool GetFileTimeOf(const std::wstring& path, FileTimeKind which, SYSTEMTIME& time)
{
    WIN32_FIND_DATAW data{};
    CFindHandle find(FindFirstFileW(path.c_str(), &data));
    if (!find)
        return false;
    const FILETIME* chosen = &data.ftLastAccessTime;
    if (which == FileTimeKind::Creation)
        chosen = &data.ftCreationTime;
    else if (which == FileTimeKind::LastWrite)
        chosen = &data.ftLastWriteTime;
    // Converted with the time-zone rules of the file's own date.
    SYSTEMTIME universal{};
    return FileTimeToSystemTime(chosen, &universal) && SystemTimeToTzSpecificLocalTime(nullptr, &universal, &time);
}

int OSVersionNumber(DWORD platformId, DWORD major, DWORD minor, BYTE productType, bool serverR2)
{
    const bool workstation = productType == VER_NT_WORKSTATION;
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return 2;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (major != 4)
            return 0;
        return minor == 0 ? 3 : minor == 10 ? 4 : minor == 90 ? 5 : 0;
    case VER_PLATFORM_WIN32_NT:
        break;
    default:
        return 0;
    }
    if (major == 3 && minor == 51)
        return 1;
    if (major == 4 && minor == 0)
        return 6;
    if (major == 5) {
        if (minor == 0)
            return 7;
        if (minor == 1)
            return 10;
        if (minor == 2)
            return workstation ? 11 : serverR2 ? 9 : 8;
        return 0;
    }
    if (major == 6 && minor == 0)
        return workstation ? 12 : 13;
    if (major == 6 && minor == 1)
        return workstation ? 15 : 14;
    // Everything after 6.1 (Windows 8, 8.1, 10, 11 and their servers).
    if (major >= 6)
        return 16;
    return 0;
}

int GetOSVersion()
{
    // RtlGetVersion tells the true version, whatever the program's manifest says.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    FARPROC address = ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(address));
    if (rtlGetVersion == nullptr)
        return 0;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (rtlGetVersion(&info) != 0)
        return 0;
    return OSVersionNumber(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.wProductType,
                           GetSystemMetrics(SM_SERVERR2) != 0);
}
