#include "framework/MessageBoxLayer.h"

#include <mutex>

#include "framework/CWinThread.h"

namespace {
std::mutex g_lock;
MessageBoxHook g_hook;
std::wstring g_title = L"Tavrel";
} // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT type)
{
    MessageBoxHook hook;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        hook = g_hook;
    }
    if (hook) {
        MessageBoxRequest request;
        request.owner = owner;
        request.text = text;
        request.captionGiven = caption != nullptr;
        if (caption != nullptr)
            request.caption = caption;
        request.type = type;
        return hook(request);
    }
    return MessageBoxW(owner, text.c_str(), caption, type);
}

int AfxMessageBox(const std::wstring& text, UINT type, HWND owner)
{
    if (owner == nullptr)
        owner = CWinThread::GetCurrentMainWindow();
    const std::wstring title = GetAppTitle();
    return ShowMessageBox(owner, text, title.c_str(), type);
}

void SetAppTitle(const std::wstring& title)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_title = title;
}

std::wstring GetAppTitle()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_title;
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard<std::mutex> guard(g_lock);
    MessageBoxHook previous = std::move(g_hook);
    g_hook = std::move(hook);
    return previous;
}
