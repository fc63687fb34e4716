#include "harness/TestHarness.h"

#include <shellapi.h>

#include <thread>

namespace testing_support {

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

void MovePointer(int x, int y)
{
    SetCursorPos(x, y);
    PumpFor(std::chrono::milliseconds(50));
}

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxHook([this](const MessageBoxRequest& request) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_requests.push_back(request);
        if (m_answers.empty())
            return IDOK;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHook(std::move(m_previous));
}

void MessageBoxRecorder::QueueAnswer(int answer)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.push_back(answer);
}

std::vector<MessageBoxRequest> MessageBoxRecorder::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

size_t MessageBoxRecorder::Count() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests.size();
}

MessageBoxRequest MessageBoxRecorder::Last() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests.empty() ? MessageBoxRequest{} : m_requests.back();
}

void MessageBoxRecorder::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.clear();
    m_answers.clear();
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        m_path = std::wstring(base) + L"tavrel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(InterlockedIncrement(&counter));
        if (CreateDirectoryW(m_path.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder()
{
    std::wstring from = m_path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

void TempFolder::Write(const std::wstring& name, const std::string& bytes) const
{
    HANDLE file = CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring BinFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

namespace {
struct FindData {
    std::wstring caption;
    const wchar_t* className;
    HWND found = nullptr;
};
BOOL CALLBACK FindProc(HWND window, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId())
        return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    if (data->caption != text)
        return TRUE;
    if (data->className != nullptr) {
        wchar_t cls[256] = {};
        GetClassNameW(window, cls, 256);
        if (lstrcmpiW(cls, data->className) != 0)
            return TRUE;
    }
    data->found = window;
    return FALSE;
}
} // namespace

HWND FindOwnWindow(const std::wstring& caption, const wchar_t* className)
{
    FindData data{caption, className};
    EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

WindowWatcher::WindowWatcher(std::wstring caption, std::function<void(HWND)> action, std::chrono::milliseconds timeout)
{
    m_thread = std::thread([this, caption = std::move(caption), action = std::move(action), timeout] {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            HWND window = FindOwnWindow(caption);
            if (window != nullptr && IsWindowVisible(window)) {
                m_found = true;
                action(window);
                return;
            }
            Sleep(20);
        }
    });
}

WindowWatcher::~WindowWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

void RunOnThread(const std::function<void()>& work)
{
    bool done = false;
    std::thread thread([&] {
        work();
        done = true;
    });
    PumpUntil([&] { return done; }, std::chrono::milliseconds(60000));
    thread.join();
}

} // namespace testing_support
