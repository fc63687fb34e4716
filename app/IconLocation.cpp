#include "app/IconLocation.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <climits>
#include <cwchar>

#include "app/CAppReg.h"
#include "framework/CComPtr.h"
#include "framework/Handles.h"

namespace {

std::wstring Trim(const std::wstring& text, const wchar_t* characters)
{
    const size_t first = text.find_first_not_of(characters);
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

std::wstring Limited(std::wstring text)
{
    if (text.size() > kMaxIconPath)
        text.resize(kMaxIconPath);
    return text;
}

// Leading blanks, a sign and digits, like the C library's conversion; 0
// when there is no number.
int ToIndex(const std::wstring& text)
{
    const long value = std::wcstol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// "file,index": the text after the last comma is the index, the text before
// it the file. A value without a comma names the file alone, with index 0.
void SplitIconValue(const std::wstring& value, std::wstring& path, int& index)
{
    const size_t comma = value.rfind(L',');
    std::wstring file = comma == std::wstring::npos ? value : value.substr(0, comma);
    index = comma == std::wstring::npos ? 0 : ToIndex(Trim(value.substr(comma + 1), L","));
    file = Trim(file, L" \t");
    if (file.size() >= 2 && file.front() == L'"' && file.back() == L'"')
        file = file.substr(1, file.size() - 2);
    path = Limited(file);
}

// The icon location stored in a shortcut file; empty when it has none or
// cannot be read.
std::wstring ShortcutIconLocation(const std::wstring& fileName, int& index)
{
    CComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return {};
    CComPtr<IPersistFile> file;
    if (FAILED(link.QueryInterface(file)) || FAILED(file->Load(fileName.c_str(), STGM_READ)))
        return {};
    wchar_t location[MAX_PATH] = {};
    int iconIndex = 0;
    if (FAILED(link->GetIconLocation(location, MAX_PATH, &iconIndex)))
        return {};
    location[MAX_PATH - 1] = L'\0';
    index = iconIndex;
    return location;
}

int Fallback(std::wstring& path, int& index)
{
    wchar_t expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsW(L"%SystemRoot%\\System32\\shell32.dll", expanded, MAX_PATH);
    // The count includes the terminator; 0 is a failure, more than the buffer did not fit.
    if (length > 1 && length <= MAX_PATH) {
        path = expanded;
        index = 0;
        return kIconLocationIcon;
    }
    index = -1;
    return kIconLocationNone;
}

} // namespace

int GetIconLocation(const std::wstring& fileName, std::wstring& path, int& index)
{
    const size_t dot = fileName.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? fileName : fileName.substr(dot);
    if (extension.empty())
        return Fallback(path, index);

    const CRegKeyHandle classKey = CAppReg::OpenKeyReadOnly(HKEY_CLASSES_ROOT, extension);
    if (!classKey)
        return kIconLocationNone;
    const std::wstring typeName = CAppReg::QueryKeyString(classKey.Get(), L"", L"");

    // Without a type name there is no type key to look in.
    const CRegKeyHandle iconKey =
        typeName.empty() ? CRegKeyHandle() : CAppReg::OpenKeyReadOnly(HKEY_CLASSES_ROOT, typeName + L"\\DefaultIcon");
    if (iconKey) {
        const std::wstring value = CAppReg::QueryKeyString(iconKey.Get(), L"", L"");
        if (value.empty())
            return Fallback(path, index);
        SplitIconValue(value, path, index);
        return kIconLocationIcon;
    }

    const CRegKeyHandle commandKey =
        typeName.empty() ? CRegKeyHandle()
                         : CAppReg::OpenKeyReadOnly(HKEY_CLASSES_ROOT, typeName + L"\\Shell\\Open\\Command");
    if (commandKey) {
        std::wstring command = CAppReg::QueryKeyString(commandKey.Get(), L"", L"");
        if (command.empty())
            return Fallback(path, index);
        CharLowerBuffW(command.data(), static_cast<DWORD>(command.size()));
        if (command.front() == L'"')
            command.erase(0, 1);
        const size_t exe = command.find(L".exe");
        if (exe == std::wstring::npos || exe < 4)
            return Fallback(path, index);
        path = Limited(command.substr(0, exe + 4));
        index = 0;
        return kIconLocationProgram;
    }

    if (CompareStringOrdinal(extension.c_str(), -1, L".lnk", -1, TRUE) == CSTR_EQUAL) {
        int shortcutIndex = 0;
        const std::wstring location = ShortcutIconLocation(fileName, shortcutIndex);
        if (!location.empty()) {
            path = Limited(location);
            index = shortcutIndex;
            return kIconLocationIcon;
        }
    }
    return Fallback(path, index);
}
