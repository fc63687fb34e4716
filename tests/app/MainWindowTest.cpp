// The hidden main window run in-process: start-up of the sidebar thread and
// the tray icon, the tray menu and its commands, and the shut-down order.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <gtest/gtest.h>
#include <vector>

#include "app/AppMessages.h"
#include "app/AppState.h"
#include "app/CAboutDlg.h"
#include "app/CNorvaneDlg.h"
#include "app/ResourceStrings.h"
#include "app/ShellOpen.h"
#include "app/TextHelpers.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using namespace testing_support;

namespace {

// Records what the shell would be asked to open.
class ShellOpenRecorder {
public:
    explicit ShellOpenRecorder(INT_PTR answer = 42)
    {
        m_previous = SetShellOpenHook([this, answer](HWND, const std::wstring& target) {
            targets.push_back(target);
            return answer;
        });
    }
    ~ShellOpenRecorder() { SetShellOpenHook(std::move(m_previous)); }
    std::vector<std::wstring> targets;

private:
    ShellOpenHook m_previous;
};

// The main window with a script: once the sidebar has started, run the
// steps, then exit through the tray menu's command.
class ScriptedMainDlg : public CNorvaneDlg {
public:
    std::function<void(ScriptedMainDlg&)> script;
    HANDLE sideBarThread = nullptr;
    bool trayEnabled = false;
    std::wstring trayTip;
    bool visibleAfterStart = true;
    std::vector<std::wstring> menuItems;
    bool closeMenus = true;

    ~ScriptedMainDlg() override
    {
        if (sideBarThread != nullptr)
            CloseHandle(sideBarThread);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && closeMenus) {
            // Record the tray menu and close it at once.
            HMENU menu = reinterpret_cast<HMENU>(wParam);
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                menuItems.push_back(text);
            }
            EndMenu();
        }
        const LRESULT result = CNorvaneDlg::WindowProc(message, wParam, lParam);
        if (message == WM_START_SIDEBAR) {
            trayEnabled = TrayIcon().IsEnabled();
            trayTip = TrayIcon().GetTipText();
            visibleAfterStart = IsWindowVisible();
            DuplicateHandle(GetCurrentProcess(), SideBarThreadHandle(), GetCurrentProcess(), &sideBarThread, 0, FALSE,
                            DUPLICATE_SAME_ACCESS);
            if (script)
                script(*this);
            PostMessage(WM_COMMAND, ID_TRAY_EXIT, 0);
        }
        return result;
    }
};

} // namespace

