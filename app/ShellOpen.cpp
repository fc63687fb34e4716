#include "app/ShellOpen.h"

#include <shellapi.h>

#include <mutex>

namespace {
std::mutex g_lock;
ShellOpenHook g_hook;
} // namespace

INT_PTR ShellOpen(HWND owner, const std::wstring& target)
{
    ShellOpenHook hook;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        hook = g_hook;
    }
    if (hook)
        return hook(owner, target);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook)
{
    std::lock_guard<std::mutex> guard(g_lock);
    ShellOpenHook previous = std::move(g_hook);
    g_hook = std::move(hook);
    return previous;
}
