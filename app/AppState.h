#pragma once
#include <windows.h>

#include <atomic>

// Process-wide state shared by the program's threads. Everything here is
// created before the application object runs.
namespace AppState {

// Set when the sidebar thread starts to end; the file views stop handling
// work while it is set.
extern std::atomic<bool> quitting;
// Set by the options dialog when the skin changed; the sidebar thread clears
// it at its next idle time and repaints the explorer backgrounds.
extern std::atomic<bool> skinChanged;
// The sidebar window, target of the messages other windows post to it.
extern std::atomic<HWND> sideBarWnd;

// Display names of the default categories.
extern const wchar_t* const kMyComputer;
extern const wchar_t* const kMyDesktop;
extern const wchar_t* const kMyDocuments;

// The About text, loaded at start-up.
const wchar_t* AboutText();
void SetAboutText(const wchar_t* text);

} // namespace AppState
