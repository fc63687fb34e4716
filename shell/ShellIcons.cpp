#include "shell/ShellIcons.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstring>
#include <memory>

#include "app/IconLocation.h"
#include "app/SystemHelpers.h"
#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "shell/ShellExports.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellOwnerWindow.h"

namespace {

constexpr UINT kLocationLength = MAX_PATH;
constexpr size_t kTypeTextLength = 80;
constexpr wchar_t kNetShellPrefix[] = L"netshellicon::";
constexpr wchar_t kNetConnectionsFolder[] = L"{BA126AD7-2166-11D1-B1D0-00805FC1270E}";
constexpr wchar_t kNetConnectionsFolder2[] = L"{BA126ADB-2166-11D1-B1D0-00805FC1270E}";
constexpr int kNetBaseIcon = 121;

std::wstring ExpandPath(const wchar_t* text)
{
    wchar_t expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsW(text, expanded, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return {};
    return expanded;
}

std::wstring Shell32Path()
{
    return ExpandPath(L"%SystemRoot%\\System32\\shell32.dll");
}

// One icon of a file at a size; null when it has none.
HICON ExtractAt(const std::wstring& file, int index, UINT flags, int size)
{
    HICON icon = nullptr;
    if (file.empty() || SHDefExtractIconW(file.c_str(), index, flags, &icon, nullptr, size) != S_OK)
        return nullptr;
    return icon;
}

// The system image-list index of a path or absolute list; -1 when none.
int SystemIndexOf(LPCWSTR pathOrList, bool isList)
{
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_SYSICONINDEX | (isList ? SHGFI_PIDL : 0);
    if (SHGetFileInfoW(pathOrList, static_cast<DWORD>(-1), &info, sizeof(info), flags) == 0)
        return -1;
    return info.iIcon;
}

bool SystemIconBySize(LPCWSTR pathOrList, bool isList, CIconHandle& icon, int size)
{
    icon.Reset();
    if (GetOSVersion() <= 9)
        return false;
    const int index = SystemIndexOf(pathOrList, isList);
    if (index < 0)
        return false;
    return GetSystemIconByIndex(icon, size, index);
}

void CopyLimited(wchar_t* field, size_t fieldLength, const std::wstring& text)
{
    const size_t count = text.size() < fieldLength ? text.size() : fieldLength - 1;
    std::memcpy(field, text.data(), count * sizeof(wchar_t));
    field[count] = L'\0';
}

// Keeps GDI+ running for the life of the object.
class CGdiplusSession {
public:
    CGdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession()
    {
        if (m_started)
            Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;
    bool Started() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};

// The class identifier a network icon location names: the text after the
// prefix, its last path component, without leading colons.
std::wstring NetworkFolderClass(const std::wstring& location)
{
    std::wstring rest = location.substr(wcslen(kNetShellPrefix));
    const size_t slash = rest.rfind(L'\\');
    if (slash != std::wstring::npos)
        rest.erase(0, slash + 1);
    const size_t start = rest.find_first_not_of(L':');
    return start == std::wstring::npos ? std::wstring() : rest.substr(start);
}

} // namespace

// {46EB5926-582E-4017-9FDF-E8998DAA0950}
const IID kIidImageList = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

HRESULT GetSystemImageList(int kind, REFIID iid, void** list)
{
    if (list == nullptr)
        return E_POINTER;
    *list = nullptr;
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return HRESULT_FROM_WIN32(GetLastError());
    HMODULE shell = LoadLibraryW((std::wstring(system) + L"\\shell32.dll").c_str());
    if (shell == nullptr)
        return HRESULT_FROM_WIN32(GetLastError());
    using GetImageListProc = HRESULT(WINAPI*)(int, REFIID, void**);
    auto proc = reinterpret_cast<GetImageListProc>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetImageList")));
    if (proc == nullptr)
        proc =
            reinterpret_cast<GetImageListProc>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(727))));
    if (proc == nullptr) {
        const DWORD error = GetLastError();
        FreeLibrary(shell);
        return HRESULT_FROM_WIN32(error != 0 ? error : ERROR_PROC_NOT_FOUND);
    }
    const HRESULT result = proc(kind, iid, list);
    FreeLibrary(shell);
    return result;
}

