#include "rename/RenamePattern.h"

#include <windows.h>

#include <shlwapi.h>

#include <cwchar>
#include <cwctype>

#include "app/ResourceStrings.h"
#include "rename/MultiRenameItem.h"
#include "resources/ResourceIds.h"

namespace {

std::wstring Trim(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// Empty, or an optional sign followed by digits and commas.
bool IsRangeBound(const std::wstring& text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    for (; i < text.size(); ++i) {
        if (!(text[i] >= L'0' && text[i] <= L'9') && text[i] != L',')
            return false;
    }
    return true;
}

// "a-b" after the token's letter: both bounds well formed.
bool IsRange(const std::wstring& rest)
{
    const size_t dash = rest.find(L'-');
    if (dash == std::wstring::npos)
        return false;
    return IsRangeBound(Trim(rest.substr(0, dash))) && IsRangeBound(Trim(rest.substr(dash + 1)));
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::wstring Inner(const std::wstring& token)
{
    return token.size() >= 2 ? token.substr(1, token.size() - 2) : std::wstring();
}

std::wstring TwoDigits(int value)
{
    wchar_t text[16];
    swprintf(text, 16, L"%02d", value);
    return text;
}

void ReplaceAll(std::wstring& text, wchar_t letter, const std::wstring& by)
{
    for (size_t at = text.find(letter); at != std::wstring::npos; at = text.find(letter, at + by.size()))
        text.replace(at, 1, by);
}

std::wstring EvaluateDate(const std::wstring& token, const SYSTEMTIME& time)
{
    const std::wstring inner = Trim(Inner(token));
    wchar_t year[16];
    swprintf(year, 16, L"%04d", time.wYear);
    if (inner == L"YMD")
        return year + TwoDigits(time.wMonth) + TwoDigits(time.wDay);
    if (!StartsWith(inner, L"YMD:"))
        return GetRenameErrorText();
    std::wstring format = inner.substr(4);
    ReplaceAll(format, L'Y', year);
    ReplaceAll(format, L'M', TwoDigits(time.wMonth));
    ReplaceAll(format, L'D', TwoDigits(time.wDay));
    return format;
}

std::wstring EvaluateTime(const std::wstring& token, const SYSTEMTIME& time)
{
    const std::wstring inner = Inner(token);
    if (inner == L"hms")
        return TwoDigits(time.wHour) + TwoDigits(time.wMinute) + TwoDigits(time.wSecond);
    if (!StartsWith(inner, L"hms:"))
        return GetRenameErrorText();
    std::wstring format = inner.substr(4);
    ReplaceAll(format, L'h', TwoDigits(time.wHour));
    ReplaceAll(format, L'm', TwoDigits(time.wMinute));
    ReplaceAll(format, L's', TwoDigits(time.wSecond));
    return format;
}

std::wstring EvaluateCounter(long long counter, int digits)
{
    std::wstring text = std::to_wstring(counter);
    if (digits >= static_cast<int>(text.size()))
        text.insert(0, static_cast<size_t>(digits) - text.size(), L'0');
    return text;
}

// The 1-based inclusive range a to b of a "[Na-b]" or "[Da-b]" token;
// false when the token is malformed. An empty range is first > last.
bool ReadRange(const std::wstring& token, long long& first, long long& last, bool& empty)
{
    const std::wstring rest = Inner(token).substr(1);
    const size_t dash = rest.find(L'-');
    if (dash == std::wstring::npos || dash == 0)
        return false;
    first = std::wcstoll(rest.substr(0, dash).c_str(), nullptr, 10);
    last = std::wcstoll(rest.c_str() + dash + 1, nullptr, 10);
    empty = false;
    if (first == 0)
        first = 1;
    else if (first < 0 || last < 1)
        empty = true;
    return true;
}

std::wstring EvaluateSubstring(const std::wstring& token, const std::wstring& text)
{
    long long first = 0, last = 0;
    bool empty = false;
    if (!ReadRange(token, first, last, empty))
        return GetRenameErrorText();
    const long long size = static_cast<long long>(text.size());
    if (empty || last < first || first > size)
        return {};
    const long long end = last < size ? last : size;
    return text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(end - first + 1));
}

std::wstring EvaluateDelete(const std::wstring& token, const std::wstring& text)
{
    long long first = 0, last = 0;
    bool empty = false;
    if (!ReadRange(token, first, last, empty))
        return GetRenameErrorText();
    if (empty)
        return {};
    const long long size = static_cast<long long>(text.size());
    if (last < first || first > size)
        return text;
    const long long end = last < size ? last : size;
    std::wstring result = text;
    result.erase(static_cast<size_t>(first - 1), static_cast<size_t>(end - first + 1));
    return result;
}

std::wstring StemOf(const wchar_t* path)
{
    const wchar_t* name = PathFindFileNameW(path);
    return std::wstring(name, static_cast<size_t>(PathFindExtensionW(name) - name));
}

// The stem of the item's 8.3 name. A volume without short names gives the
// long path back, so the token then gives the long name's stem.
std::wstring EvaluateShortName(const _tagMultiRenameItemData& item)
{
    if (item.path.empty())
        return GetRenameErrorText();
    const DWORD needed = GetShortPathNameW(item.path.c_str(), nullptr, 0);
    if (needed == 0)
        return StemOf(item.path.c_str());
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(item.path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return StemOf(item.path.c_str());
    shortPath.resize(length);
    return StemOf(shortPath.c_str());
}

} // namespace

std::wstring GetRenameErrorText()
{
    return LoadScrambledString(IDS_ERROR_CAPTION, ScrambleGroup::Group3);
}

int ClassifyToken(const std::wstring& text)
{
    if (text.size() < 2 || text.front() != L'[' || text.find(L']') != text.size() - 1)
        return 0;
    const std::wstring inner = Inner(text);
    if (inner == L"N")
        return _tagFilterMacroItem::kName;
    if (inner == L"E")
        return _tagFilterMacroItem::kExtension;
    if (inner == L"C")
        return _tagFilterMacroItem::kCounter;
    if (inner == L"8")
        return _tagFilterMacroItem::kShortName;
    if (StartsWith(inner, L"N"))
        return IsRange(inner.substr(1)) ? _tagFilterMacroItem::kSubstring : 0;
    if (StartsWith(inner, L"YMD"))
        return _tagFilterMacroItem::kDate;
    if (StartsWith(inner, L"hms"))
        return _tagFilterMacroItem::kTime;
    if (StartsWith(inner, L"D"))
        return IsRange(inner.substr(1)) ? _tagFilterMacroItem::kDelete : 0;
    return 0;
}

std::optional<RenameTokens> ParsePattern(const std::wstring& pattern)
{
    RenameTokens tokens;
    size_t mark = std::wstring::npos;
    size_t textStart = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'[') {
            mark = i;
        } else if (pattern[i] == L']' && mark != std::wstring::npos) {
            if (mark > textStart)
                tokens.push_back({{}, pattern.substr(textStart, mark - textStart), _tagFilterMacroItem::kLiteral});
            std::wstring candidate = pattern.substr(mark, i - mark + 1);
            const int type = ClassifyToken(candidate);
            if (type == 0)
                return std::nullopt;
            tokens.push_back({std::move(candidate), {}, type});
            mark = std::wstring::npos;
            textStart = i + 1;
        }
    }
    if (!tokens.empty() && textStart < pattern.size())
        tokens.push_back({{}, pattern.substr(textStart), _tagFilterMacroItem::kLiteral});
    return tokens;
}

