#include <gtest/gtest.h>

#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CWinThread.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using testing_support::MessageBoxRecorder;

namespace {

// A dialog on the new-document template (an edit box and a check box) that
// exchanges a number or a bounded text with the edit box.
class NumberDlg : public CDialog {
public:
    NumberDlg() : CDialog(IDD_NEW_DOCUMENT) {}
    int number = 42;
    std::wstring text;
    bool useText = false;
    int kickIdles = 0;
    std::function<void(NumberDlg&)> onInit;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        if (useText) {
            DDX_Text(dx, IDC_NEWDOC_NAME, text);
            DDV_MaxChars(dx, text, 80);
        } else {
            DDX_Text(dx, IDC_NEWDOC_NAME, number);
        }
    }
    LRESULT OnKickIdle(WPARAM, LPARAM) override
    {
        ++kickIdles;
        return 0;
    }
};

} // namespace

TEST(Dialog, ModalRunFillsControlsIdlesAndEndsWithTheResult)
{
    NumberDlg dialog;
    std::wstring shown;
    dialog.onInit = [&shown](NumberDlg& d) {
        shown = d.GetDlgItemText(IDC_NEWDOC_NAME);
        d.SetDlgItemText(IDC_NEWDOC_NAME, L"  -17 ");
        d.PostMessage(WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, L"42");
    EXPECT_EQ(dialog.number, -17);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

namespace {
class OwnedDlg : public NumberDlg {
public:
    explicit OwnedDlg(CWnd* parent) { m_pParentWnd = parent; }
};
struct PlainWnd : CWnd {};
} // namespace

TEST(Dialog, OwnerIsDisabledWhileTheDialogRunsAndEnabledAfter)
{
    PlainWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, CWnd::RegisterWndClass(L"TavrelDialogOwner"), L"owner", WS_POPUP | WS_VISIBLE,
                               RECT{0, 0, 50, 50}, nullptr, 0));
    OwnedDlg dialog(&owner);
    bool disabledDuring = false;
    HWND ownerSeen = nullptr;
    dialog.onInit = [&](NumberDlg& d) {
        disabledDuring = !IsWindowEnabled(owner.m_hWnd);
        ownerSeen = GetWindow(d.m_hWnd, GW_OWNER);
        d.PostMessage(WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(disabledDuring);
    EXPECT_EQ(ownerSeen, owner.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
}

TEST(Dialog, IdleMessagesArriveWhileTheDialogWaits)
{
    NumberDlg dialog;
    dialog.onInit = [](NumberDlg& d) { SetTimer(d.m_hWnd, 1, 200, nullptr); };
    // The dialog ends itself on its timer; meanwhile its queue runs empty.
    class TimedDlg : public NumberDlg {
    protected:
        void OnTimer(UINT_PTR) override { EndDialog(IDOK); }
    } timed;
    timed.onInit = dialog.onInit;
    EXPECT_EQ(timed.DoModal(), IDOK);
    EXPECT_GT(timed.kickIdles, 0);
}

TEST(Dialog, ThreadQuitEndsTheModalLoopAndIsPassedOn)
{
    NumberDlg dialog;
    dialog.onInit = [](NumberDlg&) { PostQuitMessage(3); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(DataExchange, RefusedValuesShowTheStandardWarningsAndKeepTheDialogOpen)
{
    struct Case {
        bool useText;
        std::wstring input;
        std::wstring warning;
    };
    const Case cases[] = {
        {false, L"12px", L"Please enter an integer."},
        {false, L"", L"Please enter an integer."},
        {false, L"99999999999", L"Please enter an integer."},
        {true, std::wstring(81, L'x'), L"Enter no more than 80 characters."},
    };
    for (const Case& c : cases) {
        MessageBoxRecorder recorder;
        NumberDlg dialog;
        dialog.useText = c.useText;
        bool stayedOpen = false;
        dialog.onInit = [&](NumberDlg& d) {
            d.SetDlgItemText(IDC_NEWDOC_NAME, c.input);
            d.SendMessage(WM_COMMAND, IDOK, 0);
            stayedOpen = d.IsWindow() && d.IsModalRunning();
            d.PostMessage(WM_COMMAND, IDCANCEL, 0);
        };
        // OnOK runs during initialisation here, so end explicitly after it.
        dialog.DoModal();
        EXPECT_TRUE(stayedOpen) << c.warning;
        ASSERT_EQ(recorder.Count(), 1u);
        EXPECT_EQ(recorder.Last().text, c.warning);
        EXPECT_EQ(recorder.Last().type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
}

TEST(DataExchange, WholeNumberParsing)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        long long value;
    };
    const Case cases[] = {
        {L"0", true, 0},           {L" 15 ", true, 15}, {L"+7", true, 7}, {L"-2147483648", true, INT_MIN},
        {L"2147483648", false, 0}, {L"1 2", false, 0},  {L"-", false, 0}, {L"0x10", false, 0}};
    for (const Case& c : cases) {
        long long value = 0;
        EXPECT_EQ(ParseWholeNumber(c.text, INT_MIN, INT_MAX, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

namespace {

class CountingThread : public CWinThread {
public:
    explicit CountingThread(bool* deleted, LONG* idles) : m_deleted(deleted), m_idles(idles) {}
    ~CountingThread() override { *m_deleted = true; }
    bool InitInstance() override { return true; }
    bool OnIdle(LONG count) override
    {
        InterlockedIncrement(m_idles);
        return CWinThread::OnIdle(count);
    }
    int ExitInstance() override { return 7; }

private:
    bool* m_deleted;
    LONG* m_idles;
};

} // namespace

TEST(WinThread, RunsItsLoopUntilQuitAndDeletesItself)
{
    bool deleted = false;
    LONG idles = 0;
    auto* thread = new CountingThread(&deleted, &idles);
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    HANDLE handle = thread->DuplicateThreadHandle();
    const DWORD id = thread->m_nThreadID;
    thread->ResumeThread();
    testing_support::PumpUntil([&] { return InterlockedCompareExchange(&idles, 0, 0) > 0; });
    EXPECT_GT(idles, 0);
    while (!PostThreadMessageW(id, WM_QUIT, 0, 0))
        Sleep(5);
    ASSERT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(handle, &code);
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(deleted);
    CloseHandle(handle);
}
