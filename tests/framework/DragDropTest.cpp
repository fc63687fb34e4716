#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/COleDataSource.h"
#include "framework/COleDropTarget.h"
#include "harness/TestHarness.h"
#include "tests/framework/ExampleWnd.h"

using testing_support::TempFolder;

namespace {

// The paths of a CF_HDROP block.
std::vector<std::wstring> PathsOf(const std::vector<BYTE>& bytes)
{
    std::vector<std::wstring> paths;
    if (bytes.size() < sizeof(DROPFILES))
        return paths;
    const auto* files = reinterpret_cast<const DROPFILES*>(bytes.data());
    const auto* text = reinterpret_cast<const wchar_t*>(bytes.data() + files->pFiles);
    while (*text != 0) {
        paths.emplace_back(text);
        text += paths.back().size() + 1;
    }
    return paths;
}

std::wstring LongName(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH] = {};
    GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    return buffer;
}

} // namespace

TEST(DataSource, OffersFilesAsIdListArrayDropListAndPreferredEffect)
{
    TempFolder folder;
    folder.Write(L"a.txt", "a");
    folder.Write(L"b.txt", "bb");
    CComPtr<COleDataSource> source = COleDataSource::New();
    ASSERT_TRUE(source->CacheFiles({folder.File(L"a.txt"), folder.File(L"b.txt")}));
    ASSERT_TRUE(source->CachePreferredDropEffect(DROPEFFECT_MOVE));

    // CF_HDROP: wide paths, double-zero ended.
    const std::vector<std::wstring> paths = PathsOf(source->GetBytes(CF_HDROP));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(LongName(paths[0]), LongName(folder.File(L"a.txt")));
    EXPECT_EQ(LongName(paths[1]), LongName(folder.File(L"b.txt")));

    // The ID-list array: two children of the common parent folder.
    const std::vector<BYTE> ida = source->GetBytes(COleDataSource::ShellIdListFormat());
    ASSERT_GE(ida.size(), 3 * sizeof(UINT));
    const auto* cida = reinterpret_cast<const CIDA*>(ida.data());
    ASSERT_EQ(cida->cidl, 2u);
    auto listAt = [&](UINT i) { return reinterpret_cast<LPCITEMIDLIST>(ida.data() + cida->aoffset[i]); };
    LPITEMIDLIST full = ILCombine(listAt(0), listAt(2));
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListW(full, path));
    EXPECT_EQ(LongName(path), LongName(folder.File(L"b.txt")));
    ILFree(full);

    // "Preferred DropEffect" is a DWORD; GetData hands out a copy.
    FORMATETC format{COleDataSource::PreferredDropEffectFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(source->GetData(&format, &medium), S_OK);
    EXPECT_EQ(*static_cast<DWORD*>(GlobalLock(medium.hGlobal)), static_cast<DWORD>(DROPEFFECT_MOVE));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    // What the receiver stores back is kept; unknown formats are refused.
    DWORD performed = DROPEFFECT_COPY;
    const CLIPFORMAT performedFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PERFORMEDDROPEFFECT));
    FORMATETC setFormat{performedFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM setMedium{};
    setMedium.tymed = TYMED_HGLOBAL;
    setMedium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(GlobalLock(setMedium.hGlobal)) = performed;
    GlobalUnlock(setMedium.hGlobal);
    ASSERT_EQ(source->SetData(&setFormat, &setMedium, TRUE), S_OK);
    EXPECT_EQ(source->GetBytes(performedFormat).size(), sizeof(DWORD));
    FORMATETC missing{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_NE(source->QueryGetData(&missing), S_OK);

    // Every offered format is listed.
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC item{};
    int count = 0;
    while (formats->Next(1, &item, nullptr) == S_OK)
        ++count;
    formats->Release();
    EXPECT_EQ(count, 4);
}

TEST(DropTarget, EffectFollowsTheKeysAndTheAllowedEffects)
{
    struct Case {
        DWORD keys;
        DWORD allowed;
        DWORD expected;
    };
    const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const Case cases[] = {
        {0, all, DROPEFFECT_MOVE},
        {MK_CONTROL, all, DROPEFFECT_COPY},
        {MK_SHIFT, all, DROPEFFECT_MOVE},
        {MK_CONTROL | MK_SHIFT, all, DROPEFFECT_LINK},
        {0, DROPEFFECT_COPY, DROPEFFECT_COPY}, // move not allowed: copy
        {MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_COPY},
        {MK_CONTROL | MK_SHIFT, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_CONTROL, DROPEFFECT_NONE, DROPEFFECT_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(COleDropTarget::DropEffectFromKeyState(c.keys, c.allowed), c.expected)
            << "keys " << c.keys << " allowed " << c.allowed;
    EXPECT_EQ(COleDropTarget::DropEffectFromKeyState(0, all, DROPEFFECT_COPY), static_cast<DWORD>(DROPEFFECT_COPY));
}

TEST(DropTarget, AFileListDroppedOnAWindowGivesTheEffectOfEachKeyState)
{
    TempFolder folder;
    folder.Write(L"dropped.txt", "x");
    CComPtr<COleDataSource> source = COleDataSource::New();
    ASSERT_TRUE(source->CacheFiles({folder.File(L"dropped.txt")}));

    ExampleWnd wnd;
    ASSERT_TRUE(wnd.Create(RECT{0, 0, 100, 100}));
    COleDropTarget* target = wnd.GetDropTarget();
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->IsRegistered());
    EXPECT_GT(target->GetBorrowCount(), 0u); // OLE holds it while registered

    const struct {
        DWORD keys;
        DWORD expected;
    } cases[] = {{MK_LBUTTON, DROPEFFECT_MOVE},
                 {MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY},
                 {MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE},
                 {MK_LBUTTON | MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK}};
    const POINTL at{50, 50};
    for (const auto& c : cases) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        ASSERT_EQ(target->DragEnter(source.Get(), c.keys, at, &effect), S_OK);
        EXPECT_EQ(effect, c.expected);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        ASSERT_EQ(target->DragOver(c.keys, at, &effect), S_OK);
        EXPECT_EQ(effect, c.expected);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        ASSERT_EQ(target->Drop(source.Get(), c.keys, at, &effect), S_OK);
        EXPECT_EQ(effect, c.expected);
    }
    ASSERT_EQ(wnd.dropped.size(), 4u);
    EXPECT_EQ(LongName(wnd.dropped[0]), LongName(folder.File(L"dropped.txt")));

    // The registration ends with the window: OLE lets go of the target.
    wnd.DestroyWindow();
    EXPECT_FALSE(target->IsRegistered());
    EXPECT_EQ(target->GetBorrowCount(), 0u);
}