TEST(MainWindow, StartsTheSidebarThreadAndEndsItBeforeTheWindowGoes)
{
    AppState::quitting = false;
    ScriptedMainDlg dialog;
    bool threadRunningDuringScript = false;
    dialog.script = [&](ScriptedMainDlg& d) {
        threadRunningDuringScript = WaitForSingleObject(d.sideBarThread, 0) == WAIT_TIMEOUT;
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.visibleAfterStart);
    EXPECT_TRUE(dialog.trayEnabled);
    // The tip resource is stored scrambled; the icon shows it readable.
    EXPECT_EQ(dialog.trayTip, LoadScrambledString(IDS_TRAY_TIP, ScrambleGroup::Group1));
    EXPECT_NE(dialog.trayTip, LoadResourceString(IDS_TRAY_TIP));
    EXPECT_TRUE(threadRunningDuringScript);
    ASSERT_NE(dialog.sideBarThread, nullptr);
    // By the time the modal loop returns the sidebar thread has ended and
    // marked the program as quitting.
    EXPECT_EQ(WaitForSingleObject(dialog.sideBarThread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(AppState::quitting);
    EXPECT_EQ(dialog.SideBarThreadHandle(), nullptr);
}

TEST(MainWindow, TrayMenuOpensForPressesAndTheContextKeyOnly)
{
    ScriptedMainDlg dialog;
    std::vector<size_t> itemsAfter;
    dialog.script = [&](ScriptedMainDlg& d) {
        const UINT events[] = {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_CONTEXTMENU};
        for (UINT event : events) {
            d.SendMessage(WM_TRAY_NOTIFY, kTrayIconId, event);
            itemsAfter.push_back(d.menuItems.size());
        }
        // Another icon's notification is ignored.
        d.SendMessage(WM_TRAY_NOTIFY, 7, WM_RBUTTONDOWN);
        itemsAfter.push_back(d.menuItems.size());
    };
    dialog.DoModal();
    const std::vector<std::wstring> expected = {
        L"&Options", L"", L"&Help", L"&Technical Support", L"&Check for Updates...", L"&About...", L"", L"E&xit"};
    const size_t n = expected.size();
    EXPECT_EQ(itemsAfter, (std::vector<size_t>{0, n, n, 2 * n, 3 * n, 3 * n}));
    ASSERT_GE(dialog.menuItems.size(), n);
    EXPECT_EQ(std::vector<std::wstring>(dialog.menuItems.begin(), dialog.menuItems.begin() + n), expected);
}

namespace {
bool TrayIconExists(HWND owner)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}
} // namespace

TEST(MainWindow, TheTrayIconComesBackWhenTheDesktopShellRestarts)
{
    ScriptedMainDlg dialog;
    bool goneAfterDelete = false;
    bool backAfterBroadcast = false;
    dialog.script = [&](ScriptedMainDlg& d) {
        // What a shell restart does: the icon vanishes, then every top-level
        // window hears "TaskbarCreated".
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = d.m_hWnd;
        data.uID = kTrayIconId;
        Shell_NotifyIconW(NIM_DELETE, &data);
        goneAfterDelete = !TrayIconExists(d.m_hWnd);
        PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        backAfterBroadcast = PumpUntil([&] { return TrayIconExists(d.m_hWnd); });
    };
    dialog.DoModal();
    EXPECT_TRUE(goneAfterDelete);
    EXPECT_TRUE(backAfterBroadcast);
}

TEST(MainWindow, ExitEndsWhileTheSidebarThreadSendsToTheMainWindowAsItEnds)
{
    ScriptedMainDlg dialog;
    static HWND s_main = nullptr;
    static std::atomic<bool> s_sendServed{false};
    static std::atomic<bool> s_sent{false};
    static HHOOK s_hook = nullptr;
    s_sendServed = false;
    s_sent = false;
    dialog.script = [&](ScriptedMainDlg& d) {
        s_main = d.m_hWnd;
        // Runs on the sidebar thread as it takes the quit message: a send to
        // the main thread's window, which waits for this thread meanwhile.
        // The time-out belongs to the test; the program waits without one.
        s_hook = SetWindowsHookExW(
            WH_GETMESSAGE,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                auto* msg = reinterpret_cast<MSG*>(lParam);
                if (code >= 0 && msg != nullptr && msg->message == WM_QUIT && !s_sent.exchange(true)) {
                    DWORD_PTR answer = 0;
                    s_sendServed = SendMessageTimeoutW(s_main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
                }
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            nullptr, GetThreadId(d.sideBarThread));
    };
    dialog.DoModal();
    if (s_hook != nullptr)
        UnhookWindowsHookEx(s_hook);
    ASSERT_TRUE(s_sent) << "the hook did not see the quit message";
    EXPECT_TRUE(s_sendServed);
}

TEST(MainWindow, HelpSupportAndUpdateCommandsOpenTheirTargets)
{
    ShellOpenRecorder shell;
    ScriptedMainDlg dialog;
    dialog.script = [](ScriptedMainDlg& d) {
        d.SendMessage(WM_COMMAND, ID_TRAY_HELP, 0);
        d.SendMessage(WM_COMMAND, ID_TRAY_SUPPORT, 0);
        d.SendMessage(WM_COMMAND, ID_TRAY_UPDATES, 0);
    };
    dialog.DoModal();
    ASSERT_EQ(shell.targets.size(), 3u);
    EXPECT_EQ(shell.targets[0], GetProgramFolder() + L"\\Document\\Help.txt");
    EXPECT_EQ(shell.targets[1].rfind(L"https://", 0), 0u);
    EXPECT_EQ(shell.targets[2].rfind(L"https://", 0), 0u);
    EXPECT_NE(shell.targets[1], shell.targets[2]);
}

TEST(MainWindow, OptionsSetsTheSkinFlagOnlyWhenClosedWithOk)
{
    for (const int button : {IDCANCEL, IDOK}) {
        AppState::skinChanged = false;
        ScriptedMainDlg dialog;
        dialog.script = [button](ScriptedMainDlg& d) {
            WindowWatcher watcher(L"Options", [button](HWND options) {
                PostMessageW(options, WM_COMMAND, static_cast<WPARAM>(button), 0);
            });
            d.SendMessage(WM_COMMAND, ID_TRAY_OPTIONS, 0);
            EXPECT_TRUE(watcher.Found());
        };
        dialog.DoModal();
        EXPECT_EQ(AppState::skinChanged.load(), button == IDOK);
    }
    AppState::skinChanged = false;
}

TEST(MainWindow, TrayMenuStaysClosedWhileAMenuDialogIsOpen)
{
    ScriptedMainDlg dialog;
    size_t itemsWhileAboutOpen = 99;
    dialog.script = [&](ScriptedMainDlg& d) {
        WindowWatcher watcher(L"About Tavrel", [&](HWND about) {
            SendMessageW(d.m_hWnd, WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONDOWN);
            itemsWhileAboutOpen = d.menuItems.size();
            PostMessageW(about, WM_COMMAND, IDOK, 0);
        });
        d.SendMessage(WM_COMMAND, ID_TRAY_ABOUT, 0);
    };
    dialog.DoModal();
    EXPECT_EQ(itemsWhileAboutOpen, 0u);
}

TEST(AboutBox, MailErrorTexts)
{
    EXPECT_EQ(CAboutDlg::MailErrorText(2), L" The specified file was not found. ");
    EXPECT_EQ(CAboutDlg::MailErrorText(31), L"There is no application associated with the mail management. ");
    EXPECT_EQ(CAboutDlg::MailErrorText(4), L"");
}

TEST(AboutBox, ShowsTheAboutTextAndReportsAFailedMailLink)
{
    AppState::SetAboutText(L"About text for the test");
    for (const INT_PTR answer : {INT_PTR(4), INT_PTR(2), INT_PTR(42)}) {
        ShellOpenRecorder shell(answer);
        MessageBoxRecorder boxes;
        CAboutDlg about;
        std::wstring text;
        WindowWatcher watcher(L"About Tavrel", [&text](HWND box) {
            wchar_t buffer[256] = {};
            GetDlgItemTextW(box, IDC_ABOUT_TEXT, buffer, 256);
            text = buffer;
            NMLINK link{};
            link.hdr.hwndFrom = GetDlgItem(box, IDC_ABOUT_SUPPORT_LINK);
            link.hdr.idFrom = IDC_ABOUT_SUPPORT_LINK;
            link.hdr.code = NM_CLICK;
            lstrcpyW(link.item.szUrl, L"mailto:someone@example.org");
            SendMessageW(box, WM_NOTIFY, IDC_ABOUT_SUPPORT_LINK, reinterpret_cast<LPARAM>(&link));
        });
        EXPECT_EQ(about.DoModal(), IDOK);
        EXPECT_EQ(text, L"About text for the test");
        ASSERT_EQ(shell.targets.size(), 1u);
        EXPECT_EQ(shell.targets[0], L"mailto:someone@example.org");
        if (answer > 32) {
            EXPECT_EQ(boxes.Count(), 0u);
        } else {
            ASSERT_EQ(boxes.Count(), 1u);
            EXPECT_EQ(boxes.Last().text,
                      L"Failed to open the mail software! Error: " + CAboutDlg::MailErrorText(answer));
            EXPECT_EQ(boxes.Last().type, static_cast<UINT>(MB_OK));
        }
    }
}
