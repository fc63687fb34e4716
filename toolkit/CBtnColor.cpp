#include "toolkit/CBtnColor.h"

#include "framework/Handles.h"

CBtnColor::CBtnColor() : m_color(GetSysColor(COLOR_BTNTEXT))
{
}

void CBtnColor::SetColor(COLORREF color, bool redraw)
{
    m_color = color;
    if (redraw && m_hWnd != nullptr) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
    }
}

LRESULT CBtnColor::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        // Owner-drawn buttons are not told about the hot state: follow the
        // pointer ourselves.
        if (!m_tracking) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
            m_tracking = TrackMouseEvent(&track) != FALSE;
        }
        if (!m_hot) {
            m_hot = true;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        m_tracking = false;
        if (m_hot) {
            m_hot = false;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CBtnColor::DrawItem(DRAWITEMSTRUCT* draw)
{
    if (draw == nullptr || draw->CtlType != ODT_BUTTON)
        return;
    HDC dc = draw->hDC;
    RECT rect = draw->rcItem;
    const bool focused = (draw->itemState & ODS_FOCUS) != 0;

    if (draw->itemAction & ODA_DRAWENTIRE) {
        const bool disabled = (draw->itemState & ODS_DISABLED) != 0;
        const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
        const bool hot = m_hot || (draw->itemState & ODS_HOTLIGHT) != 0;

        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        if (draw->itemState & ODS_DEFAULT) {
            FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&rect, -1, -1);
        }
        COLORREF text = m_color;
        if (disabled)
            text = GetSysColor(COLOR_GRAYTEXT);
        if (hot)
            text = GetSysColor(COLOR_HIGHLIGHT);

        // Raised frame; a pressed button shows it sunken.
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        const COLORREF topLeft = pressed ? shadow : light;
        const COLORREF bottomRight = pressed ? light : shadow;
        CPenHandle topPen(CreatePen(PS_SOLID, 1, topLeft));
        CPenHandle bottomPen(CreatePen(PS_SOLID, 1, bottomRight));
        {
            CSelectObject select(dc, topPen.Get());
            MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
            LineTo(dc, rect.left, rect.top);
            LineTo(dc, rect.right - 1, rect.top);
        }
        {
            CSelectObject select(dc, bottomPen.Get());
            MoveToEx(dc, rect.right - 1, rect.top, nullptr);
            LineTo(dc, rect.right - 1, rect.bottom - 1);
            LineTo(dc, rect.left - 1, rect.bottom - 1);
        }

        const std::wstring caption = GetWindowText();

        // A small swatch of the colour beside the caption keeps light
        // colours visible on the button face.
        const int swatch = (rect.bottom - rect.top) / 2;
        if (swatch >= 6 && rect.right - rect.left > 4 * swatch) {
            RECT box{rect.left + swatch / 2 + 2, rect.top + swatch / 2, rect.left + swatch / 2 + 2 + swatch,
                     rect.top + swatch / 2 + swatch};
            if (pressed)
                OffsetRect(&box, 1, 1);
            CBrushHandle fill(CreateSolidBrush(disabled ? GetSysColor(COLOR_BTNFACE) : m_color));
            FillRect(dc, &box, fill.Get());
            FrameRect(dc, &box, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNSHADOW));
        }

        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(dc, text);
        RECT measure = rect;
        DrawTextW(dc, caption.c_str(), -1, &measure, DT_CENTER | DT_CALCRECT | DT_SINGLELINE);
        const int textHeight = measure.bottom - measure.top;
        RECT place = rect;
        place.top = rect.top + ((rect.bottom - rect.top) - textHeight) / 2;
        place.bottom = place.top + textHeight;
        if (pressed)
            OffsetRect(&place, 1, 1);
        DrawTextW(dc, caption.c_str(), -1, &place, DT_CENTER | DT_SINGLELINE);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);

        if (focused) {
            RECT focus = draw->rcItem;
            InflateRect(&focus, -2, -2);
            DrawFocusRect(dc, &focus);
        }
    } else if (draw->itemAction & ODA_FOCUS) {
        // Drawing the focus rectangle a second time removes it.
        RECT focus = draw->rcItem;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}