int ImageListKindForSize(int size)
{
    if (size <= 16)
        return SHIL_SMALL;
    if (size <= 32)
        return SHIL_LARGE;
    if (size <= 48)
        return SHIL_EXTRALARGE;
    if (size > 256)
        return SHIL_LARGE;
    return SHIL_JUMBO;
}

bool GetSystemIconBySize(const std::wstring& path, CIconHandle& icon, int size)
{
    return SystemIconBySize(path.c_str(), false, icon, size);
}

bool GetSystemIconBySize(LPCITEMIDLIST list, CIconHandle& icon, int size)
{
    if (list == nullptr) {
        icon.Reset();
        return false;
    }
    return SystemIconBySize(reinterpret_cast<LPCWSTR>(list), true, icon, size);
}

bool GetSystemIconByIndex(CIconHandle& icon, int size, int index)
{
    icon.Reset();
    CComPtr<IImageList> list;
    if (FAILED(GetSystemImageList(ImageListKindForSize(size), kIidImageList, list.ReceiveVoid())) || !list)
        return false;
    HICON made = nullptr;
    if (FAILED(list->GetIcon(index, ILD_TRANSPARENT, &made)) || made == nullptr)
        return false;
    icon.Reset(made);
    return true;
}

bool ExtractIconViaShell(const std::wstring& path, CIconHandle& icon, int size)
{
    icon.Reset();
    if (path.empty())
        return false;
    CPidl list;
    if (FAILED(ShellSHILCreateFromPath(path.c_str(), list.Receive(), nullptr)) || !list)
        return false;
    const CComPtr<IShellFolder> desktop = GetDesktopFolder();
    if (!desktop)
        return false;
    LPCITEMIDLIST child = list.Get();
    CComPtr<IExtractIconW> extract;
    if (FAILED(desktop->GetUIObjectOf(GetShellOwnerWindow(), 1, &child, IID_IExtractIconW, nullptr,
                                      extract.ReceiveVoid())) ||
        !extract)
        return false;
    wchar_t location[kLocationLength] = {};
    int index = 0;
    UINT flags = 0;
    if (FAILED(extract->GetIconLocation(GIL_FORSHELL, location, kLocationLength, &index, &flags)))
        return false;
    HICON large = nullptr;
    if (FAILED(extract->Extract(location, index, &large, nullptr, MAKELONG(size, 0))) || large == nullptr)
        return false;
    icon.Reset(large);
    return true;
}

HICON ComposeIcons(HICON base, HICON overlay)
{
    if (base == nullptr || overlay == nullptr)
        return nullptr;
    CGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return nullptr;
    HICON composed = nullptr;
    {
        std::unique_ptr<Gdiplus::Bitmap> baseBitmap(Gdiplus::Bitmap::FromHICON(base));
        std::unique_ptr<Gdiplus::Bitmap> overlayBitmap(Gdiplus::Bitmap::FromHICON(overlay));
        if (!baseBitmap || !overlayBitmap || baseBitmap->GetLastStatus() != Gdiplus::Ok ||
            overlayBitmap->GetLastStatus() != Gdiplus::Ok)
            return nullptr;
        const INT width = static_cast<INT>(baseBitmap->GetWidth());
        const INT height = static_cast<INT>(baseBitmap->GetHeight());
        Gdiplus::Bitmap canvas(width, height, PixelFormat32bppARGB);
        if (canvas.GetLastStatus() != Gdiplus::Ok)
            return nullptr;
        {
            Gdiplus::Graphics graphics(&canvas);
            if (graphics.GetLastStatus() != Gdiplus::Ok ||
                graphics.DrawImage(baseBitmap.get(), 0, 0, width, height) != Gdiplus::Ok ||
                graphics.DrawImage(overlayBitmap.get(), 0, 0, width, height) != Gdiplus::Ok)
                return nullptr;
        }
        if (canvas.GetHICON(&composed) != Gdiplus::Ok)
            composed = nullptr;
    }
    return composed;
}

