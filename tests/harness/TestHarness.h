#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/MessageBoxLayer.h"

namespace testing_support {

// Pumps the calling thread's messages until the condition holds or the
// time runs out; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// Pumps messages for a while.
void PumpFor(std::chrono::milliseconds duration);

// Moves the real pointer (the window under it gets mouse messages).
void MovePointer(int x, int y);

// Records every message box the program would show and answers each with
// the next queued answer (IDOK when none is queued). Installed for its life.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer);
    std::vector<MessageBoxRequest> Requests() const;
    size_t Count() const;
    MessageBoxRequest Last() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<MessageBoxRequest> m_requests;
    std::deque<int> m_answers;
    MessageBoxHook m_previous;
};

// A temporary folder below the system's temporary folder, removed with all
// its contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    // Writes a file with the given bytes.
    void Write(const std::wstring& name, const std::string& bytes) const;

private:
    std::wstring m_path;
};

// The folder with the built program and its run-time files.
std::wstring BinFolder();

// Finds a top-level window of this process by its caption (and class when given).
HWND FindOwnWindow(const std::wstring& caption, const wchar_t* className = nullptr);

// Runs a function on a fresh thread with its own message queue and waits
// for it, pumping this thread's messages meanwhile.
void RunOnThread(const std::function<void()>& work);

// Waits on a background thread for a top-level window of this process with
// the caption, then runs the action with it (on that background thread, so
// the action may send messages to a window whose thread is inside a modal
// loop). Joins in the destructor; Found() tells whether the window appeared.
class WindowWatcher {
public:
    WindowWatcher(std::wstring caption, std::function<void(HWND)> action,
                  std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;
    bool Found() const { return m_found; }

private:
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

} // namespace testing_support
