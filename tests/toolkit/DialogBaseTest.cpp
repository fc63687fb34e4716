#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "framework/CCmdUI.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"
#include "toolkit/CFocusComboBox.h"
#include "toolkit/CFolderDialog.h"
#include "toolkit/CGDialog.h"
#include "toolkit/CInputTextDialog.h"
#include "toolkit/CRenameEdit.h"

using namespace testing_support;

namespace {

class ToolDialog : public CGDialog {
public:
    bool allowCut = false;
    HWND toolBar = nullptr;
    ToolDialog() : CGDialog(IDD_INPUT_TEXT)
    {
        AddCommandHandler(700, &ToolDialog::OnCut);
        AddUpdateHandler(700, &ToolDialog::OnUpdateCut);
        AddCommandHandler(701, &ToolDialog::OnCut);
        AddUpdateHandler(701, &ToolDialog::OnUpdateChecked);
    }
    void OnCut() {}
    void OnUpdateCut(CCmdUI* ui) { ui->Enable(allowCut); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }

protected:
    BOOL OnInitDialog() override
    {
        CGDialog::OnInitDialog();
        toolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                                  m_hWnd, reinterpret_cast<HMENU>(900), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON buttons[3] = {};
        buttons[0] = TBBUTTON{I_IMAGENONE, 700, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
        buttons[1] = TBBUTTON{0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0};
        buttons[2] = TBBUTTON{I_IMAGENONE, 701, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0};
        SendMessageW(toolBar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
        return TRUE;
    }
};

BYTE ButtonState(HWND toolBar, int command)
{
    return static_cast<BYTE>(SendMessageW(toolBar, TB_GETSTATE, static_cast<WPARAM>(command), 0));
}

} // namespace

TEST(GDialog, KeepsToolBarButtonsAndControlsInStepWithTheHandlers)
{
    ToolDialog dialog;
    bool cutDisabled = false;
    bool checked = false;
    bool okEnabled = false;
    bool cutEnabledLater = false;
    WindowWatcher watcher(L"Dialog", [&](HWND window) {
        // The update cycle runs every 10 ms while the dialog is open.
        Sleep(300);
        cutDisabled = !(ButtonState(dialog.toolBar, 700) & TBSTATE_ENABLED);
        checked = (ButtonState(dialog.toolBar, 701) & TBSTATE_CHECKED) != 0;
        okEnabled = IsWindowEnabled(GetDlgItem(window, IDOK)) != FALSE; // no update handler: stays enabled
        dialog.allowCut = true;
        Sleep(300);
        cutEnabledLater = (ButtonState(dialog.toolBar, 700) & TBSTATE_ENABLED) != 0;
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.DoModal();
    EXPECT_TRUE(watcher.Found());
    EXPECT_TRUE(cutDisabled);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(okEnabled);
    EXPECT_TRUE(cutEnabledLater);
}

TEST(InputText, OkReturnsTheTextAndCancelReturnsTwoWithoutText)
{
    {
        WindowWatcher watcher(L"Rename", [](HWND window) {
            Sleep(100);
            SetDlgItemTextW(window, IDC_INPUT_EDIT, L"new name");
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        });
        std::wstring text = L"untouched";
        EXPECT_EQ(AskText(L"Rename", L"Name:", L"note", L"old", text), 1);
        EXPECT_EQ(text, L"new name");
    }
    {
        std::wstring prompt;
        std::wstring field = L"x";
        WindowWatcher watcher(L"Empty", [&](HWND window) {
            Sleep(100);
            prompt = WindowTextOf(GetDlgItem(window, IDC_INPUT_PROMPT));
            field = WindowTextOf(GetDlgItem(window, IDC_INPUT_EDIT));
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        });
        std::wstring text;
        EXPECT_EQ(AskText(L"Empty", L"", L"", L"", text), 2);
        EXPECT_EQ(text, L"");
        EXPECT_EQ(prompt, L"");
        EXPECT_EQ(field, L"");
    }
}

namespace {
class ProbeFolderDialog : public CFolderDialog {
public:
    ProbeFolderDialog() : CFolderDialog(L"t", L"", nullptr, BIF_RETURNONLYFSDIRS) {}
    bool Validate(const std::wstring& typed) { return OnValidateFailed(typed); }
};
} // namespace

TEST(FolderDialog, AnInvalidTypedPathAsksAndNoKeepsTheChooserOpen)
{
    MessageBoxRecorder recorder;
    ProbeFolderDialog dialog;
    recorder.QueueAnswer(IDNO);
    EXPECT_TRUE(dialog.Validate(L"C:\\no such folder")); // keep open
    recorder.QueueAnswer(IDYES);
    EXPECT_FALSE(dialog.Validate(L"C:\\no such folder")); // close
    ASSERT_EQ(recorder.Count(), 2u);
    EXPECT_EQ(recorder.Last().text, L"The path entered is not valid! Continue ?");
    EXPECT_EQ(recorder.Last().type, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2));
}

TEST(SmallControls, RenameEditCountsOnlyTheUsersChangesAndTheComboKeepsItsSelection)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::RegisterWndClass(L"TavrelToolkitParent"), L"p", WS_POPUP | WS_VISIBLE,
                                RECT{0, 0, 300, 200}, nullptr, 0));
    CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, parent.m_hWnd, reinterpret_cast<HMENU>(10),
                    GetModuleHandleW(nullptr), nullptr);
    CRenameEdit edit;
    ASSERT_TRUE(edit.Bind(10, &parent));
    EXPECT_TRUE(edit.GetStyle() & WS_CLIPSIBLINGS);
    edit.SetTextQuiet(L"file.txt");
    EXPECT_FALSE(edit.IsModified());
    EXPECT_EQ(edit.GetText(), L"file.txt");
    edit.SendMessage(WM_CHAR, L'x', 1);
    EXPECT_TRUE(edit.IsModified());

    CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 30, 200, 100, parent.m_hWnd,
                    reinterpret_cast<HMENU>(11), GetModuleHandleW(nullptr), nullptr);
    CFocusComboBox combo;
    ASSERT_TRUE(combo.Bind(11, &parent));
    combo.SetWindowText(L"[N]_[C]");
    combo.SetEditSel(3, 5);
    HWND comboEdit = combo.GetEditWindow();
    ASSERT_NE(comboEdit, nullptr);
    // The stored selection is the one from before the key took effect.
    SendMessageW(comboEdit, WM_CHAR, L'z', 1);
    EXPECT_EQ(combo.GetSelStart(), 3);
    EXPECT_EQ(combo.GetSelEnd(), 5);
    parent.DestroyWindow();
}
