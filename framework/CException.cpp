#include "framework/CException.h"

#include "framework/MessageBoxLayer.h"

void CException::ReportError(HWND owner, UINT type) const
{
    std::wstring text = GetErrorMessage();
    if (text.empty())
        text = L"An unexpected error occurred.";
    AfxMessageBox(text, type, owner);
}

std::wstring GetSystemErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr) {
        text.assign(buffer, length);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
            text.pop_back();
    }
    if (buffer != nullptr)
        LocalFree(buffer);
    return text;
}
