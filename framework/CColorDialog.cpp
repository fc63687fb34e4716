#include "framework/CColorDialog.h"

#include <commdlg.h>

#include <mutex>

#include "framework/CWinThread.h"

namespace {
// The choosers' sixteen custom colours stay for the life of the process.
std::mutex g_customLock;
std::array<COLORREF, 16> g_customColors = [] {
    std::array<COLORREF, 16> colors{};
    colors.fill(RGB(255, 255, 255));
    return colors;
}();
} // namespace

std::array<COLORREF, 16> CColorDialog::GetCustomColors()
{
    std::lock_guard<std::mutex> guard(g_customLock);
    return g_customColors;
}

void CColorDialog::SetCustomColors(const std::array<COLORREF, 16>& colors)
{
    std::lock_guard<std::mutex> guard(g_customLock);
    g_customColors = colors;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND owner) : m_color(initial), m_flags(flags), m_owner(owner)
{
}

INT_PTR CColorDialog::DoModal()
{
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_owner != nullptr ? m_owner : CWinThread::GetCurrentMainWindow();
    choose.rgbResult = m_color;
    // The chooser is modal for a while; it gets a copy, so the lock is not
    // held meanwhile, and what the user defined is stored back afterwards.
    std::array<COLORREF, 16> custom = GetCustomColors();
    choose.lpCustColors = custom.data();
    choose.Flags = m_flags | CC_RGBINIT;
    const BOOL chosen = ChooseColorW(&choose);
    SetCustomColors(custom);
    if (!chosen)
        return IDCANCEL;
    m_color = choose.rgbResult;
    return IDOK;
}
