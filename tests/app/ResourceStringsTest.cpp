#include "app/ResourceStrings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/ErrorBoxes.h"
#include "app/SharedResources.h"
#include "framework/CException.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"
#include "harness/TestHarness.h"
#include "resources/ResourceIds.h"

using namespace testing_support;

namespace {
constexpr UINT kLongTestString = 60000; // 300 characters, in the test resources
}

TEST(ResourceStrings, LoadingCutsAt259CharactersAndMissingIsEmpty)
{
    const std::wstring text = LoadResourceString(kLongTestString);
    ASSERT_EQ(text.size(), 259u);
    EXPECT_EQ(text.substr(0, 12), L"0123456789ab");
    EXPECT_EQ(LoadResourceString(IDS_ABOUT_MENU), L"About Tavrel(&A)...");
    EXPECT_EQ(LoadResourceString(59999), L"");
}

TEST(ResourceStrings, UnscrambleIsItsOwnInverse)
{
    EXPECT_EQ(Unscramble(static_cast<const wchar_t*>(nullptr), 0x1234), L"");
    EXPECT_EQ(Unscramble(L"", 0x1234), L"");
    const std::wstring plain = L"Tavrel \\ 1.0";
    const std::wstring scrambled = Unscramble(plain, 0x6B4D);
    EXPECT_NE(scrambled, plain);
    EXPECT_EQ(Unscramble(scrambled, 0x6B4D), plain);
    // Stops at the first zero unit.
    const wchar_t withZero[] = {0x6B4D ^ L'a', 0, 0x6B4D ^ L'b', 0};
    EXPECT_EQ(Unscramble(withZero, 0x6B4D), L"a");
}

TEST(ResourceStrings, ScrambledResourcesAreStoredScrambledAndReadPlain)
{
    EXPECT_EQ(LoadScrambledString(IDS_REGISTRY_NAME, ScrambleGroup::Group1), L"Tavrel Sidebar");
    EXPECT_NE(LoadResourceString(IDS_REGISTRY_NAME), L"Tavrel Sidebar");
    struct Case {
        UINT id;
        ScrambleGroup group;
    };
    const Case cases[] = {{IDS_TRAY_TIP, ScrambleGroup::Group1},       {IDS_ERROR_CODE_LABEL, ScrambleGroup::Group1},
                          {IDS_ABOUT_TEXT, ScrambleGroup::About},      {IDS_ERROR_CAPTION, ScrambleGroup::Group3},
                          {IDS_UPDATE_ADDRESS, ScrambleGroup::Caller}, {IDS_SUPPORT_ADDRESS, ScrambleGroup::Caller}};
    for (const Case& c : cases) {
        const std::wstring text = LoadScrambledString(c.id, c.group);
        ASSERT_FALSE(text.empty()) << c.id;
        for (wchar_t ch : text)
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << "resource " << c.id << " is not read with its group's key";
    }
}

TEST(ErrorBoxes, ExceptionErrorShowsMessageLabelAndCode)
{
    MessageBoxRecorder boxes;
    ShowExceptionError(nullptr, L"30981");
    EXPECT_EQ(boxes.Count(), 0u);

    CException error(L"The disk is full.");
    HWND owner = reinterpret_cast<HWND>(0x1234);
    ShowExceptionError(&error, L"30981", owner);
    ASSERT_EQ(boxes.Count(), 1u);
    const MessageBoxRequest box = boxes.Last();
    EXPECT_EQ(box.text,
              L"The disk is full. " + LoadScrambledString(IDS_ERROR_CODE_LABEL, ScrambleGroup::Group1) + L"30981\n");
    EXPECT_EQ(box.caption, L"Error:");
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.owner, owner);

    // Long messages are cut to 259 characters.
    CException longError(std::wstring(400, L'x'));
    ShowExceptionError(&longError, L"1");
    EXPECT_EQ(boxes.Last().text.find(L' '), 259u);
}

TEST(ErrorBoxes, CodedErrorHasCaptionErrorAndNoOwner)
{
    MessageBoxRecorder boxes;
    ShowCodedError(59998, L"16461"); // a missing text leaves the blank and the code
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, L" 16461");
    EXPECT_EQ(boxes.Last().caption, L"Error");
    EXPECT_EQ(boxes.Last().type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.Last().owner, nullptr);
}

namespace {
// A user-interface thread with a main window that shows an error pair
// without naming an owner.
class ErrorThread : public CWinThread {
public:
    HWND mainWindow = nullptr;
    bool InitInstance() override
    {
        auto* wnd = new PlainWnd;
        wnd->CreateEx(0, CWnd::RegisterWndClass(L"TavrelErrorThreadMain"), L"main", WS_POPUP, RECT{0, 0, 10, 10},
                      nullptr, 0);
        m_pMainWnd = wnd;
        mainWindow = wnd->m_hWnd;
        ShowErrorPair(L"Cannot open the folder.", L"SBW1905");
        delete wnd;
        m_pMainWnd = nullptr;
        return false;
    }

private:
    struct PlainWnd : CWnd {};
};
} // namespace

TEST(ErrorBoxes, ErrorPairIsOwnedByTheCallingThreadsMainWindow)
{
    MessageBoxRecorder boxes;
    auto* thread = new ErrorThread;
    thread->m_bAutoDelete = false;
    ASSERT_TRUE(thread->CreateThread());
    WaitForSingleObject(thread->m_hThread, 10000);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().owner, thread->mainWindow);
    EXPECT_EQ(boxes.Last().text, L"Cannot open the folder. SBW1905");
    EXPECT_EQ(boxes.Last().caption, LoadScrambledString(IDS_ERROR_CAPTION, ScrambleGroup::Group3));
    EXPECT_EQ(boxes.Last().type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    delete thread;
}

TEST(SharedResources, LoadsEveryBitmapAndIconAndDeletesTheBitmaps)
{
    EXPECT_EQ(LoadResourceImage(IDI_APP, 2), INVALID_HANDLE_VALUE);
    LoadSharedResources();
    for (UINT id : {136u, 137u, 138u, 142u, 143u, 144u, 145u, 146u, 147u}) {
        HBITMAP bitmap = SharedResources::Bitmap(id);
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 254) << id;
        EXPECT_EQ(info.bmHeight, 50) << id;
    }
    EXPECT_EQ(SharedResources::Bitmap(139), nullptr);
    EXPECT_NE(SharedResources::Icon(IDI_COMPUTER), nullptr);
    EXPECT_NE(SharedResources::Icon(IDI_DESKTOP), nullptr);
    DeleteSharedBitmaps();
    EXPECT_EQ(SharedResources::Bitmap(138), nullptr);
}