std::wstring EvaluateNamePattern(const RenameTokens& tokens, const _tagMultiRenameItemData& item, long long counter,
                                 int digits)
{
    std::wstring result;
    for (const auto& token : tokens) {
        switch (token.type) {
        case _tagFilterMacroItem::kLiteral:
            result += token.literal;
            break;
        case _tagFilterMacroItem::kName:
            result += item.oldName;
            break;
        case _tagFilterMacroItem::kExtension:
            result += item.oldExtension;
            break;
        case _tagFilterMacroItem::kDate:
            result += EvaluateDate(token.token, item.time);
            break;
        case _tagFilterMacroItem::kTime:
            result += EvaluateTime(token.token, item.time);
            break;
        case _tagFilterMacroItem::kCounter:
            result += EvaluateCounter(counter, digits);
            break;
        case _tagFilterMacroItem::kShortName:
            result += EvaluateShortName(item);
            break;
        case _tagFilterMacroItem::kSubstring:
            result += EvaluateSubstring(token.token, item.oldName);
            break;
        case _tagFilterMacroItem::kDelete:
            result += EvaluateDelete(token.token, item.oldName);
            break;
        default:
            result += GetRenameErrorText();
            break;
        }
    }
    return result;
}

std::wstring EvaluateExtensionPattern(const RenameTokens& tokens, const _tagMultiRenameItemData& item,
                                      long long counter, int digits)
{
    if (item.kind == _tagMultiRenameItemData::kFolder)
        return {};
    std::wstring result;
    for (const auto& token : tokens) {
        switch (token.type) {
        case _tagFilterMacroItem::kName:
            result += item.oldName;
            break;
        case _tagFilterMacroItem::kExtension:
            result += item.oldExtension;
            break;
        case _tagFilterMacroItem::kDate:
            result += EvaluateDate(token.token, item.time);
            break;
        case _tagFilterMacroItem::kTime:
            result += EvaluateTime(token.token, item.time);
            break;
        case _tagFilterMacroItem::kCounter:
            result += EvaluateCounter(counter, digits);
            break;
        case _tagFilterMacroItem::kSubstring:
            result += EvaluateSubstring(token.token, item.oldExtension);
            break;
        default:
            result += GetRenameErrorText();
            break;
        }
    }
    return result;
}
