#include <shlobj.h>

#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

#include "app/ClipboardHelpers.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;

namespace {

// Zero-separated paths ended by an extra zero, as the shell lists files.
std::wstring FileList(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

HGLOBAL GlobalWith(const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// Puts a file-drop record on the clipboard the way another program might,
// with a raw "Preferred DropEffect" value or without one.
void PutRawFileList(const std::vector<std::wstring>& paths, std::optional<DWORD> effect)
{
    const std::wstring list = FileList(paths);
    std::vector<BYTE> record(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(record.data(), &header, sizeof(header));
    std::memcpy(record.data() + sizeof(header), list.data(), list.size() * sizeof(wchar_t));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, GlobalWith(record.data(), record.size()));
    if (effect)
        SetClipboardData(RegisterClipboardFormatW(L"Preferred DropEffect"), GlobalWith(&*effect, sizeof(DWORD)));
    CloseClipboard();
}

} // namespace

TEST(Clipboard, TextRoundTrip)
{
    MessageBoxRecorder recorder;
    const std::wstring text = L"C:\\Data\\Ünïcode ΩΨ.txt";
    ASSERT_TRUE(CopyTextToClipboard(text));
    EXPECT_EQ(recorder.Count(), 0u);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(data))), text);
    GlobalUnlock(data);
    CloseClipboard();
}

TEST(Clipboard, FileListRoundTripKeepsPathsAndEffect)
{
    const std::vector<std::wstring> paths = {L"C:\\Data\\one.txt", L"C:\\Data\\Folder two", L"Z:\\tmp\\three"};
    const std::wstring list = FileList(paths);
    for (const bool copy : {true, false}) {
        ASSERT_EQ(CopyFilesToClipboard(list.data(), list.size() * sizeof(wchar_t), copy), 1);

        // The record itself: a 20-byte wide header, then the list.
        ASSERT_TRUE(OpenClipboard(nullptr));
        HANDLE drop = GetClipboardData(CF_HDROP);
        ASSERT_NE(drop, nullptr);
        const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
        EXPECT_EQ(header->pFiles, 20u);
        EXPECT_TRUE(header->fWide);
        EXPECT_FALSE(header->fNC);
        EXPECT_EQ(header->pt.x, 0);
        EXPECT_EQ(header->pt.y, 0);
        GlobalUnlock(drop);
        HANDLE effect = GetClipboardData(RegisterClipboardFormatW(L"Preferred DropEffect"));
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(*static_cast<const DWORD*>(GlobalLock(effect)), copy ? 1u : 2u);
        GlobalUnlock(effect);
        CloseClipboard();

        std::vector<std::wstring> read = {L"kept"};
        bool readCopy = !copy;
        EXPECT_EQ(ReadFilesFromClipboard(nullptr, read, readCopy), 1);
        std::vector<std::wstring> expected = {L"kept"};
        expected.insert(expected.end(), paths.begin(), paths.end());
        EXPECT_EQ(read, expected); // appended after what the list held
        EXPECT_EQ(readCopy, copy);
    }
}

TEST(Clipboard, OnlyAPureMoveEffectReadsAsMove)
{
    struct Case {
        std::optional<DWORD> effect;
        bool copy;
    };
    const Case cases[] = {
        {std::nullopt, true}, {1, true}, {2, false}, {3, true}, {4, true}, {6, false}, {0x80000002, false},
    };
    for (const Case& c : cases) {
        PutRawFileList({L"C:\\a.txt"}, c.effect);
        std::vector<std::wstring> read;
        bool copy = !c.copy;
        EXPECT_EQ(ReadFilesFromClipboard(nullptr, read, copy), 1);
        EXPECT_EQ(read, std::vector<std::wstring>{L"C:\\a.txt"});
        EXPECT_EQ(copy, c.copy) << (c.effect ? static_cast<long>(*c.effect) : -1L);
    }
}

TEST(Clipboard, LongPathsAreCutAndMissingListsReadAsEmpty)
{
    const std::wstring longPath = L"C:\\" + std::wstring(600, L'p');
    PutRawFileList({longPath, L"C:\\short"}, 2);
    std::vector<std::wstring> read;
    bool copy = true;
    EXPECT_EQ(ReadFilesFromClipboard(nullptr, read, copy), 1);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], longPath.substr(0, 519));
    EXPECT_EQ(read[1], L"C:\\short");

    ASSERT_TRUE(CopyTextToClipboard(L"no files here"));
    read.clear();
    copy = false;
    EXPECT_EQ(ReadFilesFromClipboard(nullptr, read, copy), 1);
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(copy);
}

TEST(Clipboard, ClipboardHeldByAnotherThreadIsReported)
{
    // A window of a second thread keeps the clipboard open while this thread
    // tries to use it. (Wine lets a second opener without a window in when
    // the holder has none either; Windows refuses both, so the holder here
    // has a window.)
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool holderOpened = false;
    std::thread holder([&] {
        HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        holderOpened = window != nullptr && OpenClipboard(window) != FALSE;
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (holderOpened)
            CloseClipboard();
        if (window != nullptr)
            DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);

    MessageBoxRecorder recorder;
    EXPECT_FALSE(CopyTextToClipboard(L"text"));
    const std::wstring list = FileList({L"C:\\a.txt"});
    const int filesResult = CopyFilesToClipboard(list.data(), list.size() * sizeof(wchar_t), true);
    std::vector<std::wstring> read;
    bool copy = false;
    const int readResult = ReadFilesFromClipboard(nullptr, read, copy);

    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    ASSERT_TRUE(holderOpened);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Last().text, L"Cannot open the Clipboard");
    EXPECT_EQ(recorder.Last().type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(filesResult, -1);
    EXPECT_EQ(readResult, -1);
    EXPECT_TRUE(read.empty());

    // Once released, the clipboard works again: every path closed it.
    EXPECT_TRUE(CopyTextToClipboard(L"text"));
}
