#pragma once
#include <windows.h>

// Waits for a handle while serving the messages other threads send to the
// calling thread's windows, so a thread that sends to one of them while it
// ends cannot deadlock the wait. Posted messages stay queued. Returns
// WAIT_OBJECT_0 when the handle was signalled, WAIT_TIMEOUT or WAIT_FAILED.
DWORD WaitServingSentMessages(HANDLE handle, DWORD timeout = INFINITE);
