#include <windows.h>

#include <gtest/gtest.h>

#include "app/ResourceStrings.h"
#include "dialogs/CCreateNewDocumentDlg.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using namespace testing_support;

TEST(NewDocumentDialog, ShowsTheDefaultNameAndHandsOnTheNameWithoutLeadingBackslash)
{
    CCreateNewDocumentDlg dialog;
    std::wstring shownName;
    bool checkedAtOpening = false;
    WindowWatcher watcher(L"Create New Document...", [&](HWND box) {
        wchar_t text[260] = {};
        GetDlgItemTextW(box, IDC_NEWDOC_NAME, text, 260);
        shownName = text;
        checkedAtOpening = IsDlgButtonChecked(box, IDC_NEWDOC_OPEN) == BST_CHECKED;
        SetDlgItemTextW(box, IDC_NEWDOC_NAME, L"\\docs\\a.txt");
        SendDlgItemMessageW(box, IDC_NEWDOC_OPEN, BM_SETCHECK, BST_UNCHECKED, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownName, LoadResourceString(IDS_DEFAULT_DOCUMENT_NAME));
    EXPECT_FALSE(shownName.empty());
    EXPECT_TRUE(checkedAtOpening);
    EXPECT_EQ(dialog.m_strName, L"docs\\a.txt");
    EXPECT_EQ(dialog.m_nOpen, 0);
}

TEST(NewDocumentDialog, EmptyNameIsRefusedAndTheDialogStaysOpen)
{
    MessageBoxRecorder boxes;
    CCreateNewDocumentDlg dialog;
    bool openAfterOk = false;
    WindowWatcher watcher(L"Create New Document...", [&](HWND box) {
        SetDlgItemTextW(box, IDC_NEWDOC_NAME, L"");
        SendMessageW(box, WM_COMMAND, IDOK, 0);
        openAfterOk = IsWindowVisible(box) != FALSE;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(openAfterOk);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, L"Invalid file name!");
    EXPECT_EQ(boxes.Last().type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(dialog.m_nOpen, 1);
}
