#include "rename/RenameEngine.h"

#include <shellapi.h>

#include <cwctype>

#include "app/ResourceStrings.h"
#include "rename/MultiRenameItem.h"
#include "rename/RenamePattern.h"
#include "resources/ResourceIds.h"

namespace {

std::wstring UpperCased(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring WithCase(std::wstring text, bool upper)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(upper ? std::towupper(c) : std::towlower(c));
    return text;
}

// A word starts at the beginning and after blanks, digits and punctuation.
bool EndsWord(wchar_t c)
{
    return (c >= 32 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}

std::wstring CapitaliseWords(std::wstring text)
{
    bool wordStart = true;
    for (auto& c : text) {
        if (wordStart && std::iswalpha(c))
            c = static_cast<wchar_t>(std::towupper(c));
        wordStart = EndsWord(c);
    }
    return text;
}

void ApplyCase(_tagMultiRenameItemData& item, int caseMode)
{
    switch (caseMode) {
    case 1:
        item.newName = WithCase(item.newName, true);
        item.newExtension = WithCase(item.newExtension, true);
        break;
    case 2:
        item.newName = WithCase(item.newName, false);
        item.newExtension = WithCase(item.newExtension, false);
        break;
    case 3:
        if (item.newName.size() > MAX_PATH)
            item.newName.resize(MAX_PATH);
        if (!item.newName.empty())
            item.newName[0] = static_cast<wchar_t>(std::towupper(item.newName[0]));
        break;
    case 4:
        item.newName = CapitaliseWords(item.newName);
        item.newExtension = CapitaliseWords(item.newExtension);
        break;
    default:
        break;
    }
}

void ReplaceInItem(_tagMultiRenameItemData& item, const RenameSettings& settings, const std::wstring& replacement)
{
    const int limit = settings.onlyOncePerFile ? 1 : 0;
    ReplaceResult name = ReplaceText(item.newName, settings.searchText, replacement, settings.matchCase, limit);
    item.newName = std::move(name.text);
    if (!settings.includeExtension)
        return;
    if (!settings.onlyOncePerFile || name.count == 0)
        item.newExtension =
            ReplaceText(item.newExtension, settings.searchText, replacement, settings.matchCase, limit).text;
}

} // namespace

ReplaceResult ReplaceText(const std::wstring& text, const std::wstring& search, const std::wstring& replacement,
                          bool matchCase, int limit)
{
    ReplaceResult result;
    if (search.empty()) {
        result.text = text;
        return result;
    }
    const std::wstring haystack = matchCase ? text : UpperCased(text);
    const std::wstring needle = matchCase ? search : UpperCased(search);
    size_t from = 0;
    for (;;) {
        if (limit > 0 && result.count >= limit)
            break;
        const size_t at = haystack.find(needle, from);
        if (at == std::wstring::npos)
            break;
        result.text.append(text, from, at - from);
        result.text += replacement;
        from = at + needle.size();
        ++result.count;
    }
    result.text.append(text, from, std::wstring::npos);
    return result;
}

std::wstring GetEffectiveReplacement(const RenameSettings& settings)
{
    switch (settings.replacementPreset) {
    case 0:
        return {};
    case 1:
        return WithCase(settings.searchText, true);
    case 2:
        return WithCase(settings.searchText, false);
    default:
        break;
    }
    // The presets' list may stand in the box as typed text: its whole text,
    // or its first entry, means the empty replacement.
    const std::wstring presets = LoadResourceString(IDS_RENAME_REPLACE_PRESETS);
    if (!presets.empty() &&
        (settings.replacementText == presets || settings.replacementText == presets.substr(0, presets.find(L';'))))
        return {};
    return settings.replacementText;
}

void ComputeNewNames(RenameItems& items, const RenameSettings& settings)
{
    const auto nameTokens = ParsePattern(settings.namePattern);
    if (!nameTokens) {
        const std::wstring error = GetRenameErrorText() + L" 33316";
        for (auto& item : items)
            item.newName = error;
        return;
    }
    const auto extensionTokens = ParsePattern(settings.extensionPattern);
    if (!extensionTokens) {
        const std::wstring error = GetRenameErrorText() + L" 33317";
        for (auto& item : items)
            item.newExtension = error;
        return;
    }
    const bool replacing = !settings.searchText.empty();
    const std::wstring replacement = replacing ? GetEffectiveReplacement(settings) : std::wstring();
    long long counter = settings.counterStart;
    for (auto& item : items) {
        item.newName = EvaluateNamePattern(*nameTokens, item, counter, settings.counterDigits);
        item.newExtension = EvaluateExtensionPattern(*extensionTokens, item, counter, settings.counterDigits);
        counter += settings.counterStep;
        ApplyCase(item, settings.caseMode);
        if (replacing)
            ReplaceInItem(item, settings, replacement);
    }
}

void ReplaceAgain(RenameItems& items, const RenameSettings& settings)
{
    if (settings.searchText.empty())
        return;
    const std::wstring replacement = GetEffectiveReplacement(settings);
    for (auto& item : items)
        ReplaceInItem(item, settings, replacement);
}

RenameMoveLists BuildMoveLists(const RenameItems& items)
{
    RenameMoveLists lists;
    for (const auto& item : items) {
        std::wstring destination = item.newFolder;
        // A root folder already ends with its backslash.
        if (destination.empty() || destination.back() != L'\\')
            destination += L'\\';
        destination += item.newName;
        if (item.kind != _tagMultiRenameItemData::kFolder && !item.newExtension.empty())
            destination += L"." + item.newExtension;
        if (_wcsicmp(destination.c_str(), item.path.c_str()) == 0)
            continue;
        lists.sources.push_back(item.path);
        lists.destinations.push_back(std::move(destination));
    }
    return lists;
}

std::wstring MakeDoubleNullList(const std::vector<std::wstring>& paths)
{
    std::wstring buffer;
    for (const auto& path : paths) {
        buffer += path;
        buffer.push_back(L'\0');
    }
    buffer.push_back(L'\0');
    return buffer;
}

bool MoveRenamedItems(const RenameMoveLists& lists, HWND owner)
{
    if (lists.sources.empty())
        return true;
    const std::wstring from = MakeDoubleNullList(lists.sources);
    const std::wstring to = MakeDoubleNullList(lists.destinations);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_MOVE;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags =
        FOF_MULTIDESTFILES | FOF_RENAMEONCOLLISION | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR;
    const int result = SHFileOperationW(&operation);
    return result == 0 && !operation.fAnyOperationsAborted;
}
