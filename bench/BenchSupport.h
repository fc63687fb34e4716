#pragma once
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/MessageBoxLayer.h"

// Small helpers shared by the engine benchmarks.
namespace bench {

// Seconds a piece of work takes.
template <class Work> double Seconds(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

// The middle value of a few timings.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A fresh folder below the system's temporary folder, removed with all its
// contents at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name)
    {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        m_path = std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        std::wstring from = m_path;
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&op);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Message boxes are printed instead of shown, so a failure cannot stop an
// unattended run.
inline void PrintMessageBoxes()
{
    SetMessageBoxHook([](const MessageBoxRequest& request) {
        std::fwprintf(stderr, L"message box: %ls\n", request.text.c_str());
        return IDOK;
    });
}

} // namespace bench
