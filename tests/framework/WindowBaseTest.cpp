#include <windows.h>

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CCmdUI.h"
#include "framework/CDialog.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"
#include "framework/ThreadWait.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"
#include "tests/framework/ExampleWnd.h"

using testing_support::MessageBoxRecorder;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

const wchar_t* PlainClass()
{
    return CWnd::RegisterWndClass(L"TavrelWindowBaseTest");
}

// Counts its own destruction steps.
class LifeWnd : public CWnd {
public:
    static inline int alive = 0;
    bool sawDestroy = false;
    bool* destroyFlag = nullptr;
    bool deleteSelf = false;
    LifeWnd() { ++alive; }
    ~LifeWnd() override { --alive; }

protected:
    int OnCreate(CREATESTRUCTW*) override
    {
        SetTimer(7, 1000);
        return 0;
    }
    void OnDestroy() override
    {
        // Timers and other registrations are undone here, with the whole
        // object still alive.
        KillTimer(7);
        sawDestroy = true;
        if (destroyFlag != nullptr)
            *destroyFlag = true;
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override
    {
        if (deleteSelf)
            delete this;
    }
};

// A modeless dialog that deletes itself when its window goes.
class SelfDeletingDialog : public CDialog {
public:
    static inline int alive = 0;
    SelfDeletingDialog() : CDialog(IDD_ABOUTBOX) { ++alive; }
    ~SelfDeletingDialog() override { --alive; }

protected:
    void PostNcDestroy() override { delete this; }
};

} // namespace

