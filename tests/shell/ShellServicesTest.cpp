#include <windows.h>

#include <commoncontrols.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "harness/ShellTestSupport.h"
#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "framework/Handles.h"
#include "harness/TestHarness.h"
#include "shell/CShellItem.h"
#include "shell/CShellLink.h"
#include "shell/FileOperationBuffers.h"
#include "shell/ItemIDList.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellIcons.h"
#include "shell/ShellRun.h"

using shell_test::MakePathItem;
using shell_test::SamePath;
using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;

namespace {

std::wstring SystemFile(const wchar_t* name)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + name;
}

SIZE IconSize(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    SIZE size{bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return size;
}

// ---- links ----

TEST(ShellLinkTest, LinksToAFolderAndAFileGiveTheirTargets)
{
    TempFolder temp;
    temp.Write(L"doc.txt", "text");
    CreateDirectoryW(temp.File(L"folder").c_str(), nullptr);
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"to folder.lnk"), temp.File(L"folder")));
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"to doc.lnk"), temp.File(L"doc.txt")));

    auto folderLink = CShellLink::OpenLink(temp.File(L"to folder.lnk"));
    ASSERT_TRUE(folderLink);
    EXPECT_TRUE(SamePath(folderLink->GetTarget(), temp.File(L"folder")));
    EXPECT_EQ(folderLink->GetLinkFilePath(), temp.File(L"to folder.lnk"));

    auto docLink = CShellLink::OpenLink(temp.File(L"to doc.lnk"));
    ASSERT_TRUE(docLink);
    EXPECT_TRUE(SamePath(docLink->GetTarget(), temp.File(L"doc.txt")));

    EXPECT_FALSE(CShellLink::OpenLink(temp.File(L"missing.lnk")));
    temp.Write(L"broken.lnk", "not a link");
    EXPECT_FALSE(CShellLink::OpenLink(temp.File(L"broken.lnk")));

    // Items of the links open their target folders.
    auto folderItem = MakePathItem(temp.File(L"to folder.lnk"));
    ASSERT_TRUE(folderItem.item);
    EXPECT_TRUE(folderItem.item->IsLink());
    EXPECT_TRUE(SamePath(folderItem.item->GetTargetFolderPath(), temp.File(L"folder")));
    auto docItem = MakePathItem(temp.File(L"to doc.lnk"));
    ASSERT_TRUE(docItem.item);
    EXPECT_TRUE(SamePath(docItem.item->GetTargetFolderPath(), temp.Path()));
}

TEST(ShellLinkTest, LinkToAVirtualFolderGivesItsParsingName)
{
    TempFolder temp;
    CPidl computer;
    ASSERT_EQ(GetSpecialFolderIDList(CSIDL_DRIVES, computer), 1);
    ASSERT_TRUE(shell_test::CreateLinkToList(temp.File(L"computer.lnk"), computer.Get()));
    auto link = CShellLink::OpenLink(temp.File(L"computer.lnk"));
    ASSERT_TRUE(link);
    const std::wstring target = link->GetTarget();
    EXPECT_EQ(target.rfind(L"::", 0), 0u) << target;
    EXPECT_EQ(target, GetSpecialFolderParsingName(CSIDL_DRIVES));

    // Outside the file system the icon location comes from the shell's extractor.
    int index = -2;
    const std::wstring location = link->GetLinkIconLocation(index);
    EXPECT_FALSE(location.empty());
    EXPECT_NE(index, -2);
}

