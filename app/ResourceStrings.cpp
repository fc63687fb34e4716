#include "app/ResourceStrings.h"

std::wstring LoadModuleString(UINT id, HMODULE module)
{
    wchar_t buffer[kMaxResourceString + 1] = {};
    const int length = LoadStringW(module, id, buffer, static_cast<int>(kMaxResourceString + 1));
    if (length <= 0)
        return {};
    return std::wstring(buffer, static_cast<size_t>(length));
}

std::wstring LoadResourceString(UINT id)
{
    return LoadModuleString(id, GetModuleHandleW(nullptr));
}

std::wstring Unscramble(const wchar_t* text, unsigned short key)
{
    std::wstring result;
    if (text == nullptr)
        return result;
    for (const wchar_t* at = text; *at != L'\0'; ++at)
        result.push_back(static_cast<wchar_t>(static_cast<unsigned short>(*at) ^ key));
    return result;
}

std::wstring Unscramble(const std::wstring& text, unsigned short key)
{
    return Unscramble(text.c_str(), key);
}

std::wstring LoadScrambledString(UINT id, ScrambleGroup group)
{
    return Unscramble(LoadResourceString(id), ScrambleKey(group));
}
