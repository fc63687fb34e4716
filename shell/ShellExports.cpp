#include "shell/ShellExports.h"

#include <string>

namespace {

using ILCloneProc = LPITEMIDLIST(WINAPI*)(LPCITEMIDLIST);
using ILRemoveLastIDProc = BOOL(WINAPI*)(LPITEMIDLIST);
using ILFreeProc = void(WINAPI*)(LPITEMIDLIST);
using SHILCreateFromPathProc = HRESULT(WINAPI*)(LPCWSTR, LPITEMIDLIST*, DWORD*);
using SHFreeProc = void(WINAPI*)(void*);
using PathIsExeProc = BOOL(WINAPI*)(LPCVOID);

struct ShellExports {
    ILCloneProc ilClone = nullptr;
    ILCloneProc ilFindLastID = nullptr;
    ILRemoveLastIDProc ilRemoveLastID = nullptr;
    ILCloneProc ilCloneFirst = nullptr;
    ILFreeProc ilFree = nullptr;
    SHILCreateFromPathProc shILCreateFromPath = nullptr;
    SHFreeProc shFree = nullptr;
    PathIsExeProc pathIsExe = nullptr;

    ShellExports()
    {
        HMODULE shell = GetModuleHandleW(L"shell32.dll");
        if (shell == nullptr) {
            wchar_t system[MAX_PATH] = {};
            const UINT length = GetSystemDirectoryW(system, MAX_PATH);
            if (length == 0 || length >= MAX_PATH)
                return;
            // Stays loaded for the life of the process, as the program links it anyway.
            shell = LoadLibraryW((std::wstring(system) + L"\\shell32.dll").c_str());
            if (shell == nullptr)
                return;
        }
        Find(shell, 18, ilClone);
        Find(shell, 16, ilFindLastID);
        Find(shell, 17, ilRemoveLastID);
        Find(shell, 19, ilCloneFirst);
        Find(shell, 155, ilFree);
        Find(shell, 28, shILCreateFromPath);
        Find(shell, 195, shFree);
        Find(shell, 43, pathIsExe);
    }

    template <class Proc> static void Find(HMODULE module, WORD ordinal, Proc& proc)
    {
        proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
    }
};

const ShellExports& Exports()
{
    static const ShellExports exports;
    return exports;
}

void Missing()
{
    SetLastError(ERROR_PROC_NOT_FOUND);
}

} // namespace

bool ShellExportsAvailable()
{
    const ShellExports& e = Exports();
    return e.ilClone && e.ilFindLastID && e.ilRemoveLastID && e.ilCloneFirst && e.ilFree && e.shILCreateFromPath &&
           e.shFree && e.pathIsExe;
}

LPITEMIDLIST ShellILClone(LPCITEMIDLIST list)
{
    if (Exports().ilClone == nullptr) {
        Missing();
        return nullptr;
    }
    return Exports().ilClone(list);
}

LPITEMIDLIST ShellILFindLastID(LPCITEMIDLIST list)
{
    if (Exports().ilFindLastID == nullptr) {
        Missing();
        return nullptr;
    }
    return Exports().ilFindLastID(list);
}

BOOL ShellILRemoveLastID(LPITEMIDLIST list)
{
    if (Exports().ilRemoveLastID == nullptr) {
        Missing();
        return FALSE;
    }
    return Exports().ilRemoveLastID(list);
}

LPITEMIDLIST ShellILCloneFirst(LPCITEMIDLIST list)
{
    if (Exports().ilCloneFirst == nullptr) {
        Missing();
        return nullptr;
    }
    return Exports().ilCloneFirst(list);
}

void ShellILFree(LPITEMIDLIST list)
{
    if (Exports().ilFree == nullptr) {
        Missing();
        return;
    }
    Exports().ilFree(list);
}

HRESULT ShellSHILCreateFromPath(LPCWSTR path, LPITEMIDLIST* list, DWORD* attributes)
{
    if (list != nullptr)
        *list = nullptr;
    if (Exports().shILCreateFromPath == nullptr) {
        Missing();
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }
    return Exports().shILCreateFromPath(path, list, attributes);
}

void ShellSHFree(void* memory)
{
    if (Exports().shFree == nullptr) {
        Missing();
        return;
    }
    Exports().shFree(memory);
}

BOOL ShellPathIsExe(LPCWSTR path)
{
    if (Exports().pathIsExe == nullptr) {
        Missing();
        return FALSE;
    }
    return Exports().pathIsExe(path);
}
