#include "framework/CColorDialog.h"

#include <commdlg.h>

#include "framework/CWinThread.h"

namespace {
// The chooser's sixteen custom colours stay for the life of the process.
COLORREF g_customColors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                               RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                               RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                               RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND owner) : m_color(initial), m_flags(flags), m_owner(owner)
{
}

INT_PTR CColorDialog::DoModal()
{
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_owner != nullptr ? m_owner : CWinThread::GetCurrentMainWindow();
    choose.rgbResult = m_color;
    choose.lpCustColors = g_customColors;
    choose.Flags = m_flags | CC_RGBINIT;
    if (!ChooseColorW(&choose))
        return IDCANCEL;
    m_color = choose.rgbResult;
    return IDOK;
}
