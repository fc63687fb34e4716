#include "framework/CButton.h"

void CButton::DrawItem(DRAWITEMSTRUCT*)
{
}

bool CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (result != nullptr)
        *result = TRUE;
    return true;
}
