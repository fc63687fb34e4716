#include <windows.h>

#include <atomic>
#include <gtest/gtest.h>

#include "framework/CWinThread.h"
#include "framework/ThreadWait.h"
#include "harness/TestHarness.h"

namespace {

constexpr UINT kWork = WM_APP + 1;
constexpr UINT kShowBox = WM_APP + 2;
constexpr UINT kDuringBox = WM_APP + 3;
const wchar_t kBoxCaption[] = L"Tavrel thread message test";

// A user-interface thread that takes messages posted to itself, even while
// a system message box runs its own loop on it.
class WorkerThread : public CWinThread {
public:
    std::atomic<int> work{0};
    std::atomic<bool> boxOpen{false};
    std::atomic<bool> handledDuringBox{false};

    WorkerThread()
    {
        m_bAutoDelete = false;
        AddThreadMessageHandler(kWork, &WorkerThread::OnWork);
        AddThreadMessageHandler(kShowBox, &WorkerThread::OnShowBox);
        AddThreadMessageHandler(kDuringBox, &WorkerThread::OnDuringBox);
    }
    bool InitInstance() override { return true; }

private:
    void OnWork(WPARAM wParam, LPARAM) { work += static_cast<int>(wParam); }
    void OnShowBox(WPARAM, LPARAM)
    {
        boxOpen = true;
        ::MessageBoxW(nullptr, L"waiting", kBoxCaption, MB_OK); // the system's own loop
        boxOpen = false;
    }
    void OnDuringBox(WPARAM, LPARAM) { handledDuringBox = boxOpen.load(); }
};

} // namespace

TEST(ThreadMessages, ReachTheirHandlerFromTheLoopAndFromASystemModalLoop)
{
    WorkerThread thread;
    ASSERT_TRUE(thread.CreateThread());
    // The queue exists once the thread runs; repeat the post until then.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return PostThreadMessageW(thread.m_nThreadID, kWork, 2, 0) != 0; }));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return thread.work == 2; }));

    PostThreadMessageW(thread.m_nThreadID, kShowBox, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return (box = FindWindowW(nullptr, kBoxCaption)) != nullptr; }));
    PostThreadMessageW(thread.m_nThreadID, kDuringBox, 0, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return thread.handledDuringBox.load(); }));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !thread.boxOpen; }));

    thread.EndMessageLoop(0);
    EXPECT_EQ(WaitServingSentMessages(thread.m_hThread, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
}