TEST(ShellLinkTest, IconLocationsOfLinks)
{
    TempFolder temp;
    const std::wstring notepad = SystemFile(L"notepad.exe");
    ASSERT_NE(GetFileAttributesW(notepad.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"program.lnk"), notepad));
    CreateDirectoryW(temp.File(L"folder").c_str(), nullptr);
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"folder.lnk"), temp.File(L"folder")));

    // A document: the icon registered for its type (a type of the test's
    // own in the prefix's class keys); a type without a class key: none.
    const std::wstring defaultIcon = L"C:\\icons\\doc.ico,3";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".tavreldoc", nullptr, REG_SZ, L"TavrelDocTest", 28), ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"TavrelDocTest\\DefaultIcon", nullptr, REG_SZ, defaultIcon.c_str(),
                              static_cast<DWORD>((defaultIcon.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    temp.Write(L"letter.tavreldoc", "dear");
    temp.Write(L"letter.tavrelnone", "dear");
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"letter.lnk"), temp.File(L"letter.tavreldoc")));
    ASSERT_TRUE(shell_test::CreateLink(temp.File(L"other.lnk"), temp.File(L"letter.tavrelnone")));
    auto letter = CShellLink::OpenLink(temp.File(L"letter.lnk"));
    auto other = CShellLink::OpenLink(temp.File(L"other.lnk"));
    ASSERT_TRUE(letter);
    ASSERT_TRUE(other);
    int index = -2;
    const std::wstring letterLocation = letter->GetLinkIconLocation(index);
    const int letterIndex = index;
    const std::wstring otherLocation = other->GetLinkIconLocation(index);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tavreldoc");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TavrelDocTest");
    EXPECT_EQ(letterLocation, L"C:\\icons\\doc.ico");
    EXPECT_EQ(letterIndex, 3);
    EXPECT_EQ(otherLocation, L"");
    EXPECT_EQ(index, -1);

    // A program without an icon location of its own: the program itself.
    auto program = CShellLink::OpenLink(temp.File(L"program.lnk"));
    ASSERT_TRUE(program);
    index = -2;
    EXPECT_TRUE(SamePath(program->GetLinkIconLocation(index), notepad));
    EXPECT_EQ(index, 0);

    // A folder: an empty location, index -1, and the folder named in a box.
    MessageBoxRecorder boxes;
    auto folder = CShellLink::OpenLink(temp.File(L"folder.lnk"));
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->GetLinkIconLocation(index), L"");
    EXPECT_EQ(index, -1);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, L"Shortcut - Folder Name: " + folder->GetTarget() + L" \n");
    EXPECT_FALSE(boxes.Last().captionGiven);
    EXPECT_EQ(boxes.Last().type, UINT{MB_OK});
}

// ---- buffers and flags ----

TEST(FileOperationBufferTest, SinglePathBuffer)
{
    const CPathBuffer empty = MakePathBuffer(L"");
    ASSERT_TRUE(empty);
    ASSERT_EQ(PathBufferBytes(empty), 6u);
    EXPECT_EQ(std::memcmp(empty.get(), "\0\0\0\0\0\0", 6), 0);

    const CPathBuffer path = MakePathBuffer(L"C:\\a b");
    ASSERT_EQ(PathBufferBytes(path), 2u * 6 + 6);
    EXPECT_EQ(std::wstring(path.get()), L"C:\\a b");
    EXPECT_EQ(path[6], L'\0');
    EXPECT_EQ(path[7], L'\0');
}

TEST(FileOperationBufferTest, PathListBufferLayout)
{
    EXPECT_FALSE(MakePathListBuffer({}));

    const CPathBuffer list = MakePathListBuffer({L"C:\\one", L"D:\\two\\x"});
    ASSERT_TRUE(list);
    EXPECT_GE(PathBufferBytes(list), 2u * 524);
    EXPECT_EQ(std::wstring(list.get()), L"C:\\one");
    EXPECT_EQ(std::wstring(list.get() + 7), L"D:\\two\\x");
    EXPECT_EQ(list[15], L'\0');
    EXPECT_EQ(list[16], L'\0'); // the closing zero
    for (size_t i = 16; i < 2 * kPathListSlot; ++i)
        ASSERT_EQ(list[i], L'\0') << i;

    // Paths that fill their slots still end with two zero characters.
    const std::wstring longest(kMaxListPath, L'a');
    const CPathBuffer full = MakePathListBuffer({longest, longest});
    ASSERT_TRUE(full);
    EXPECT_EQ(full[kMaxListPath], L'\0');
    EXPECT_EQ(full[2 * kPathListSlot - 1], L'\0');
    EXPECT_EQ(full[2 * kPathListSlot], L'\0');
    // A longer path does not fit its slot and is refused rather than cut.
    EXPECT_FALSE(MakePathListBuffer({L"C:\\x", longest + L"a"}));
}

