#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <array>
#include <gtest/gtest.h>
#include <thread>

#include "framework/CColorDialog.h"
#include "framework/CFolderBrowseDialog.h"
#include "framework/CImageList.h"
#include "framework/CToolTipCtrl.h"
#include "framework/CWnd.h"
#include "harness/TestHarness.h"

using namespace testing_support;

TEST(ImageList, OwnsWhatItCreatesAndNeverTheSystemsList)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16));
    EXPECT_EQ(list.AddIcon(LoadIconW(nullptr, IDI_APPLICATION)), 0);
    EXPECT_EQ(list.AddIcon(LoadIconW(nullptr, IDI_WARNING)), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetIconSize().cx, 16);
    HICON copy = list.ExtractIcon(1);
    EXPECT_NE(copy, nullptr);
    DestroyIcon(copy);

    // Moving hands over ownership.
    CImageList moved(std::move(list));
    EXPECT_FALSE(list);
    EXPECT_EQ(moved.GetCount(), 2);

    // A shared list attached without ownership survives the wrapper.
    SHFILEINFOW info{};
    auto system = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(system, nullptr);
    {
        CImageList borrowed;
        borrowed.Attach(system, false);
        EXPECT_FALSE(borrowed.IsOwned());
    }
    EXPECT_GT(ImageList_GetImageCount(system), 0);
}

TEST(ToolTip, ToolsAreAddedUpdatedAndRemoved)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, CWnd::RegisterWndClass(L"TavrelToolTipOwner"), L"owner", WS_POPUP | WS_VISIBLE,
                               RECT{0, 0, 200, 100}, nullptr, 0));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOPMOST);
    ASSERT_TRUE(tip.AddTool(owner.m_hWnd, L"left half", RECT{0, 0, 100, 100}, 1));
    ASSERT_TRUE(tip.AddTool(owner.m_hWnd, L"right half", RECT{100, 0, 200, 100}, 2));
    EXPECT_EQ(tip.GetToolCount(), 2);
    EXPECT_EQ(tip.GetText(owner.m_hWnd, 2), L"right half");
    const std::wstring longText(200, L'w'); // past the control's old 80-character limit
    tip.UpdateTipText(owner.m_hWnd, longText, 2);
    EXPECT_EQ(tip.GetText(owner.m_hWnd, 2), longText);
    tip.DelTool(owner.m_hWnd, 1);
    EXPECT_EQ(tip.GetToolCount(), 1);
    HWND tipWindow = tip.m_hWnd;
    owner.DestroyWindow(); // an owned pop-up goes with its owner
    EXPECT_FALSE(IsWindow(tipWindow));
    EXPECT_EQ(tip.m_hWnd, nullptr);
}

namespace {
class WatchingBrowser : public CFolderBrowseDialog {
public:
    using CFolderBrowseDialog::CFolderBrowseDialog;
    bool initialized = false;
    int selections = 0;

protected:
    void OnInitialized() override { initialized = true; }
    void OnSelChanged(LPCITEMIDLIST) override { ++selections; }
};
} // namespace

TEST(FolderBrowser, OpensOnTheStartingFolderAndReturnsTheChoice)
{
    TempFolder folder;
    WatchingBrowser browser(L"Pick a folder");
    browser.SetInitialFolder(folder.Path());
    // The chooser is modal: a watcher presses OK once it is up.
    WindowWatcher watcher(L"Browse for Folder", [](HWND window) {
        Sleep(300);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(browser.DoModal(), IDOK);
    EXPECT_TRUE(watcher.Found());
    EXPECT_TRUE(browser.initialized);
    EXPECT_GT(browser.selections, 0);
    // Windows opens the chooser on the starting folder and OK returns it;
    // Wine's chooser leaves the selection on the desktop folder for deep
    // folders. Both return the selected folder with its item and path.
    EXPECT_NE(browser.GetSelectedItem(), nullptr);
    const DWORD attributes = GetFileAttributesW(browser.GetPath().c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << browser.GetPath().c_str();
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ColorDialog, CustomColoursAreSharedSafelyBetweenThreads)
{
    const std::array<COLORREF, 16> saved = CColorDialog::GetCustomColors();
    // Two threads storing whole sets at once: every read sees one whole set,
    // never a mix.
    std::array<COLORREF, 16> reds{};
    std::array<COLORREF, 16> blues{};
    reds.fill(RGB(255, 0, 0));
    blues.fill(RGB(0, 0, 255));
    std::atomic<bool> mixed{false};
    std::thread a([&] {
        for (int i = 0; i < 2000; ++i)
            CColorDialog::SetCustomColors(i % 2 ? reds : blues);
    });
    std::thread b([&] {
        for (int i = 0; i < 2000; ++i) {
            const std::array<COLORREF, 16> seen = CColorDialog::GetCustomColors();
            for (COLORREF c : seen)
                if (c != seen[0])
                    mixed = true;
        }
    });
    a.join();
    b.join();
    EXPECT_FALSE(mixed);
    CColorDialog::SetCustomColors(saved);
}
