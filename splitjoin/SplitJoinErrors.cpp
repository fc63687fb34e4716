#include "splitjoin/SplitJoinErrors.h"

#include "app/ErrorBoxes.h"
#include "app/ResourceStrings.h"
#include "framework/CFileException.h"
#include "framework/CWinThread.h"
#include "resources/ResourceIds.h"

namespace {

// Longest system message put into a box.
constexpr size_t kMaxMessage = 260;

} // namespace

void ShowSplitJoinError(const std::wstring& text, const std::wstring& code)
{
    ShowErrorPair(text, code, CWinThread::GetCurrentMainWindow());
}

void ShowSplitJoinError(const CFileException& error, const std::wstring& code)
{
    std::wstring message = error.GetErrorMessage();
    if (message.size() > kMaxMessage)
        message.resize(kMaxMessage);
    ShowErrorPair(message, code, CWinThread::GetCurrentMainWindow());
}

void ShowSplitJoinException(const CFileException& error, const std::wstring& code)
{
    ShowExceptionError(&error, code, CWinThread::GetCurrentMainWindow());
}

void ShowPathNotFound(const std::wstring& path, const std::wstring& code)
{
    std::wstring text = LoadScrambledString(IDS_ENGINE_PATH_NOT_FOUND, ScrambleGroup::Group3);
    const size_t slot = text.find(L"%s");
    if (slot != std::wstring::npos)
        text.replace(slot, 2, path);
    ShowErrorPair(text, code, CWinThread::GetCurrentMainWindow());
}
