#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/CCmdUI.h"
#include "harness/TestHarness.h"
#include "toolkit/CCustomWnd.h"
#include "toolkit/SkinFolder.h"

using namespace testing_support;

namespace {

// A 24-bit BMP file of one colour.
std::string SolidBmp(int width, int height, BYTE red, BYTE green, BYTE blue)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
        row[static_cast<size_t>(x * 3)] = static_cast<char>(blue);
        row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>(green);
        row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(red);
    }
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
}

class SkinnedWnd : public CCustomWnd {
public:
    int leaves = 0;
    int hovers = 0;
    bool Create(const RECT& rect)
    {
        return CreateEx(WS_EX_TOOLWINDOW, RegisterWndClass(L"TavrelSkinnedTest"), L"skinned", WS_POPUP | WS_VISIBLE,
                        rect, nullptr, 0);
    }
    ~SkinnedWnd() override { DestroyWindow(); }
    COLORREF CachePixel(int x, int y) const { return GetPixel(GetBackgroundDC(), x, y); }

    BOOL OnTrackMouseLeave(WPARAM wParam, LPARAM lParam) override
    {
        ++leaves;
        return CCustomWnd::OnTrackMouseLeave(wParam, lParam);
    }
    BOOL OnTrackMouseHover(WPARAM wParam, LPARAM lParam) override
    {
        ++hovers;
        return CCustomWnd::OnTrackMouseHover(wParam, lParam);
    }
    SkinnedWnd() { AddCommandHandler(500, &SkinnedWnd::OnHandled); }
    void OnHandled() {}
};

} // namespace

TEST(CustomWnd, WithoutAPictureTheBackgroundIsBlack)
{
    SkinnedWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{0, 0, 120, 80}));
    ASSERT_TRUE(wnd.DrawBackground());
    EXPECT_TRUE(wnd.IsBackgroundValid());
    for (POINT p : {POINT{0, 0}, POINT{119, 79}, POINT{60, 40}})
        EXPECT_EQ(wnd.CachePixel(p.x, p.y), RGB(0, 0, 0));
}

TEST(CustomWnd, APictureIsStretchedOverTheWholeClientAreaAndRebuiltAfterAResize)
{
    TempFolder folder;
    folder.Write(L"back.bmp", SolidBmp(100, 50, 200, 30, 40));
    SkinnedWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{0, 0, 400, 300}));
    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(wnd.LoadBackgroundImage(folder.File(L"back.bmp"), &bitmap));
    EXPECT_NE(bitmap, nullptr);
    ASSERT_TRUE(wnd.DrawBackground());
    // Corners and centre all show the picture: no tiling, no border.
    for (POINT p : {POINT{0, 0}, POINT{399, 299}, POINT{200, 150}, POINT{399, 0}})
        EXPECT_EQ(wnd.CachePixel(p.x, p.y), RGB(200, 30, 40)) << p.x << "," << p.y;

    // The owner marks the cache invalid at a size change; the next drawing
    // fills the new size.
    SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 600, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    wnd.ReleaseBackground();
    ASSERT_TRUE(wnd.DrawBackground());
    EXPECT_EQ(wnd.CachePixel(599, 349), RGB(200, 30, 40));

    // A missing picture is no error: the path is forgotten.
    EXPECT_FALSE(wnd.LoadBackgroundImage(folder.File(L"missing.png")));
    EXPECT_EQ(wnd.GetBackgroundImagePath(), L"");
    EXPECT_FALSE(wnd.LoadBackgroundImage(L""));
}

TEST(CustomWnd, OneTrackingRequestPerVisitAndOneLeaveNotice)
{
    SkinnedWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{100, 100, 300, 200}));
    MovePointer(150, 150);
    ASSERT_TRUE(PumpUntil([&] { return wnd.IsTrackingMouse(); }));
    MovePointer(160, 150); // a second move inside: no new request
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(wnd.IsTrackingMouse());
    MovePointer(700, 700);
    ASSERT_TRUE(PumpUntil([&] { return wnd.leaves > 0; }));
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(wnd.leaves, 1);
    EXPECT_FALSE(wnd.IsTrackingMouse());
    MovePointer(150, 150);
    EXPECT_TRUE(PumpUntil([&] { return wnd.IsTrackingMouse(); }));
    MovePointer(700, 700);
    PumpUntil([&] { return wnd.leaves > 1; });
}

TEST(CustomWnd, PopupMenusItOwnsDisableItemsWithoutAHandler)
{
    SkinnedWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{0, 0, 50, 50}));
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 500, L"handled");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 501, L"nobody");
    const UINT separator = GetMenuState(popup, 1, MF_BYPOSITION);
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION), separator);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(popup);
}

TEST(SkinFolder, RelativeValuesJoinTheProgramFolderAbsoluteOnesStand)
{
    const struct {
        const wchar_t* value;
        const wchar_t* expected;
    } cases[] = {
        {L"\\Skin\\Default", L"C:\\Program\\Skin\\Default"},
        {L"Skin\\Blue", L"C:\\Program\\Skin\\Blue"},
        {L"D:\\Skins\\Mine", L"D:\\Skins\\Mine"},
        {L"\\\\server\\skins", L"\\\\server\\skins"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveSkinFolder(c.value, L"C:\\Program"), c.expected) << c.value;
}
