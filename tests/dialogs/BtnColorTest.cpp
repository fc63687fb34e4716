#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CWnd.h"
#include "harness/TestHarness.h"
#include "toolkit/CBtnColor.h"

namespace {

struct ParentWnd : CWnd {};

// Draws the button into a memory bitmap the way its parent would be asked
// to, and tells whether any pixel has the colour.
bool DrawsColour(CBtnColor& button, UINT itemState, COLORREF colour)
{
    const int width = 160, height = 40;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = 10;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = itemState;
    draw.hwndItem = button.m_hWnd;
    draw.hDC = dc;
    draw.rcItem = RECT{0, 0, width, height};
    SendMessageW(GetParent(button.m_hWnd), WM_DRAWITEM, 10, reinterpret_cast<LPARAM>(&draw));

    bool found = false;
    for (int y = 0; y < height && !found; ++y)
        for (int x = 50; x < width - 4 && !found; ++x) // the caption, right of the swatch
            found = GetPixel(dc, x, y) == colour;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return found;
}

} // namespace

TEST(BtnColor, CaptionColourFollowsTheStateAndHotWins)
{
    ParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::RegisterWndClass(L"TavrelBtnColorParent"), L"p", WS_POPUP, RECT{0, 0, 200, 60},
                                nullptr, 0));
    CreateWindowExW(0, L"BUTTON", L"WWWWWW", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 160, 40, parent.m_hWnd,
                    reinterpret_cast<HMENU>(10), GetModuleHandleW(nullptr), nullptr);
    CBtnColor button;
    ASSERT_TRUE(button.SubclassDlgItem(10, &parent));
    EXPECT_EQ(button.GetColor(), GetSysColor(COLOR_BTNTEXT));

    const COLORREF red = RGB(255, 0, 0);
    button.SetColor(red, false);
    EXPECT_TRUE(DrawsColour(button, 0, red));
    EXPECT_FALSE(DrawsColour(button, ODS_DISABLED, red));
    EXPECT_TRUE(DrawsColour(button, ODS_DISABLED, GetSysColor(COLOR_GRAYTEXT)));

    // Under the mouse the highlight colour wins, even when disabled.
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHot());
    EXPECT_TRUE(DrawsColour(button, ODS_DISABLED, GetSysColor(COLOR_HIGHLIGHT)));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHot());
}
