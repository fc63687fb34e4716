#pragma once
#include "framework/CWnd.h"

// A push button, check box or radio button control.
class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    DWORD GetButtonStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) & 0x0F; }

protected:
    // Owner-drawn buttons draw themselves: the parent reflects WM_DRAWITEM.
    virtual void DrawItem(DRAWITEMSTRUCT* draw);
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
