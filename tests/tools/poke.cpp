// Developer tool for screenshots and manual checks: posts a message to the
// hidden main window of a running Tavrel.
//   tavrel_poke.exe <message> [wParam] [lParam]      (numbers, decimal or 0x...)
// Example: tavrel_poke.exe 0x431 128 0x204 opens the tray menu at the pointer.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {
struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindProc(HWND window, LPARAM param)
{
    wchar_t cls[64] = {};
    wchar_t title[64] = {};
    GetClassNameW(window, cls, 64);
    GetWindowTextW(window, title, 64);
    if (lstrcmpW(cls, L"#32770") == 0 && lstrcmpW(title, L"Tavrel") == 0 && !IsWindowVisible(window)) {
        reinterpret_cast<Search*>(param)->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputws(L"usage: tavrel_poke <message> [wParam] [lParam]\n", stderr);
        return 2;
    }
    Search search;
    for (int attempt = 0; attempt < 100 && search.found == nullptr; ++attempt) {
        EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(100);
    }
    if (search.found == nullptr) {
        std::fputws(L"Tavrel is not running\n", stderr);
        return 1;
    }
    const UINT message = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 0));
    const WPARAM wParam = argc > 2 ? static_cast<WPARAM>(std::wcstoull(argv[2], nullptr, 0)) : 0;
    const LPARAM lParam = argc > 3 ? static_cast<LPARAM>(std::wcstoll(argv[3], nullptr, 0)) : 0;
    return PostMessageW(search.found, message, wParam, lParam) ? 0 : 1;
}
