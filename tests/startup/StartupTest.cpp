// Starts the real program under the test display and checks what a user
// would see: no visible main window, no task-bar button, an icon in the
// notification area, and a clean end through the tray menu's Exit.
#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "app/AppMessages.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using namespace testing_support;

namespace {

struct FindMain {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindMainProc(HWND window, LPARAM param)
{
    auto* data = reinterpret_cast<FindMain*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t cls[64] = {};
    wchar_t title[64] = {};
    GetClassNameW(window, cls, 64);
    GetWindowTextW(window, title, 64);
    if (pid == data->pid && lstrcmpW(cls, L"#32770") == 0 && lstrcmpW(title, L"Tavrel") == 0) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindMainWindow(DWORD pid)
{
    FindMain data{pid};
    EnumWindows(&FindMainProc, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

int CountThreads(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    if (Thread32First(snapshot, &entry)) {
        do {
            if (entry.th32OwnerProcessID == pid)
                ++count;
        } while (Thread32Next(snapshot, &entry));
    }
    CloseHandle(snapshot);
    return count;
}

// Asks the notification area whether an icon of the window exists: only an
// existing icon can be modified.
bool TrayIconExists(HWND owner)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = kTrayIconId;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

} // namespace

TEST(Startup, HiddenMainWindowTrayIconAndExit)
{
    TempFolder work;
    std::wstring command = L"\"" + BinFolder() + L"\\tavrel.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, work.Path().c_str(),
                               &startup, &process));

    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            main = FindMainWindow(process.dwProcessId);
            return main != nullptr && !IsWindowVisible(main) && TrayIconExists(main);
        },
        std::chrono::milliseconds(20000)));

    // Off the screen, without area, never in the task bar.
    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
    EXPECT_EQ(rect.left, -50);
    EXPECT_EQ(rect.top, -50);
    const LONG_PTR exStyle = GetWindowLongPtrW(main, GWL_EXSTYLE);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(main));

    // The sidebar thread runs beside the main thread.
    EXPECT_GE(CountThreads(process.dwProcessId), 2);

    // "E&xit" ends the program.
    PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(TrayIconExists(main));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
