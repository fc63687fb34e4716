// How much a settings read costs. Every reader opens the application key
// and its section, reads, and closes both (nothing is cached), so the
// sidebar's layout and paint code can call it freely only if that stays
// close to a single raw registry read. Baseline: one RegGetValueW of the
// same value, which opens and closes the key inside the system.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "app/CAppReg.h"
#include "app/Settings.h"

namespace {

template <class Work> double MicrosecondsPerCall(int calls, Work work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        work();
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

} // namespace

int main()
{
    WriteSetting(kHideWndDelayTime, 700);
    const std::wstring section = L"Software\\" + GetRegistryName() + L"\\main";
    constexpr int kCalls = 20000;
    volatile long long sink = 0;

    // Warm up both paths once.
    sink = sink + ReadSetting(kHideWndDelayTime);

    const double baseline = MicrosecondsPerCall(kCalls, [&] {
        wchar_t text[32] = {};
        DWORD size = sizeof(text);
        RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"HideWndDelayTime", RRF_RT_REG_SZ, nullptr, text, &size);
        sink = sink + text[0];
    });
    const double setting = MicrosecondsPerCall(kCalls, [&] { sink = sink + ReadSetting(kHideWndDelayTime); });

    std::printf("raw registry read (baseline): %8.2f us per read\n", baseline);
    std::printf("ReadSetting (key + section):  %8.2f us per read\n", setting);
    std::printf("ratio ReadSetting / baseline: %8.2f\n", setting / baseline);
    return 0;
}