int ComposeNetworkIcon(const std::wstring& location, CIconHandle& icon, int size)
{
    icon.Reset();
    if (location.compare(0, wcslen(kNetShellPrefix), kNetShellPrefix) != 0)
        return kNotNetworkLocation;
    const std::wstring folderClass = NetworkFolderClass(location);
    int overlayIndex = 0;
    if (CompareStringOrdinal(folderClass.c_str(), -1, kNetConnectionsFolder, -1, TRUE) == CSTR_EQUAL)
        overlayIndex = 111;
    else if (CompareStringOrdinal(folderClass.c_str(), -1, kNetConnectionsFolder2, -1, TRUE) == CSTR_EQUAL)
        overlayIndex = 107;
    else
        return kUnknownNetworkFolder;

    const std::wstring netshell = ExpandPath(L"%SystemRoot%\\System32\\netshell.dll");
    if (size < 32) {
        HICON single = ExtractAt(netshell, overlayIndex, 0, size);
        if (single == nullptr)
            return kNetworkIconFailed;
        icon.Reset(single);
        return kNetworkIconMade;
    }
    const CIconHandle base(ExtractAt(netshell, kNetBaseIcon, 0, size));
    const CIconHandle overlay(ExtractAt(netshell, overlayIndex, 0, size));
    if (!base || !overlay)
        return kNetworkIconFailed;
    HICON composed = ComposeIcons(base.Get(), overlay.Get());
    if (composed == nullptr)
        return kNetworkIconFailed;
    icon.Reset(composed);
    return kNetworkIconMade;
}

bool GetShellInfoOfPath(const std::wstring& path, std::wstring* typeText, std::wstring* displayName, int* iconIndex,
                        CIconHandle* icon, int size, ULONG* attributes)
{
    if (attributes != nullptr)
        *attributes = 0;
    if (icon != nullptr)
        icon->Reset();
    if (path.empty())
        return false;
    const CComPtr<IShellFolder> desktop = GetDesktopFolder();
    if (!desktop)
        return false;
    std::wstring text = path.size() < kLocationLength ? path : path.substr(0, kLocationLength - 1);
    ULONG eaten = 0;
    CPidl list;
    if (FAILED(
            desktop->ParseDisplayName(GetShellOwnerWindow(), nullptr, text.data(), &eaten, list.Receive(), nullptr)) ||
        !list)
        return false;
    // The parent's details interface; for a child of the desktop that is the
    // desktop folder itself.
    CComPtr<IShellFolder2> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder2, parent.ReceiveVoid(), &last)) || !parent)
        return false;

    if (displayName != nullptr)
        *displayName = GetPathDisplayName(path, SHGDN_INFOLDER);
    if (typeText != nullptr) {
        SHELLDETAILS details = {};
        if (FAILED(parent->GetDetailsOf(last, 2, &details)))
            return false;
        wchar_t type[kLocationLength] = {};
        if (FAILED(StrRetToBufW(&details.str, last, type, kLocationLength)))
            return false;
        *typeText = type;
    }
    if (attributes != nullptr) {
        ULONG found = 0xFFFFFFFF;
        if (FAILED(parent->GetAttributesOf(1, &last, &found)))
            return false;
        *attributes = found;
    }
    if (iconIndex == nullptr && icon == nullptr)
        return true;
    CComPtr<IShellIcon> shellIcon;
    if (FAILED(parent.QueryInterface(shellIcon)) || !shellIcon)
        return true;
    int index = -1;
    if (FAILED(shellIcon->GetIconOf(last, GIL_FORSHELL, &index))) {
        if (attributes != nullptr)
            *attributes = 0;
        return false;
    }
    if (iconIndex != nullptr)
        *iconIndex = index;
    if (icon != nullptr && !GetSystemIconByIndex(*icon, size, index)) {
        if (attributes != nullptr)
            *attributes = 0;
        return false;
    }
    return true;
}

