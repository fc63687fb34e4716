#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "framework/CButton.h"
#include "framework/CCmdUI.h"
#include "framework/CWnd.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;

namespace {

// Records the messages it sees; can be told to throw on one of them.
class RecordingWnd : public CWnd {
public:
    std::vector<UINT> seen;
    bool* destroyedFlag = nullptr;
    UINT throwOn = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        if (throwOn != 0 && message == throwOn)
            throw std::runtime_error("handler failed");
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        if (destroyedFlag != nullptr)
            *destroyedFlag = true;
    }
};

const wchar_t* TestClass()
{
    return CWnd::RegisterWndClass(L"TavrelFrameworkTest");
}

bool Contains(const std::vector<UINT>& list, UINT message)
{
    for (UINT m : list)
        if (m == message)
            return true;
    return false;
}

} // namespace

TEST(Window, ObjectSeesItsOwnCreationAndIsReleasedAtTheEnd)
{
    RecordingWnd wnd;
    bool destroyed = false;
    wnd.destroyedFlag = &destroyed;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"test", WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 100}, nullptr, 0));
    ASSERT_FALSE(wnd.seen.empty());
    // The first messages of a window (before WM_CREATE) reach the object.
    EXPECT_TRUE(Contains(wnd.seen, WM_NCCREATE));
    EXPECT_TRUE(Contains(wnd.seen, WM_CREATE));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    HWND handle = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

TEST(Window, ExceptionInAHandlerIsReportedAndDoesNotEscape)
{
    MessageBoxRecorder recorder;
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"test", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    wnd.throwOn = WM_USER + 7;
    wnd.SendMessage(WM_USER + 7);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_NE(recorder.Last().text.find(L"handler failed"), std::wstring::npos);
    EXPECT_TRUE(wnd.IsWindow());
}

TEST(Window, DestroyingTheObjectFirstDestroysTheWindowWithoutCallingIntoIt)
{
    HWND handle = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"test", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        handle = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(Window, SubclassedControlIsReleasedWhenItsWindowGoes)
{
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, TestClass(), L"parent", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, reinterpret_cast<HMENU>(101),
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    RecordingWnd control;
    ASSERT_TRUE(control.SubclassDlgItem(101, &parent));
    SetWindowTextW(edit, L"abc");
    EXPECT_TRUE(Contains(control.seen, WM_SETTEXT));
    EXPECT_EQ(control.GetWindowText(), L"abc"); // the control's own handling still runs

    parent.DestroyWindow();
    EXPECT_EQ(control.m_hWnd, nullptr);
}

namespace {

class CommandWnd : public CWnd {
public:
    int opened = 0;
    int changed = 0;
    bool openEnabled = true;
    CommandWnd()
    {
        AddCommandHandler(100, &CommandWnd::OnOpen);
        AddUpdateHandler(100, &CommandWnd::OnUpdateOpen);
        AddControlHandler(200, EN_CHANGE, &CommandWnd::OnChange);
        AddUpdateHandler(300, &CommandWnd::OnUpdateChecked);
    }
    void OnOpen() { ++opened; }
    void OnUpdateOpen(CCmdUI* ui) { ui->Enable(openEnabled); }
    void OnChange() { ++changed; }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
};

} // namespace

TEST(CommandRouting, MenuCommandsAndControlNotificationsReachTheirHandlers)
{
    CommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"cmd", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_EQ(wnd.opened, 1);

    // A command its update handler disables is not carried out.
    wnd.openEnabled = false;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_EQ(wnd.opened, 1);

    // Control notifications are routed by identifier and code.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, wnd.m_hWnd, reinterpret_cast<HMENU>(200),
                                GetModuleHandleW(nullptr), nullptr);
    SetWindowTextW(edit, L"x");
    EXPECT_EQ(wnd.changed, 1);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(200, EN_SETFOCUS), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(wnd.changed, 1);
}

TEST(CommandRouting, PopupMenuUpdateDisablesItemsWithoutHandlersOnly)
{
    CommandWnd wnd;
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 999, L"unhandled inside");
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 100, L"open");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 555, L"nobody");
    AppendMenuW(popup, MF_STRING, 300, L"checked");
    AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"more");

    const UINT separatorBefore = GetMenuState(popup, 1, MF_BYPOSITION);
    UpdatePopupMenuCommands(&wnd, popup);
    const auto state = [popup](UINT position) { return GetMenuState(popup, position, MF_BYPOSITION); };
    EXPECT_FALSE(state(0) & MF_GRAYED);
    EXPECT_EQ(state(1), separatorBefore);
    EXPECT_TRUE(state(2) & MF_GRAYED);
    EXPECT_TRUE(state(3) & MF_CHECKED);
    EXPECT_FALSE(state(3) & MF_GRAYED); // an update handler counts as a handler
    EXPECT_FALSE(state(4) & MF_GRAYED); // sub-menus are never disabled for want of a handler

    wnd.openEnabled = false;
    UpdatePopupMenuCommands(&wnd, popup);
    EXPECT_TRUE(state(0) & MF_GRAYED);
    DestroyMenu(popup);
}

namespace {
class DrawnButton : public CButton {
public:
    int draws = 0;

protected:
    void DrawItem(DRAWITEMSTRUCT*) override { ++draws; }
};
} // namespace

TEST(CommandRouting, OwnerDrawIsReflectedToTheControlObject)
{
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, TestClass(), L"parent", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, 0));
    CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 50, 20, parent.m_hWnd,
                    reinterpret_cast<HMENU>(5), GetModuleHandleW(nullptr), nullptr);
    DrawnButton button;
    ASSERT_TRUE(button.SubclassDlgItem(5, &parent));
    InvalidateRect(button.m_hWnd, nullptr, TRUE);
    UpdateWindow(button.m_hWnd);
    EXPECT_GT(button.draws, 0);
}

TEST(CommandRouting, IdleUpdateOfChildControlsEnablesChecksAndDisablesOrphans)
{
    CommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"controls", WS_POPUP, RECT{0, 0, 200, 100}, nullptr, 0));
    const auto make = [&wnd](const wchar_t* cls, DWORD style, int id) {
        return CreateWindowExW(0, cls, L"c", WS_CHILD | WS_VISIBLE | style, 0, 0, 40, 20, wnd.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    };
    HWND open = make(L"BUTTON", BS_PUSHBUTTON, 100);
    HWND orphan = make(L"BUTTON", BS_PUSHBUTTON, 555);
    HWND check = make(L"BUTTON", BS_CHECKBOX, 300);
    HWND orphanCheck = make(L"BUTTON", BS_AUTOCHECKBOX, 556);

    UpdateChildControls(wnd.m_hWnd, &wnd, true);
    EXPECT_TRUE(IsWindowEnabled(open));
    EXPECT_FALSE(IsWindowEnabled(orphan));
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(orphanCheck)); // only push buttons are disabled for want of a handler

    wnd.openEnabled = false;
    UpdateChildControls(wnd.m_hWnd, &wnd, false);
    EXPECT_FALSE(IsWindowEnabled(open));
}