TEST(WindowLife, OnDestroyRunsWhenTheOwnerDeletesTheObjectFirst)
{
    bool destroyed = false;
    HWND handle = nullptr;
    {
        CWndPtr<LifeWnd> wnd = MakeWnd<LifeWnd>();
        wnd->destroyFlag = &destroyed;
        ASSERT_TRUE(wnd->CreateEx(0, PlainClass(), L"life", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        handle = wnd->m_hWnd;
    }
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

TEST(WindowLife, SelfDeletingWindowsAndModelessDialogsGoWithTheirWindows)
{
    const int before = LifeWnd::alive;
    auto* wnd = new LifeWnd;
    wnd->deleteSelf = true;
    ASSERT_TRUE(wnd->CreateEx(0, PlainClass(), L"self", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    HWND handle = wnd->m_hWnd;
    ::DestroyWindow(handle);
    EXPECT_EQ(LifeWnd::alive, before);

    const int dialogsBefore = SelfDeletingDialog::alive;
    auto* dialog = new SelfDeletingDialog;
    ASSERT_TRUE(dialog->Create(IDD_ABOUTBOX));
    HWND dialogWindow = dialog->m_hWnd;
    EXPECT_EQ(SelfDeletingDialog::alive, dialogsBefore + 1);
    // Closing with Cancel ends a modeless dialog by destroying its window.
    SendMessageW(dialogWindow, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(SelfDeletingDialog::alive, dialogsBefore);
}

TEST(WindowLife, AThreadForgetsItsMainAndActiveWindowWhenTheyGo)
{
    CWinThread thread;
    {
        LifeWnd main;
        ASSERT_TRUE(main.CreateEx(0, PlainClass(), L"main", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        thread.m_pMainWnd = &main;
        thread.m_pActiveWnd = &main;
        main.DestroyWindow();
        EXPECT_EQ(thread.m_pMainWnd, nullptr);
        EXPECT_EQ(thread.m_pActiveWnd, nullptr);
    }
    // An object deleted while its window lives is forgotten as well.
    auto* other = new LifeWnd;
    ASSERT_TRUE(other->CreateEx(0, PlainClass(), L"other", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    thread.m_pMainWnd = other;
    delete other;
    EXPECT_EQ(thread.m_pMainWnd, nullptr);
}

namespace {

// Fails every paint; counts the attempts.
class FailingPaintWnd : public CWnd {
public:
    int paints = 0;

protected:
    void OnPaint() override
    {
        ++paints;
        throw std::runtime_error("paint failed");
    }
};

} // namespace

TEST(BoxStorms, AFailingPaintShowsOneBoxNotAStack)
{
    FailingPaintWnd wnd;
    int boxes = 0;
    // The hook plays the part of a real box whose own loop repaints the
    // window behind it while it is open.
    MessageBoxHook previous = SetMessageBoxHook([&](const MessageBoxRequest&) {
        ++boxes;
        InvalidateRect(wnd.m_hWnd, nullptr, TRUE);
        UpdateWindow(wnd.m_hWnd);
        return IDOK;
    });
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), L"paint", WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, nullptr, 0));
    UpdateWindow(wnd.m_hWnd);
    PumpFor(std::chrono::milliseconds(300));
    SetMessageBoxHook(previous);
    EXPECT_EQ(boxes, 1);
    EXPECT_GE(wnd.paints, 2); // the repaint behind the box failed too, unreported
    // The area was validated: no further paint is pending.
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, &update, FALSE));
    wnd.DestroyWindow();
}

namespace {

// A dialog that reads the dialog manager's real default results.
class DefaultResultDialog : public CDialog {
public:
    DefaultResultDialog() : CDialog(IDD_ABOUTBOX) {}
    LRESULT lastHitTest = -1;
    bool paintedAfterDefault = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCHITTEST:
            lastHitTest = Default();
            return lastHitTest;
        case WM_PAINT: {
            const LRESULT result = Default(); // the dialog's own painting first
            paintedAfterDefault = true;
            return result;
        }
        default:
            return CDialog::WindowProc(message, wParam, lParam);
        }
    }
};

} // namespace

TEST(DialogDefault, DefaultReturnsTheDialogManagersRealResult)
{
    DefaultResultDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    ShowWindow(dialog.m_hWnd, SW_SHOWNOACTIVATE);
    RECT client = dialog.GetClientRect();
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(dialog.m_hWnd, &centre);
    const LRESULT hit = SendMessageW(dialog.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(hit, HTCLIENT);
    EXPECT_EQ(dialog.lastHitTest, HTCLIENT);
    InvalidateRect(dialog.m_hWnd, nullptr, TRUE);
    UpdateWindow(dialog.m_hWnd);
    EXPECT_TRUE(dialog.paintedAfterDefault);
    dialog.DestroyWindow();
}

namespace {

class ViewWnd : public CWnd {
public:
    std::vector<std::wstring>* log = nullptr;
    bool enableShared = true;
    ViewWnd()
    {
        AddCommandHandler(100, &ViewWnd::OnShared);
        AddUpdateHandler(100, &ViewWnd::OnUpdateShared);
    }
    void OnShared() { log->push_back(L"view"); }
    void OnUpdateShared(CCmdUI* ui) { ui->Enable(enableShared); }
};

class FrameWnd : public CFrameWnd {
public:
    std::vector<std::wstring> log;
    int idleUpdates = 0;
    FrameWnd()
    {
        AddCommandHandler(100, &FrameWnd::OnShared);
        AddCommandHandler(200, &FrameWnd::OnFrameOnly);
    }
    void OnShared() { log.push_back(L"frame"); }
    void OnFrameOnly() { log.push_back(L"frame only"); }

protected:
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM) override
    {
        ++idleUpdates;
        return 0;
    }
};

class ThreadTarget : public CWinThread {
public:
    std::vector<std::wstring>* log = nullptr;
    ThreadTarget() { AddCommandHandler(300, &ThreadTarget::OnThreadCommand); }
    void OnThreadCommand() { log->push_back(L"thread"); }
};

} // namespace

TEST(FrameRouting, CommandsReachTheActiveViewBeforeTheFrameThenTheThread)
{
    FrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, PlainClass(), L"frame", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    ViewWnd view;
    view.log = &frame.log;
    ASSERT_TRUE(view.CreateEx(0, PlainClass(), L"view", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, frame.m_hWnd, 1));

    frame.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_EQ(frame.log, std::vector<std::wstring>{L"frame"}); // no active view yet

    frame.SetActiveView(&view);
    frame.log.clear();
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(200, 0), 0);
    EXPECT_EQ(frame.log, (std::vector<std::wstring>{L"view", L"frame only"}));

    // The view's update handler speaks for the command: disabled, it is not
    // carried out by anyone.
    view.enableShared = false;
    frame.log.clear();
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_TRUE(frame.log.empty());

    // What neither handles goes to the thread object.
    ThreadTarget thread;
    thread.log = &frame.log;
    {
        // Routed from a frame on a thread whose thread object forwards to
        // the target.
        bool routed = false;
        struct Runner : CWinThread {
            ThreadTarget* target;
            bool* routed;
            bool InitInstance() override
            {
                FrameWnd other;
                other.CreateEx(0, PlainClass(), L"other", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
                *routed = other.OnCmdMsg(300, CN_COMMAND, nullptr);
                return false;
            }
            bool OnCmdMsg(UINT id, int code, CCmdUI* ui, bool probe) override
            {
                return target->OnCmdMsg(id, code, ui, probe);
            }
        };
        auto* runner = new Runner;
        runner->target = &thread;
        runner->routed = &routed;
        ASSERT_TRUE(runner->CreateThread());
        HANDLE handle = runner->DuplicateThreadHandle();
        ASSERT_EQ(WaitServingSentMessages(handle, 10000), WAIT_OBJECT_0);
        CloseHandle(handle);
        EXPECT_TRUE(routed);
        EXPECT_EQ(frame.log.back(), L"thread");
    }

    // A view that goes is no longer called.
    view.DestroyWindow();
    EXPECT_EQ(frame.GetActiveView(), nullptr);
    frame.DestroyWindow();
}

TEST(FrameRouting, PopupMenusOfAFrameGetTheUpdateWalkAndIdleReachesEveryTopLevelWindow)
{
    FrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, PlainClass(), L"frame", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, 0));
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 200, L"handled");
    AppendMenuW(popup, MF_STRING, 999, L"nobody");
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(popup);

    // Idle update: every visible top-level window of the thread, frames and
    // modeless dialogs alike, not only a main window.
    FrameWnd second;
    ASSERT_TRUE(second.CreateEx(0, PlainClass(), L"second", WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10}, nullptr, 0));
    CWinThread::UpdateTopLevelWindows();
    EXPECT_EQ(frame.idleUpdates, 1);
    EXPECT_EQ(second.idleUpdates, 1);
    second.DestroyWindow();
    frame.DestroyWindow();
}

