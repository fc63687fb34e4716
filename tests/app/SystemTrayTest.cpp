#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/CSystemTray.h"
#include "framework/CWnd.h"
#include "resources/ResourceIds.h"

namespace {

struct OwnerWnd : CWnd {};

// Only an icon that exists can be modified.
bool IconExists(HWND owner, UINT id)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

} // namespace

TEST(SystemTray, NothingWorksBeforeTheIconIsAddedForALiveOwner)
{
    CSystemTray tray;
    EXPECT_FALSE(tray.AddIcon(nullptr, WM_USER + 49, L"tip", nullptr, 128));
    EXPECT_FALSE(tray.IsEnabled());
    EXPECT_FALSE(tray.SetTipText(L"x"));
    EXPECT_FALSE(tray.ChangeIcon(IDI_APP));
    EXPECT_FALSE(tray.HideIcon());
    EXPECT_FALSE(tray.RemoveIcon());
    EXPECT_EQ(tray.GetTipText(), L"");

    OwnerWnd gone;
    gone.CreateEx(0, CWnd::RegisterWndClass(L"TavrelTrayOwner"), L"o", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0);
    gone.DestroyWindow();
    EXPECT_FALSE(tray.AddIcon(&gone, WM_USER + 49, L"tip", nullptr, 128));
}

TEST(SystemTray, AddChangeHideShowAndRemove)
{
    OwnerWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, CWnd::RegisterWndClass(L"TavrelTrayOwner"), L"o", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0));
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.AddIcon(&owner, WM_USER + 49, std::wstring(200, L'a'), icon, 77));
        EXPECT_TRUE(IconExists(owner.m_hWnd, 77));
        // The tip is cut to 127 characters.
        EXPECT_EQ(tray.GetTipText(), std::wstring(127, L'a'));
        EXPECT_TRUE(tray.SetTipText(L"Tavrel"));
        EXPECT_EQ(tray.GetTipText(), L"Tavrel");
        EXPECT_TRUE(tray.ChangeIcon(IDI_APP));
        EXPECT_TRUE(tray.SetNotifyMessage(WM_USER + 50));

        EXPECT_TRUE(tray.HideIcon());
        EXPECT_TRUE(tray.IsHidden());
        EXPECT_FALSE(IconExists(owner.m_hWnd, 77));
        EXPECT_FALSE(tray.HideIcon()); // already hidden
        EXPECT_TRUE(tray.ShowIcon());
        EXPECT_TRUE(IconExists(owner.m_hWnd, 77));

        // Adding again keeps one icon that the object still controls.
        EXPECT_TRUE(tray.AddIcon(&owner, WM_USER + 49, L"again", icon, 77));
        EXPECT_TRUE(tray.IsEnabled());
    }
    // The destructor removes the icon.
    EXPECT_FALSE(IconExists(owner.m_hWnd, 77));
}

TEST(SystemTray, ANewOwnerTakesTheIconWithItAndLeavesNoGhost)
{
    OwnerWnd first;
    OwnerWnd second;
    const wchar_t* cls = CWnd::RegisterWndClass(L"TavrelTrayOwner");
    ASSERT_TRUE(first.CreateEx(0, cls, L"1", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0));
    ASSERT_TRUE(second.CreateEx(0, cls, L"2", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0));
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.AddIcon(&first, WM_USER + 49, L"tip", icon, 78));
        EXPECT_TRUE(tray.SetNotifyWindow(&second));
        EXPECT_FALSE(IconExists(first.m_hWnd, 78));
        EXPECT_TRUE(IconExists(second.m_hWnd, 78));
        EXPECT_EQ(tray.GetTipText(), L"tip");
        EXPECT_TRUE(tray.RemoveIcon());
        EXPECT_FALSE(IconExists(second.m_hWnd, 78));

        // A later AddIcon that fails its precondition takes the shown icon
        // away instead of leaving it untracked.
        ASSERT_TRUE(tray.AddIcon(&first, WM_USER + 49, L"tip", icon, 78));
        EXPECT_FALSE(tray.AddIcon(nullptr, WM_USER + 49, L"tip", icon, 78));
        EXPECT_FALSE(IconExists(first.m_hWnd, 78));
        EXPECT_FALSE(tray.IsEnabled());
    }
}

TEST(SystemTray, RestoreAddsTheIconAgainAfterTheShellLostIt)
{
    OwnerWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, CWnd::RegisterWndClass(L"TavrelTrayOwner"), L"o", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0));
    CSystemTray tray;
    ASSERT_TRUE(tray.AddIcon(&owner, WM_USER + 49, L"tip", LoadIconW(nullptr, IDI_APPLICATION), 79));
    // A restarting shell forgets every icon.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner.m_hWnd;
    data.uID = 79;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_TRUE(tray.Restore());
    EXPECT_TRUE(IconExists(owner.m_hWnd, 79));
    // A second announcement while the icon is there keeps one icon.
    EXPECT_TRUE(tray.Restore());
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(IconExists(owner.m_hWnd, 79));
}
