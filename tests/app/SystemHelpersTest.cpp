#include "app/SystemHelpers.h"

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;

TEST(SystemHelpers, ShowLastErrorShowsTheSystemText)
{
    MessageBoxRecorder recorder;
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(ShowLastError(false));
    EXPECT_EQ(recorder.Count(), 0u);

    const HWND previous = AppState::sideBarWnd.exchange(reinterpret_cast<HWND>(0x1234));
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(ShowLastError(true));
    AppState::sideBarWnd = previous;
    ASSERT_EQ(recorder.Count(), 1u);
    const MessageBoxRequest box = recorder.Last();
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(box.owner, reinterpret_cast<HWND>(0x1234));
    EXPECT_FALSE(box.text.empty());

    // An error number the system has no text for.
    SetLastError(0x2FFFFFFF);
    EXPECT_FALSE(ShowLastError(true));
    EXPECT_EQ(recorder.Count(), 1u);
}

TEST(SystemHelpers, TaskbarRectFindsTheTrayClassWithoutRegardToCase)
{
    const RECT before = GetTaskbarRect();
    if (!IsRectEmpty(&before))
        GTEST_SKIP() << "a task bar exists already"; // Wine without a desktop has none
    // A window of the tray's class, spelt in another case, stands in for it.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"shell_TRAYwnd";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND tray = CreateWindowExW(WS_EX_TOOLWINDOW, L"shell_TRAYwnd", L"", WS_POPUP, 10, 700, 600, 40, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_NE(tray, nullptr);
    const RECT rect = GetTaskbarRect();
    DestroyWindow(tray);
    UnregisterClassW(L"shell_TRAYwnd", windowClass.hInstance);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 700);
    EXPECT_EQ(rect.right, 610);
    EXPECT_EQ(rect.bottom, 740);
    const RECT after = GetTaskbarRect();
    EXPECT_TRUE(IsRectEmpty(&after));
}

TEST(SystemHelpers, FileTimeOfPicksTheAskedTimeInLocalTime)
{
    TempFolder temp;
    temp.Write(L"dated.txt", "x");
    const std::wstring path = temp.File(L"dated.txt");
    // Three different days at noon UTC, so any time zone keeps them apart.
    auto fileTime = [](WORD year, WORD month, WORD day) {
        SYSTEMTIME utc{};
        utc.wYear = year;
        utc.wMonth = month;
        utc.wDay = day;
        utc.wHour = 12;
        FILETIME time{};
        SystemTimeToFileTime(&utc, &time);
        return time;
    };
    const FILETIME created = fileTime(2001, 2, 3), accessed = fileTime(2005, 6, 7), written = fileTime(2010, 11, 12);
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(file, &created, &accessed, &written));
        CloseHandle(file);
    }
    // What the system itself keeps for the file, read through another call.
    // Wine cannot set a creation time on a Linux file system (it reports
    // its last-write time instead), so creation is checked against that, and
    // the two times both systems set exactly are checked against their values.
    FILETIME keptCreated{}, keptAccessed{}, keptWritten{};
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        GetFileTime(file, &keptCreated, &keptAccessed, &keptWritten);
        CloseHandle(file);
    }
    EXPECT_EQ(CompareFileTime(&keptWritten, &written), 0);
    EXPECT_EQ(CompareFileTime(&keptAccessed, &accessed), 0);
    struct Case {
        FileTimeKind which;
        FILETIME expected;
    };
    const Case cases[] = {{FileTimeKind::Creation, keptCreated},
                          {FileTimeKind::LastWrite, written},
                          {FileTimeKind::LastAccess, accessed}};
    for (const Case& c : cases) {
        SYSTEMTIME time{};
        ASSERT_TRUE(GetFileTimeOf(path, c.which, time));
        SYSTEMTIME utc{}, local{};
        FileTimeToSystemTime(&c.expected, &utc);
        SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
        EXPECT_EQ(time.wYear, local.wYear) << static_cast<int>(c.which);
        EXPECT_EQ(time.wMonth, local.wMonth) << static_cast<int>(c.which);
        EXPECT_EQ(time.wDay, local.wDay) << static_cast<int>(c.which);
        EXPECT_EQ(time.wHour, local.wHour) << static_cast<int>(c.which);
        EXPECT_EQ(time.wMinute, local.wMinute) << static_cast<int>(c.which);
    }
    // A pattern finds the first matching file; nothing matching gives false.
    SYSTEMTIME time{};
    EXPECT_TRUE(GetFileTimeOf(temp.File(L"*.txt"), FileTimeKind::LastWrite, time));
    EXPECT_EQ(time.wYear, 2010);
    EXPECT_FALSE(GetFileTimeOf(temp.File(L"missing.txt"), FileTimeKind::LastWrite, time));
}

TEST(SystemHelpers, OSVersionNumbering)
{
    struct Case {
        DWORD platform, major, minor;
        BYTE productType;
        bool serverR2;
        int expected;
    };
    const BYTE workstation = VER_NT_WORKSTATION, server = VER_NT_SERVER;
    const Case cases[] = {
        {VER_PLATFORM_WIN32_NT, 3, 51, workstation, false, 1},
        {VER_PLATFORM_WIN32s, 3, 10, 0, false, 2},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0, false, 3},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0, false, 4},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0, false, 5},
        {VER_PLATFORM_WIN32_NT, 4, 0, workstation, false, 6},
        {VER_PLATFORM_WIN32_NT, 5, 0, workstation, false, 7},
        {VER_PLATFORM_WIN32_NT, 5, 2, server, false, 8},
        {VER_PLATFORM_WIN32_NT, 5, 2, server, true, 9},
        {VER_PLATFORM_WIN32_NT, 5, 1, workstation, false, 10},
        {VER_PLATFORM_WIN32_NT, 5, 2, workstation, false, 11},
        {VER_PLATFORM_WIN32_NT, 6, 0, workstation, false, 12},
        {VER_PLATFORM_WIN32_NT, 6, 0, server, false, 13},
        {VER_PLATFORM_WIN32_NT, 6, 1, server, false, 14},
        {VER_PLATFORM_WIN32_NT, 6, 1, workstation, false, 15},
        {VER_PLATFORM_WIN32_NT, 6, 2, workstation, false, 16},
        {VER_PLATFORM_WIN32_NT, 6, 3, server, false, 16},
        {VER_PLATFORM_WIN32_NT, 10, 0, workstation, false, 16}, // Windows 10 and 11 are later systems too
        {VER_PLATFORM_WIN32_NT, 3, 1, workstation, false, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OSVersionNumber(c.platform, c.major, c.minor, c.productType, c.serverR2), c.expected)
            << c.major << "." << c.minor << " type " << int(c.productType);
    // The running system: Wine reports the version its prefix is set to
    // (Windows 7 in the test prefix); Windows itself is 7 or later.
    const int running = GetOSVersion();
    EXPECT_GE(running, 15);
    EXPECT_LE(running, 16);
}
