#include "app/ErrorBoxes.h"

#include "app/ResourceStrings.h"
#include "framework/CException.h"
#include "framework/CWinThread.h"
#include "framework/MessageBoxLayer.h"
#include "resources/ResourceIds.h"

void ShowExceptionError(const CException* exception, const std::wstring& code, HWND owner)
{
    if (exception == nullptr)
        return;
    std::wstring message = exception->GetErrorMessage();
    if (message.size() > kMaxResourceString)
        message.resize(kMaxResourceString);
    const std::wstring text =
        message + L" " + LoadScrambledString(IDS_ERROR_CODE_LABEL, ScrambleGroup::Group1) + code + L"\n";
    ShowMessageBox(owner, text, L"Error:", MB_OK | MB_ICONERROR);
}

void ShowErrorPair(const std::wstring& first, const std::wstring& second, HWND owner)
{
    if (owner == nullptr)
        owner = CWinThread::GetCurrentMainWindow();
    const std::wstring caption = LoadScrambledString(IDS_ERROR_CAPTION, ScrambleGroup::Group3);
    ShowMessageBox(owner, first + L" " + second, caption.c_str(), MB_OK | MB_ICONERROR);
}

void ShowCodedError(UINT id, const std::wstring& code)
{
    const std::wstring text = LoadScrambledString(id, ScrambleGroup::Group2) + L" " + code;
    ShowMessageBox(nullptr, text, L"Error", MB_OK);
}

HANDLE LoadResourceImage(UINT id, int kind)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    switch (kind) {
    case 0:
        return LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    case 1:
        return LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR | LR_DEFAULTSIZE);
    default:
        return INVALID_HANDLE_VALUE;
    }
}