bool GetFileIconInfo(SHFILEINFOW& record, int size)
{
    record.szDisplayName[MAX_PATH - 1] = L'\0';
    const std::wstring path = record.szDisplayName;
    record.hIcon = nullptr;

    if (SHGetFileInfoW(path.c_str(), 0, &record, sizeof(record),
                       SHGFI_ATTRIBUTES | SHGFI_TYPENAME | SHGFI_DISPLAYNAME) == 0) {
        // Typically a virtual object named by "::{class}": ask its folder.
        std::wstring typeText;
        std::wstring displayName;
        int index = -1;
        CIconHandle icon;
        ULONG attributes = 0;
        const bool wantIcon = size > 0;
        if (!GetShellInfoOfPath(path, &typeText, &displayName, wantIcon ? &index : nullptr, wantIcon ? &icon : nullptr,
                                size, &attributes))
            return false;
        CopyLimited(record.szDisplayName, MAX_PATH, displayName);
        CopyLimited(record.szTypeName, kTypeTextLength, typeText);
        record.dwAttributes = attributes;
        if (wantIcon) {
            record.iIcon = index;
            record.hIcon = icon.Detach();
        }
        return true;
    }
    if (size <= 0)
        return true;

    SHFILEINFOW location = {};
    if (SHGetFileInfoW(path.c_str(), 0, &location, sizeof(location), SHGFI_ICONLOCATION) == 0) {
        CIconHandle icon;
        if (!GetShellInfoOfPath(path, nullptr, nullptr, nullptr, &icon, size, nullptr) || !icon)
            return false;
        record.hIcon = icon.Detach();
        return true;
    }
    if (location.szDisplayName[0] != L'\0') {
        record.hIcon = ExtractAt(location.szDisplayName, location.iIcon, 0, size);
        return record.hIcon != nullptr;
    }

    // No location: a program's own icon, the system image list, the
    // registered icon of the file type, or the shell's extractor.
    if (GetExecutableKind(path) == kExecutableProgram) {
        record.hIcon = ExtractAt(path, 0, 0, size);
        if (record.hIcon == nullptr)
            record.hIcon = ExtractAt(Shell32Path(), 2, 0, size);
        return record.hIcon != nullptr;
    }
    CIconHandle icon;
    if (GetSystemIconBySize(path, icon, size)) {
        record.hIcon = icon.Detach();
        return true;
    }
    std::wstring iconFile;
    int iconIndex = -1;
    const int found = GetIconLocation(path, iconFile, iconIndex);
    if (found == kIconLocationNone) {
        wchar_t iconPath[MAX_PATH] = {};
        CopyLimited(iconPath, MAX_PATH, path);
        WORD index = static_cast<WORD>(iconIndex < 0 ? 0 : iconIndex);
        record.hIcon = ExtractAssociatedIconW(GetModuleHandleW(nullptr), iconPath, &index);
        return record.hIcon != nullptr;
    }
    switch (ComposeNetworkIcon(iconFile, icon, size)) {
    case kNetworkIconMade:
        record.hIcon = icon.Detach();
        return true;
    case kNotNetworkLocation:
        record.hIcon = ExtractAt(iconFile, iconIndex, found == kIconLocationProgram ? GIL_SIMULATEDOC : 0, size);
        return record.hIcon != nullptr;
    default:
        if (!ExtractIconViaShell(path, icon, size))
            return false;
        record.hIcon = icon.Detach();
        return true;
    }
}

bool GetStockShellIcon(int index, CIconHandle& icon)
{
    icon.Reset(ExtractAt(Shell32Path(), index, 0, GetSystemMetrics(SM_CXICON)));
    return static_cast<bool>(icon);
}

bool GetSpecialFolderIcon(int folder, CIconHandle& icon)
{
    icon.Reset();
    CPidl list;
    if (GetSpecialFolderIDList(folder, list) == 0)
        return false;
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list.Get()), 0, &info, sizeof(info),
                       SHGFI_ICONLOCATION | SHGFI_PIDL) == 0)
        return false;
    icon.Reset(ExtractAt(info.szDisplayName, info.iIcon, 0, 48));
    return static_cast<bool>(icon);
}
