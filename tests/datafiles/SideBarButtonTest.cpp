#include <windows.h>

#include <gtest/gtest.h>
#include <memory>

#include "framework/CWnd.h"
#include "sidebar/CSideBarButton.h"
#include "sidebar/IFloatingFolderView.h"

namespace {

class TestView : public CWnd {
public:
    bool Create()
    {
        const wchar_t* cls = RegisterWndClass(L"TavrelDataFilesTestView");
        return CreateEx(0, cls, L"view", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0);
    }
};

class TestFloatingView : public TestView, public IFloatingFolderView {
public:
    void RefreshFolderButtons() override { ++refreshes; }
    void ReloadFolderButtons() override { ++reloads; }
    int refreshes = 0;
    int reloads = 0;
};

template <class View> std::unique_ptr<View> MakeView()
{
    auto view = std::make_unique<View>();
    EXPECT_TRUE(view->Create());
    return view;
}

} // namespace

TEST(SideBarButton, StoredTypeTests)
{
    struct Case {
        uint32_t type;
        const wchar_t* path;
        bool folderLike;
        bool desktop;
        bool deleted;
    };
    const Case cases[] = {
        {1, L"C:\\a", true, false, false},    {2, L"C:\\a.exe", false, false, false},
        {3, L"::", true, true, false},        {4, L"::{20D04FE0}", true, false, false},
        {5, L"C:\\docs", true, false, false}, {6, L"C:\\a.txt", false, false, false},
        {0x10001, L"::", true, true, true},   {7, L":::", false, false, false},
        {0x10006, L"x", false, false, true},
    };
    for (const Case& c : cases) {
        CSideBarButton category;
        category.m_type = c.type;
        category.m_path = c.path;
        EXPECT_EQ(category.IsFolderLike(), c.folderLike) << c.type;
        EXPECT_EQ(category.IsDesktop(), c.desktop) << c.type;
        EXPECT_EQ(category.IsDeleted(), c.deleted) << c.type;
    }
    CSideBarButton category;
    category.m_type = 5;
    category.SetDeleted(true);
    EXPECT_EQ(category.m_type, 0x10005u);
    category.SetDeleted(false);
    EXPECT_EQ(category.m_type, 5u);
}

TEST(SideBarButton, SetViewSwitchesBetweenLiveWindowsOnly)
{
    CSideBarButton category;
    auto floatingOwned = MakeView<TestFloatingView>();
    auto panelOwned = MakeView<TestView>();
    TestFloatingView* floating = floatingOwned.get();
    TestView* panel = panelOwned.get();

    // A plain window is no floating folder window.
    auto plain = MakeView<TestView>();
    EXPECT_EQ(category.SetView(std::move(plain), 1), 0);
    EXPECT_EQ(category.GetView(1), nullptr);

    EXPECT_EQ(category.SetView(std::move(floatingOwned), 1), 0);
    EXPECT_EQ(category.GetCurrentView(), 1);
    EXPECT_EQ(category.GetView(1), floating);
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(floating->refreshes, 1);

    EXPECT_EQ(category.SetView(std::move(panelOwned), 2), 1);
    EXPECT_EQ(category.GetCurrentView(), 2);
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_TRUE(panel->IsWindowVisible());

    // Back to the floating window: the panel is hidden.
    EXPECT_EQ(category.SetView(floating, 1), 2);
    EXPECT_FALSE(panel->IsWindowVisible());
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(floating->refreshes, 2);

    // Refused: no window, a dead window, an index outside 0..2, a window held at another index.
    EXPECT_EQ(category.SetView(static_cast<CWnd*>(nullptr), 2), 1);
    EXPECT_EQ(category.SetView(panel, 3), 1);
    EXPECT_EQ(category.SetView(panel, -1), 1);
    EXPECT_EQ(category.SetView(floating, 2), 1);
    TestView dead;
    EXPECT_EQ(category.SetView(&dead, 2), 1);
    EXPECT_EQ(category.GetView(3), nullptr);
    EXPECT_EQ(category.GetView(-1), nullptr);
    EXPECT_TRUE(floating->IsWindowVisible());

    // Index 0 hides the shown view and keeps the windows.
    EXPECT_EQ(category.SetView(floating, 0), 1);
    EXPECT_EQ(category.GetCurrentView(), 0);
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_EQ(category.GetView(0), nullptr);
    EXPECT_EQ(category.GetView(1), floating);
    EXPECT_EQ(category.GetView(2), panel);
}

TEST(SideBarButton, ViewWindowsGoWithTheCategory)
{
    HWND floatingWindow = nullptr;
    HWND panelWindow = nullptr;
    {
        CSideBarButton category;
        auto floating = MakeView<TestFloatingView>();
        auto panel = MakeView<TestView>();
        floatingWindow = floating->m_hWnd;
        panelWindow = panel->m_hWnd;
        category.SetView(std::move(floating), 1);
        category.SetView(std::move(panel), 2);
        // A new panel replaces the old one, which goes.
        auto replacement = MakeView<TestView>();
        category.SetView(std::move(replacement), 2);
        EXPECT_FALSE(IsWindow(panelWindow));
        panelWindow = category.GetView(2)->m_hWnd;
    }
    EXPECT_FALSE(IsWindow(floatingWindow));
    EXPECT_FALSE(IsWindow(panelWindow));
}
