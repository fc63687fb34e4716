#include "app/TextHelpers.h"

#include <shlwapi.h>

#include <string_view>
#include <vector>

#include "app/AppState.h"
#include "framework/MessageBoxLayer.h"

int CompareNoCase(const std::wstring& a, const std::wstring& b)
{
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                      b.c_str(), static_cast<int>(b.size()));
    if (result == CSTR_LESS_THAN)
        return -1;
    return result == CSTR_GREATER_THAN ? 1 : 0;
}

int FindInvalidChar(const wchar_t* text, bool isPath)
{
    if (text == nullptr)
        return -1;
    // The order matters: the first listed character present decides.
    const wchar_t* const tested = isPath ? L"/|?\"*<>" : L"/\\|?\"*<>:";
    const std::wstring_view view(text);
    for (const wchar_t* c = tested; *c != L'\0'; ++c) {
        const size_t position = view.find(*c);
        if (position != std::wstring_view::npos)
            return static_cast<int>(position);
    }
    return -1;
}

std::wstring GetExtension(const wchar_t* path)
{
    if (path == nullptr)
        return {};
    return PathFindExtensionW(path);
}

std::wstring RemoveExtension(const wchar_t* path)
{
    if (path == nullptr)
        return {};
    // PathFindExtensionW gives the part PathRemoveExtensionW would cut, for
    // a path of any length.
    return std::wstring(path, static_cast<size_t>(PathFindExtensionW(path) - path));
}

std::wstring CutAtLastBackslash(const std::wstring& path)
{
    const size_t position = path.rfind(L'\\');
    if (position == std::wstring::npos || position == 0)
        return {};
    return path.substr(0, position);
}

std::wstring GetParentFolder(const std::wstring& path)
{
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(L'\0');
    if (!PathRemoveFileSpecW(buffer.data()))
        return {};
    return buffer.data();
}

std::wstring GetProgramFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return CutAtLastBackslash(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring GetShortPath(const std::wstring& path)
{
    // The first call asks for the size, so paths of any length fit.
    DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    while (needed != 0) {
        std::vector<wchar_t> buffer(needed);
        const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
        if (length == 0)
            break;
        if (length < needed)
            return std::wstring(buffer.data(), length);
        needed = length; // the path grew in between; try again
    }
    wchar_t text[96];
    swprintf(text, 96, L"Failed to get DOS short path! last Error code %d", static_cast<int>(GetLastError()));
    AfxMessageBox(text, MB_OK | MB_ICONERROR, AppState::sideBarWnd.load());
    return {};
}
