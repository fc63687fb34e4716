#include "app/ImageResource.h"

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;

namespace {

// Test resources holding the same 2x2 picture with straight alpha:
// (255,128,64,128) (200,100,50,255) / (10,20,30,0) (255,255,255,51).
constexpr UINT kPngResource = 60100;
constexpr UINT kImageResource = 60101;

struct Pixel {
    BYTE r, g, b, a;
    bool operator==(const Pixel&) const = default;
};

std::vector<Pixel> Pixels(Gdiplus::Bitmap& bitmap)
{
    std::vector<Pixel> pixels;
    const Gdiplus::Rect area(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return pixels;
    for (UINT y = 0; y < data.Height; ++y) {
        const BYTE* row = static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (UINT x = 0; x < data.Width; ++x)
            pixels.push_back({row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]});
    }
    bitmap.UnlockBits(&data);
    return pixels;
}

void PrintTo(const Pixel& p, std::ostream* os)
{
    *os << "(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
}

} // namespace

TEST(ImageResource, PngIsPremultipliedByAlpha)
{
    MessageBoxRecorder recorder;
    for (const wchar_t* type : {L"png", L"PNG"}) {
        std::unique_ptr<Gdiplus::Bitmap> bitmap = LoadImageResource(kPngResource, type);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->GetWidth(), 2u);
        EXPECT_EQ(bitmap->GetHeight(), 2u);
        // Each colour times alpha / 255, rounded down; alpha itself stays.
        const std::vector<Pixel> expected = {{128, 64, 32, 128}, {200, 100, 50, 255}, {0, 0, 0, 0}, {51, 51, 51, 51}};
        EXPECT_EQ(Pixels(*bitmap), expected) << "type " << (type[0] == L'p' ? "png" : "PNG");
    }
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST(ImageResource, OtherTypesKeepStraightAlpha)
{
    std::unique_ptr<Gdiplus::Bitmap> bitmap = LoadImageResource(kImageResource, L"IMAGE");
    ASSERT_NE(bitmap, nullptr);
    const std::vector<Pixel> expected = {
        {255, 128, 64, 128}, {200, 100, 50, 255}, {10, 20, 30, 0}, {255, 255, 255, 51}};
    EXPECT_EQ(Pixels(*bitmap), expected);
}

TEST(ImageResource, MissingResourceShowsTheErrorBox)
{
    MessageBoxRecorder recorder;
    const HWND previous = AppState::sideBarWnd.exchange(reinterpret_cast<HWND>(0x4321));
    EXPECT_EQ(LoadImageResource(60199, L"png"), nullptr);
    // A resource that is no picture at all fails when decoded.
    EXPECT_EQ(LoadImageResource(1, RT_MANIFEST), nullptr);
    AppState::sideBarWnd = previous;
    ASSERT_EQ(recorder.Count(), 2u);
    for (const MessageBoxRequest& box : recorder.Requests()) {
        EXPECT_EQ(box.text, L"Failed to load picture resource. 77012");
        EXPECT_EQ(box.caption, L"Error");
        EXPECT_EQ(box.owner, reinterpret_cast<HWND>(0x4321));
    }
}
