#include "framework/ThreadWait.h"

DWORD WaitServingSentMessages(HANDLE handle, DWORD timeout)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeout != INFINITE) {
            const ULONGLONG elapsed = GetTickCount64() - start;
            remaining = elapsed >= timeout ? 0 : static_cast<DWORD>(timeout - elapsed);
        }
        const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, remaining, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return result;
        // Peeking delivers the messages sent to this thread's windows.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