namespace {

// A control that takes some of the messages it sends to its parent.
class OwnColoursStatic : public CWnd {
public:
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    int notifies = 0;
    ~OwnColoursStatic() override { DeleteObject(brush); }

protected:
    bool OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override
    {
        if (message == WM_CTLCOLORSTATIC) {
            *result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        if (message == WM_NOTIFY)
            ++notifies; // seen, but left to the parent
        return false;
    }
};

class ParentWnd : public CWnd {
public:
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    std::vector<UINT> seen;
    ~ParentWnd() override { DeleteObject(brush); }

protected:
    HBRUSH OnCtlColor(HDC, HWND, UINT message) override
    {
        seen.push_back(message);
        return brush;
    }
    bool OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) override
    {
        seen.push_back(WM_MEASUREITEM);
        measure->itemHeight = static_cast<UINT>(id);
        return true;
    }
    void OnVScroll(UINT, UINT, HWND) override { seen.push_back(WM_VSCROLL); }
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result))
            return true;
        seen.push_back(WM_NOTIFY);
        *result = 42;
        return true;
    }
};

} // namespace

TEST(Reflection, TheControlTakesWhatItWantsAndTheParentSeesTheRest)
{
    ParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, reinterpret_cast<HMENU>(11),
                                 GetModuleHandleW(nullptr), nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 20, 10, 10, parent.m_hWnd, reinterpret_cast<HMENU>(12),
                                GetModuleHandleW(nullptr), nullptr);
    OwnColoursStatic control;
    ASSERT_TRUE(control.SubclassWindow(label));
    HDC dc = GetDC(parent.m_hWnd);

    // Colours: the bound control answers for itself; an unbound one is the
    // parent's.
    EXPECT_EQ(
        SendMessageW(parent.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)),
        reinterpret_cast<LRESULT>(control.brush));
    EXPECT_EQ(
        SendMessageW(parent.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)),
        reinterpret_cast<LRESULT>(parent.brush));
    ReleaseDC(parent.m_hWnd, dc);

    // A notification the control only looks at still reaches the parent.
    NMHDR header{label, 11, NM_CLICK};
    EXPECT_EQ(SendMessageW(parent.m_hWnd, WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(control.notifies, 1);

    // Measure (found by identifier) and scroll go to the parent's handlers.
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, 12, 0, 0, 0, 0};
    EXPECT_EQ(SendMessageW(parent.m_hWnd, WM_MEASUREITEM, 12, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measure.itemHeight, 12u);
    SendMessageW(parent.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(parent.seen, (std::vector<UINT>{WM_CTLCOLOREDIT, WM_NOTIFY, WM_MEASUREITEM, WM_VSCROLL}));
    parent.DestroyWindow();
}

TEST(ExampleWindow, HandlesMouseKeyboardTimerPaintAndContextMenu)
{
    ExampleWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{100, 100, 300, 250}));
    SetForegroundWindow(wnd.m_hWnd);
    wnd.SetFocus();

    // Timer and paint.
    EXPECT_TRUE(PumpUntil([&] { return wnd.ticks >= 3; }));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_GT(wnd.paints, 0);

    // The real pointer enters and leaves; a click lands in client
    // coordinates.
    testing_support::MovePointer(150, 150);
    EXPECT_TRUE(PumpUntil([&] { return wnd.hovering; }));
    wnd.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    wnd.PostMessage(WM_KEYDOWN, VK_F2, 0);
    // The menu key gives (-1, -1); a right click gives its screen point.
    wnd.PostMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(-1, -1));
    wnd.PostMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(150, 150));
    testing_support::MovePointer(600, 600);
    EXPECT_TRUE(PumpUntil([&] { return !wnd.hovering; }));
    EXPECT_EQ(wnd.events, (std::vector<std::wstring>{L"enter", L"click 50,50", L"key 113", L"menu from keyboard",
                                                     L"menu from mouse", L"leave"}));
}

TEST(ThreadWait, ServesMessagesTheEndingThreadSendsToThisThreadsWindows)
{
    struct Receiver : CWnd {
        int received = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER + 1)
                return ++received;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } receiver;
    ASSERT_TRUE(receiver.CreateEx(0, PlainClass(), L"receiver", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0));
    HWND target = receiver.m_hWnd;
    // The thread sends while it ends; a plain wait here would never return.
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* param) -> DWORD {
            SendMessageW(static_cast<HWND>(param), WM_USER + 1, 0, 0);
            return 0;
        },
        target, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitServingSentMessages(thread, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(receiver.received, 1);
    CloseHandle(thread);
    receiver.DestroyWindow();
}
