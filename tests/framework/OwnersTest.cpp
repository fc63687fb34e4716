#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"

namespace {

// Counts its references so the tests can see AddRef and Release.
class CountedObject : public IUnknown {
public:
    LONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
};

} // namespace

TEST(Owners, ComPointerKeepsExactlyItsReferences)
{
    CountedObject object;
    {
        CComPtr<IUnknown> first(&object);
        EXPECT_EQ(object.references, 2);
        CComPtr<IUnknown> copy = first;
        EXPECT_EQ(object.references, 3);
        CComPtr<IUnknown> moved = std::move(copy);
        EXPECT_EQ(object.references, 3);
        EXPECT_FALSE(copy);
        CComPtr<IUnknown> queried;
        EXPECT_EQ(first.QueryInterface(queried), S_OK);
        EXPECT_EQ(object.references, 4);
        // Receive releases what was held before the new reference arrives.
        *queried.Receive() = nullptr;
        EXPECT_EQ(object.references, 3);
    }
    EXPECT_EQ(object.references, 1);
}

TEST(Owners, ItemIdListOwnerClonesAndFrees)
{
    CPidl desktop;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.Receive()), S_OK);
    ASSERT_TRUE(desktop);
    CPidl copy = CPidl::Clone(desktop.Get());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.Get(), desktop.Get());
    EXPECT_TRUE(ILIsEqual(copy.Get(), desktop.Get()));
    CPidl moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(CPidl::Clone(nullptr));
}

TEST(Owners, HandleOwnerClosesOnResetAndMoveOnlyOnce)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE probe = nullptr;
    ASSERT_TRUE(
        DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &probe, 0, FALSE, DUPLICATE_SAME_ACCESS));
    {
        CKernelHandle owner(event);
        CKernelHandle other = std::move(owner);
        EXPECT_FALSE(owner);
        EXPECT_EQ(other.Get(), event);
    }
    // The original handle is closed; the duplicate still works.
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags));
    EXPECT_TRUE(SetEvent(probe));
    CloseHandle(probe);

    CFileHandle invalid;
    EXPECT_FALSE(invalid);
    EXPECT_EQ(invalid.Get(), INVALID_HANDLE_VALUE);
}

namespace {
class AcceleratedWnd : public CWnd {
public:
    int refreshes = 0;
    AcceleratedWnd() { AddCommandHandler(500, &AcceleratedWnd::OnRefresh); }
    void OnRefresh() { ++refreshes; }
};
} // namespace

TEST(Accelerators, KeysOfAChildReachTheTopLevelWindowsTable)
{
    AcceleratedWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, CWnd::RegisterWndClass(L"TavrelAccelTest"), L"frame", WS_POPUP, RECT{0, 0, 100, 100},
                               nullptr, 0));
    HWND child = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame.m_hWnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ACCEL entry{FVIRTKEY, VK_F5, 500};
    CAccelHandle table(CreateAcceleratorTableW(&entry, 1));
    frame.SetAccelerators(table.Get());

    MSG msg{child, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(CWinThread::WalkPreTranslate(&msg));
    EXPECT_EQ(frame.refreshes, 1);
    MSG other{child, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_FALSE(CWinThread::WalkPreTranslate(&other));
}
