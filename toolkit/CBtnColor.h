#pragma once
#include "framework/CButton.h"

// An owner-drawn push button that shows its caption in a chosen colour
// (gray when disabled, the highlight colour under the mouse). The button
// must be created with the owner-draw style.
class CBtnColor : public CButton {
public:
    CBtnColor();

    COLORREF GetColor() const { return m_color; }
    // Stores the colour; with redraw the button is repainted at once.
    void SetColor(COLORREF color, bool redraw = true);
    bool IsHot() const { return m_hot; }

protected:
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF m_color;
    bool m_hot = false;
    bool m_tracking = false;
};