TEST(FileOperationBufferTest, ListBufferDrivesARealCopy)
{
    TempFolder temp;
    temp.Write(L"a.txt", "a");
    temp.Write(L"b.txt", "b");
    CreateDirectoryW(temp.File(L"to").c_str(), nullptr);
    const CPathBuffer from = MakePathListBuffer({temp.File(L"a.txt"), temp.File(L"b.txt")});
    const CPathBuffer to = MakePathBuffer(temp.File(L"to"));
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FileOperationForEffect(DROPEFFECT_COPY);
    operation.pFrom = from.get();
    operation.pTo = to.get();
    operation.fFlags = kPasteDropFlags | FOF_SILENT;
    ASSERT_EQ(SHFileOperationW(&operation), 0);
    EXPECT_NE(GetFileAttributesW(temp.File(L"to\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(temp.File(L"to\\b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(temp.File(L"a.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(FileOperationForEffect(DROPEFFECT_MOVE), UINT{FO_MOVE});
    EXPECT_EQ(FileOperationForEffect(DROPEFFECT_COPY), UINT{FO_COPY});
}

// ---- icons ----

TEST(ShellIconTest, ImageListChosenBySize)
{
    struct Case {
        int size;
        int kind;
    } cases[] = {{16, SHIL_SMALL}, {17, SHIL_LARGE},  {32, SHIL_LARGE},  {48, SHIL_EXTRALARGE},
                 {49, SHIL_JUMBO}, {100, SHIL_JUMBO}, {256, SHIL_JUMBO}, {300, SHIL_LARGE}};
    for (const Case& c : cases)
        EXPECT_EQ(ImageListKindForSize(c.size), c.kind) << c.size;

    CComPtr<IImageList> none;
    EXPECT_TRUE(FAILED(GetSystemImageList(99, kIidImageList, none.ReceiveVoid())));
    EXPECT_FALSE(none);
    EXPECT_EQ(GetSystemImageList(SHIL_SMALL, kIidImageList, nullptr), E_POINTER);

    CComPtr<IImageList> small;
    ASSERT_EQ(GetSystemImageList(SHIL_SMALL, kIidImageList, small.ReceiveVoid()), S_OK);
    int width = 0;
    int height = 0;
    ASSERT_EQ(small->GetIconSize(&width, &height), S_OK);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));

    // The icons come from the lists of those sizes.
    TempFolder temp;
    for (int size : {16, 32, 48, 100, 300}) {
        CIconHandle icon;
        ASSERT_TRUE(GetSystemIconBySize(temp.Path(), icon, size)) << size;
        CComPtr<IImageList> list;
        ASSERT_EQ(GetSystemImageList(ImageListKindForSize(size), kIidImageList, list.ReceiveVoid()), S_OK);
        ASSERT_EQ(list->GetIconSize(&width, &height), S_OK);
        EXPECT_EQ(IconSize(icon.Get()).cx, width) << size;
    }
    CPidl computer;
    ASSERT_EQ(GetSpecialFolderIDList(CSIDL_DRIVES, computer), 1);
    CIconHandle icon;
    EXPECT_TRUE(GetSystemIconBySize(computer.Get(), icon, 32));
    EXPECT_FALSE(GetSystemIconByIndex(icon, 32, 1000000));
    EXPECT_FALSE(icon);
}

TEST(ShellIconTest, FileIconInfoForProgramDocumentFolderAndVirtualObject)
{
    TempFolder temp;
    temp.Write(L"letter.txt", "dear");
    const std::wstring paths[] = {SystemFile(L"notepad.exe"), temp.File(L"letter.txt"), temp.Path(),
                                  GetSpecialFolderParsingName(CSIDL_DRIVES)};
    for (const std::wstring& path : paths) {
        SHFILEINFOW record = {};
        wcscpy_s(record.szDisplayName, path.c_str());
        ASSERT_TRUE(GetFileIconInfo(record, 32)) << path;
        const CIconHandle icon(record.hIcon);
        EXPECT_TRUE(icon) << path;
        EXPECT_EQ(IconSize(icon.Get()).cx, 32) << path;
        EXPECT_NE(record.szDisplayName[0], L'\0') << path;
    }

    // Without a size only the texts and attributes are read.
    SHFILEINFOW folder = {};
    wcscpy_s(folder.szDisplayName, temp.Path().c_str());
    ASSERT_TRUE(GetFileIconInfo(folder, 0));
    EXPECT_EQ(folder.hIcon, nullptr);
    EXPECT_NE(folder.dwAttributes & SFGAO_FOLDER, 0u);

    SHFILEINFOW computer = {};
    wcscpy_s(computer.szDisplayName, GetSpecialFolderParsingName(CSIDL_DRIVES).c_str());
    ASSERT_TRUE(GetFileIconInfo(computer, 0));
    EXPECT_NE(computer.dwAttributes & SFGAO_FOLDER, 0u);
    EXPECT_EQ(computer.hIcon, nullptr);
    EXPECT_EQ(std::wstring(computer.szDisplayName).rfind(L"::", 0), std::wstring::npos);

    SHFILEINFOW missing = {};
    wcscpy_s(missing.szDisplayName, temp.File(L"no such file.txt").c_str());
    EXPECT_FALSE(GetFileIconInfo(missing, 32));
    EXPECT_EQ(missing.hIcon, nullptr);
}

TEST(ShellIconTest, ShellInfoOfAVirtualPath)
{
    const std::wstring computer = GetSpecialFolderParsingName(CSIDL_DRIVES);
    std::wstring type;
    std::wstring name;
    int index = -1;
    CIconHandle icon;
    ULONG attributes = 0;
    ASSERT_TRUE(GetShellInfoOfPath(computer, &type, &name, &index, &icon, 16, &attributes));
    EXPECT_FALSE(name.empty());
    EXPECT_NE(attributes & SFGAO_FOLDER, 0u);
    TempFolder temp;
    EXPECT_FALSE(GetShellInfoOfPath(temp.File(L"missing.txt"), nullptr, nullptr, nullptr, nullptr, 0, &attributes));
    EXPECT_EQ(attributes, 0u);
}

TEST(ShellIconTest, StockAndSpecialFolderIconsAndTheShellExtractor)
{
    CIconHandle icon;
    EXPECT_TRUE(GetStockShellIcon(29, icon));
    EXPECT_EQ(IconSize(icon.Get()).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_TRUE(GetStockShellIcon(28, icon));

    EXPECT_TRUE(GetSpecialFolderIcon(CSIDL_DRIVES, icon));
    EXPECT_EQ(IconSize(icon.Get()).cx, 48);

    TempFolder temp;
    EXPECT_TRUE(ExtractIconViaShell(temp.Path(), icon, 32));
    EXPECT_TRUE(icon);
    EXPECT_FALSE(ExtractIconViaShell(L"", icon, 32));
    EXPECT_FALSE(icon);
}

TEST(ShellIconTest, NetworkIconLocations)
{
    CIconHandle icon;
    EXPECT_EQ(ComposeNetworkIcon(L"C:\\Windows\\explorer.exe", icon, 32), kNotNetworkLocation);
    EXPECT_EQ(ComposeNetworkIcon(L"netshellicon:{BA126AD7-2166-11D1-B1D0-00805FC1270E}", icon, 32),
              kNotNetworkLocation);
    EXPECT_EQ(ComposeNetworkIcon(L"netshellicon::{00000000-0000-0000-0000-000000000000}", icon, 32),
              kUnknownNetworkFolder);
    EXPECT_FALSE(icon);

    // The netshell library's icons where the system has it; Wine has none,
    // which must fail cleanly.
    const bool haveNetshell = GetFileAttributesW(SystemFile(L"netshell.dll").c_str()) != INVALID_FILE_ATTRIBUTES;
    for (const wchar_t* location : {L"netshellicon::{ba126ad7-2166-11d1-b1d0-00805fc1270e}",
                                    L"netshellicon::::{BA126ADB-2166-11D1-B1D0-00805FC1270E}"}) {
        for (int size : {16, 32}) {
            const int result = ComposeNetworkIcon(location, icon, size);
            EXPECT_EQ(result, haveNetshell ? kNetworkIconMade : kNetworkIconFailed) << location << size;
            EXPECT_EQ(static_cast<bool>(icon), haveNetshell);
        }
    }
}

TEST(ShellIconTest, ComposedIconDrawsTheOverlayOverTheBase)
{
    // A red base and an overlay whose left half is opaque blue.
    auto makeIcon = [](COLORREF left, COLORREF right, bool rightTransparent) {
        const int size = 32;
        BITMAPV5HEADER header = {};
        header.bV5Size = sizeof(header);
        header.bV5Width = size;
        header.bV5Height = -size;
        header.bV5Planes = 1;
        header.bV5BitCount = 32;
        header.bV5Compression = BI_RGB;
        void* bits = nullptr;
        const CClientDCHandle screen(nullptr);
        CBitmapHandle color(
            CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
        auto* pixels = static_cast<DWORD*>(bits);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const COLORREF c = x < size / 2 ? left : right;
                const DWORD alpha = (x >= size / 2 && rightTransparent) ? 0 : 0xFF;
                pixels[y * size + x] = (alpha << 24) | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        // The mask agrees with the alpha: set (transparent) where alpha is 0.
        std::vector<BYTE> maskBits(static_cast<size_t>(size) * size / 8, 0);
        for (int y = 0; rightTransparent && y < size; ++y) {
            maskBits[y * size / 8 + 2] = 0xFF;
            maskBits[y * size / 8 + 3] = 0xFF;
        }
        CBitmapHandle mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
        ICONINFO info = {TRUE, 0, 0, mask.Get(), color.Get()};
        return CIconHandle(CreateIconIndirect(&info));
    };
    const CIconHandle base = makeIcon(RGB(255, 0, 0), RGB(255, 0, 0), false);
    const CIconHandle overlay = makeIcon(RGB(0, 0, 255), RGB(0, 0, 0), true);
    const CIconHandle composed(ComposeIcons(base.Get(), overlay.Get()));
    ASSERT_TRUE(composed);
    EXPECT_EQ(IconSize(composed.Get()).cx, 32);

    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(composed.Get(), &info));
    const CBitmapHandle color(info.hbmColor);
    const CBitmapHandle mask(info.hbmMask);
    const CClientDCHandle screen(nullptr);
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = 32;
    request.bmiHeader.biHeight = -32;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(32 * 32);
    ASSERT_EQ(GetDIBits(screen.Get(), color.Get(), 0, 32, pixels.data(), &request, DIB_RGB_COLORS), 32);
    EXPECT_EQ(pixels[16 * 32 + 4] & 0xFFFFFF, 0x0000FFu);  // overlay drawn on the left
    EXPECT_EQ(pixels[16 * 32 + 28] & 0xFFFFFF, 0xFF0000u); // base shows on the right
    EXPECT_EQ(ComposeIcons(nullptr, overlay.Get()), nullptr);
}

// ---- running ----

// A file type whose open command writes a marker file, so running a document
// has a visible, harmless effect. It is registered in the class keys of the
// test prefix (Wine does not merge the user's own classes into them).
class RunTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_marker = m_temp.File(L"ran.txt");
        const std::wstring command = L"cmd.exe /c echo ran> \"" + m_marker + L"\"";
        SetClassValue(L".tavrelrun", L"TavrelRunTest");
        SetClassValue(L"TavrelRunTest\\shell", L"open");
        SetClassValue(L"TavrelRunTest\\shell\\open\\command", command);
        m_temp.Write(L"doc.tavrelrun", "x");
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tavrelrun");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TavrelRunTest");
    }
    static void SetClassValue(const std::wstring& key, const std::wstring& value)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    bool MarkerAppears()
    {
        return testing_support::PumpUntil(
            [&] { return GetFileAttributesW(m_marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
            std::chrono::milliseconds(20000));
    }
    TempFolder m_temp;
    std::wstring m_marker;
};

// Wine's item menu lists its default entry ("Open") under the number of an
// entry of its own and runs nothing for it, so under Wine these tests see the
// default command found and invoked; Windows also runs the type's command.
TEST_F(RunTest, DefaultCommandOfAPathIsFoundAndInvoked)
{
    ASSERT_TRUE(InvokeDefaultCommandForPath(m_temp.File(L"doc.tavrelrun")));
    EXPECT_FALSE(InvokeDefaultCommandForPath(m_temp.File(L"missing.tavrelrun")));
    EXPECT_FALSE(InvokeDefaultCommandForPath(L""));
}

TEST_F(RunTest, DefaultCommandOfAnItem)
{
    auto made = MakePathItem(m_temp.File(L"doc.tavrelrun"));
    ASSERT_TRUE(made.item);
    ASSERT_TRUE(InvokeDefaultCommand(*made.item));
    CShellItem empty;
    EXPECT_FALSE(InvokeDefaultCommand(empty));
}

TEST_F(RunTest, RunShellItemOpensTheDocument)
{
    ASSERT_TRUE(RunShellItem(m_temp.File(L"doc.tavrelrun")));
    EXPECT_TRUE(MarkerAppears());
}

} // namespace

namespace {

// The pixels of an icon's colour bitmap at its own size.
std::vector<DWORD> IconPixels(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return {};
    const CBitmapHandle color(info.hbmColor);
    const CBitmapHandle mask(info.hbmMask);
    const SIZE size = IconSize(icon);
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = size.cx;
    request.bmiHeader.biHeight = -size.cy;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
    const CClientDCHandle screen(nullptr);
    if (!color || GetDIBits(screen.Get(), color.Get(), 0, size.cy, pixels.data(), &request, DIB_RGB_COLORS) == 0)
        return {};
    return pixels;
}

// A program without icons of its own still gets one. Wine's shell names a
// shell32 icon for it, so only a system whose shell names no location at all
// reaches the program-icon fallback (shell32 icon 2); both must give a
// 32-pixel icon with pixels in it.
TEST(ShellIconTest, ProgramWithoutIconsStillGetsAnIcon)
{
    const std::wstring tool = testing_support::BinFolder() + L"\\tavrel_poke.exe";
    if (GetFileAttributesW(tool.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the resource-free helper program is built with the whole tree";
    TempFolder temp;
    ASSERT_TRUE(CopyFileW(tool.c_str(), temp.File(L"plain.exe").c_str(), FALSE));

    SHFILEINFOW record = {};
    wcscpy_s(record.szDisplayName, temp.File(L"plain.exe").c_str());
    ASSERT_TRUE(GetFileIconInfo(record, 32));
    const CIconHandle icon(record.hIcon);
    ASSERT_TRUE(icon);
    EXPECT_EQ(IconSize(icon.Get()).cx, 32);
    const std::vector<DWORD> pixels = IconPixels(icon.Get());
    ASSERT_FALSE(pixels.empty());
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0u), static_cast<std::ptrdiff_t>(pixels.size()));
}

} // namespace
