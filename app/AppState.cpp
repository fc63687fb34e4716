#include "app/AppState.h"

#include <string>

namespace AppState {

std::atomic<bool> quitting{false};
std::atomic<bool> skinChanged{false};
std::atomic<HWND> sideBarWnd{nullptr};

const wchar_t* const kMyComputer = L"My Computer";
const wchar_t* const kMyDesktop = L"My Desktop";
const wchar_t* const kMyDocuments = L"My Documents";

namespace {
// Written once on the main thread before any other thread starts.
std::wstring g_aboutText;
} // namespace

const wchar_t* AboutText()
{
    return g_aboutText.c_str();
}

void SetAboutText(const wchar_t* text)
{
    g_aboutText = text != nullptr ? text : L"";
}

} // namespace AppState
