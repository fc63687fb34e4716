#include "app/ClipboardHelpers.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "framework/Handles.h"
#include "framework/MessageBoxLayer.h"

namespace {

// Closes the clipboard when it goes out of scope.
class ClipboardCloser {
public:
    ClipboardCloser() = default;
    ClipboardCloser(const ClipboardCloser&) = delete;
    ClipboardCloser& operator=(const ClipboardCloser&) = delete;
    ~ClipboardCloser() { CloseClipboard(); }
};

// A movable global block holding the given bytes followed by zero bytes.
CGlobalHandle MakeGlobal(const void* prefix, size_t prefixSize, const void* data, size_t dataSize, size_t zeros)
{
    CGlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, prefixSize + dataSize + zeros));
    if (!memory)
        return memory;
    CGlobalLock<BYTE> lock(memory.Get());
    if (!lock)
        return CGlobalHandle();
    if (prefixSize != 0)
        std::memcpy(lock.Get(), prefix, prefixSize);
    if (dataSize != 0)
        std::memcpy(lock.Get() + prefixSize, data, dataSize);
    return memory;
}

// Hands the block to the clipboard; the clipboard owns it only on success.
bool SetData(UINT format, CGlobalHandle memory)
{
    if (!memory || SetClipboardData(format, memory.Get()) == nullptr)
        return false;
    memory.Detach();
    return true;
}

} // namespace

bool CopyTextToClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr)) {
        AfxMessageBox(L"Cannot open the Clipboard", MB_OK);
        return false;
    }
    ClipboardCloser closer;
    if (!EmptyClipboard()) {
        AfxMessageBox(L"Cannot empty the Clipboard", MB_OK);
        return false;
    }
    // The block ends with the text's terminating zero.
    if (!SetData(CF_UNICODETEXT,
                 MakeGlobal(nullptr, 0, text.c_str(), text.size() * sizeof(wchar_t), sizeof(wchar_t)))) {
        AfxMessageBox(L"Unable to set Clipboard data", MB_OK);
        return false;
    }
    return true;
}

int CopyFilesToClipboard(const wchar_t* files, size_t byteLength, bool copy)
{
    if (!OpenClipboard(nullptr))
        return -1;
    ClipboardCloser closer;
    if (!EmptyClipboard())
        return -2;

    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    if (files == nullptr)
        byteLength = 0;
    // Two extra zero characters keep the list terminated even when the
    // caller's length leaves out its closing zeros.
    if (!SetData(CF_HDROP, MakeGlobal(&header, sizeof(header), files, byteLength, 2 * sizeof(wchar_t))))
        return 0;

    const DWORD effect = copy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    const UINT effectFormat = RegisterClipboardFormatW(kPreferredDropEffect);
    if (effectFormat == 0 || !SetData(effectFormat, MakeGlobal(nullptr, 0, &effect, sizeof(effect), 0)))
        return 0;
    return 1;
}

int ReadFilesFromClipboard(HWND owner, std::vector<std::wstring>& files, bool& copy)
{
    if (!OpenClipboard(owner))
        return -1;
    ClipboardCloser closer;

    if (HDROP drop = static_cast<HDROP>(GetClipboardData(CF_HDROP))) {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            wchar_t path[520] = {}; // longer paths are cut at 519 characters
            DragQueryFileW(drop, i, path, 520);
            files.emplace_back(path);
        }
    }

    // Only a value that asks for move and not for copy means move.
    copy = true;
    const UINT effectFormat = RegisterClipboardFormatW(kPreferredDropEffect);
    if (HANDLE data = effectFormat != 0 ? GetClipboardData(effectFormat) : nullptr) {
        CGlobalLock<DWORD> effect(data);
        if (effect && GlobalSize(data) >= sizeof(DWORD)) {
            const DWORD value = *effect.Get();
            copy = (value & DROPEFFECT_COPY) != 0 || (value & DROPEFFECT_MOVE) == 0;
        }
    }
    return 1;
}
