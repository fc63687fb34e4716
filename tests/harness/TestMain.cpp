// The entry of every test program: sets up COM/OLE, the common controls and
// GDI+ once, then runs the tests.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include <gtest/gtest.h>

namespace {
class PlatformEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS |
                                                  ICC_USEREX_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
    }
    void TearDown() override
    {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        OleUninitialize();
    }

private:
    ULONG_PTR m_gdiplusToken = 0;
};
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new PlatformEnvironment);
    return RUN_ALL_TESTS();
}
