#include <windows.h>

#include <gtest/gtest.h>

#include "app/CAppReg.h"
#include "app/Settings.h"
#include "dialogs/CDlgOption_FontColorBackground.h"
#include "harness/CleanAppKeyTest.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using namespace testing_support;

namespace {

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

class OptionsDialog : public testing_support::CleanAppKeyTest {
protected:
    // The raw stored text of a value, or "<missing>".
    static std::wstring Stored(const wchar_t* section, const wchar_t* name)
    {
        CAppReg reg;
        reg.Open(GetRegistryName());
        if (!reg.OpenSubKey(section))
            return L"<missing>";
        return reg.QueryString(name, L"<missing>");
    }
};

} // namespace

TEST_F(OptionsDialog, EmptyRegistryShowsSystemColoursAndOkWritesAllSixValues)
{
    CDlgOption_FontColorBackground dialog;
    std::wstring size, sidebar, window;
    WindowWatcher watcher(L"Options", [&](HWND box) {
        size = ItemText(box, IDC_OPT_THUMBNAIL_SIZE);
        sidebar = ItemText(box, IDC_OPT_SIDEBAR_IMAGE);
        window = ItemText(box, IDC_OPT_WINDOW_IMAGE);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(size, L"100");
    EXPECT_EQ(sidebar, L"");
    EXPECT_EQ(window, L"");
    EXPECT_EQ(dialog.m_crNormal, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(dialog.m_crHot, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(dialog.m_crSelected, GetSysColor(COLOR_BTNHIGHLIGHT));
    // Filling the size box at opening already counts as a change.
    EXPECT_TRUE(dialog.IsChanged());

    EXPECT_EQ(Stored(L"Skin", L"TextColor"), std::to_wstring(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(Stored(L"Skin", L"HotTextColor"), std::to_wstring(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Stored(L"Skin", L"SelectedTextColor"), std::to_wstring(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Stored(L"Skin", L"SBarBkImg"), L"");
    EXPECT_EQ(Stored(L"Skin", L"WndBkImg"), L"");
    EXPECT_EQ(Stored(L"main", L"ThumbnailSize"), L"100");
}

TEST_F(OptionsDialog, StoredValuesAreShownAndPicturesAreStoredOnlyAfterOk)
{
    WriteSetting(kTextColor, RGB(1, 2, 3));
    WriteSetting(kSBarBkImg, L"C:\\old.jpg");
    WriteSetting(kThumbnailSize, 150);

    for (const int button : {IDCANCEL, IDOK}) {
        CDlgOption_FontColorBackground dialog;
        std::wstring shownPicture, shownSize;
        WindowWatcher watcher(L"Options", [&](HWND box) {
            shownPicture = ItemText(box, IDC_OPT_SIDEBAR_IMAGE);
            shownSize = ItemText(box, IDC_OPT_THUMBNAIL_SIZE);
            SetDlgItemTextW(box, IDC_OPT_SIDEBAR_IMAGE, L"C:\\pictures\\new.png");
            SetDlgItemTextW(box, IDC_OPT_THUMBNAIL_SIZE, L"180");
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        });
        EXPECT_EQ(dialog.DoModal(), button);
        EXPECT_EQ(dialog.m_crNormal, RGB(1, 2, 3));
        if (button == IDCANCEL) {
            EXPECT_EQ(shownPicture, L"C:\\old.jpg");
            EXPECT_EQ(shownSize, L"150");
            EXPECT_EQ(ReadSetting(kSBarBkImg), L"C:\\old.jpg");
            EXPECT_EQ(ReadSetting(kThumbnailSize), 150);
        } else {
            EXPECT_EQ(ReadSetting(kSBarBkImg), L"C:\\pictures\\new.png");
            EXPECT_EQ(ReadSetting(kThumbnailSize), 180);
            EXPECT_EQ(ReadSetting(kTextColor, 0), RGB(1, 2, 3));
        }
    }
}

TEST_F(OptionsDialog, SizeThatIsNoWholeNumberIsReportedAndOkKeepsTheDialogOpen)
{
    MessageBoxRecorder boxes;
    CDlgOption_FontColorBackground dialog;
    size_t boxesWhileEmpty = 99, boxesAfterBadText = 0, boxesAfterEmptyOk = 0;
    bool openAfterOk = false;
    WindowWatcher watcher(L"Options", [&](HWND box) {
        // Emptying the box while retyping is not reported...
        SetDlgItemTextW(box, IDC_OPT_THUMBNAIL_SIZE, L"");
        boxesWhileEmpty = boxes.Count();
        // ...a text that is not a whole number is, at once.
        SetDlgItemTextW(box, IDC_OPT_THUMBNAIL_SIZE, L"99999999999");
        boxesAfterBadText = boxes.Count();
        // OK with an empty box is refused with the same warning.
        SetDlgItemTextW(box, IDC_OPT_THUMBNAIL_SIZE, L"");
        SendMessageW(box, WM_COMMAND, IDOK, 0);
        boxesAfterEmptyOk = boxes.Count();
        openAfterOk = IsWindowVisible(box) != FALSE;
        SetDlgItemTextW(box, IDC_OPT_THUMBNAIL_SIZE, L"120");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(boxesWhileEmpty, 0u);
    EXPECT_EQ(boxesAfterBadText, 1u);
    EXPECT_EQ(boxesAfterEmptyOk, 2u);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(boxes.Last().text, L"Please enter an integer.");
    EXPECT_EQ(ReadSetting(kThumbnailSize), 120);
}

namespace {

// Waits for a window of this process with the caption and returns it.
HWND WaitForWindow(const std::wstring& caption)
{
    for (int i = 0; i < 500; ++i) {
        HWND window = FindOwnWindow(caption);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        Sleep(20);
    }
    return nullptr;
}

} // namespace

TEST_F(OptionsDialog, BrowseAndColourChoosersFillTheDialog)
{
    TempFolder folder;
    folder.Write(L"back.jpg", "not really a picture");
    const std::wstring picture = folder.File(L"back.jpg");

    CDlgOption_FontColorBackground dialog;
    std::wstring shownAfterBrowse;
    bool fileDialogSeen = false, colourDialogSeen = false;
    WindowWatcher watcher(L"Options", [&](HWND box) {
        PostMessageW(box, WM_COMMAND, IDC_OPT_SIDEBAR_BROWSE, 0);
        if (HWND open = WaitForWindow(L"Open")) {
            fileDialogSeen = true;
            // The file-name box of the system's open dialog.
            SetDlgItemTextW(open, 1148, picture.c_str());
            PostMessageW(open, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 250 && IsWindow(open); ++i)
                Sleep(20);
        }
        shownAfterBrowse = ItemText(box, IDC_OPT_SIDEBAR_IMAGE);

        PostMessageW(box, WM_COMMAND, IDC_OPT_HOT_COLOR, 0);
        if (HWND colour = WaitForWindow(L"Color")) {
            colourDialogSeen = true;
            // The red, green and blue boxes of the system's colour chooser.
            SetDlgItemTextW(colour, 706, L"10");
            SetDlgItemTextW(colour, 707, L"20");
            SetDlgItemTextW(colour, 708, L"30");
            PostMessageW(colour, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 250 && IsWindow(colour); ++i)
                Sleep(20);
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(fileDialogSeen);
    EXPECT_EQ(shownAfterBrowse, picture);
    EXPECT_EQ(ReadSetting(kSBarBkImg), picture);
    ASSERT_TRUE(colourDialogSeen);
    EXPECT_EQ(dialog.m_crHot, RGB(10, 20, 30));
    EXPECT_EQ(ReadSetting(kHotTextColor, 0), RGB(10, 20, 30));
}
