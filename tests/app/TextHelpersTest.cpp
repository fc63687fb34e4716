#include "app/TextHelpers.h"

#include <gtest/gtest.h>

#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;

TEST(TextHelpers, CompareNoCaseIgnoresCaseAndOrders)
{
    EXPECT_EQ(CompareNoCase(L"Documents", L"dOCUMENTS"), 0);
    EXPECT_EQ(CompareNoCase(L"apple", L"Banana"), -1);
    EXPECT_EQ(CompareNoCase(L"Banana", L"apple"), 1);
    EXPECT_EQ(CompareNoCase(L"", L"a"), -1);
}

TEST(TextHelpers, FindInvalidCharTriesCharactersInOrder)
{
    struct Case {
        const wchar_t* text;
        bool isPath;
        int expected;
    };
    const Case cases[] = {
        // A drive colon is fine in a path; "?" is tried before "*"; a
        // backslash separates path parts; "|" is tried before "<" and ">".
        {L"a:b", false, 1},
        {L"a:b", true, -1},
        {L"x*y?", false, 3},
        {L"x*y?", true, 3},
        {L"C:\\dir\\f", true, -1},
        {L"dir\\f", false, 3},
        {L"a<b>c|d", false, 5},
        {L"a<b>c", true, 1},
        {L"say \"hi\"", true, 4},
        {L"a/b", true, 1},
        {L"plain name.txt", false, -1},
        {L"", false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindInvalidChar(c.text, c.isPath), c.expected) << c.text << " path=" << c.isPath;
    EXPECT_EQ(FindInvalidChar(nullptr, false), -1);
    EXPECT_EQ(FindInvalidChar(nullptr, true), -1);
}

TEST(TextHelpers, ExtensionsFollowTheShellRule)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* without;
    };
    const Case cases[] = {
        {L"C:\\Data\\file.txt", L".txt", L"C:\\Data\\file"},
        {L"C:\\Data\\archive.tar.gz", L".gz", L"C:\\Data\\archive.tar"},
        {L"C:\\my.dir\\file", L"", L"C:\\my.dir\\file"},
        {L"C:\\Data\\.profile", L".profile", L"C:\\Data\\"},
        {L"name.", L".", L"name"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(RemoveExtension(c.path), c.without) << c.path;
    }
    EXPECT_EQ(GetExtension(nullptr), L"");
    EXPECT_EQ(RemoveExtension(nullptr), L"");
    // Paths longer than the classic limit keep all their characters.
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L".dat";
    EXPECT_EQ(RemoveExtension(longPath.c_str()), longPath.substr(0, longPath.size() - 4));
}

TEST(TextHelpers, CutAtLastBackslashAndParentFolder)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* cut;
        const wchar_t* parent;
    };
    const Case cases[] = {
        {L"C:\\Data\\file.txt", L"C:\\Data", L"C:\\Data"},
        {L"file.txt", L"", L""},
        {L"C:\\Data", L"C:", L"C:\\"}, // the parent of a top folder is the root with its backslash
        {L"C:\\", L"C:", L""},         // nothing can be removed from a root
        {L"\\top", L"", L"\\"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutAtLastBackslash(c.path), c.cut) << c.path;
        EXPECT_EQ(GetParentFolder(c.path), c.parent) << c.path;
    }
}

TEST(TextHelpers, ProgramFolderHoldsTheRunningExecutable)
{
    const std::wstring folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    const DWORD attributes = GetFileAttributesW((folder + L"\\app_tests.exe").c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
}

TEST(TextHelpers, ShortPathOfAnExistingFile)
{
    TempFolder temp;
    temp.Write(L"A rather long file name.text", "x");
    MessageBoxRecorder recorder;
    const std::wstring shortPath = GetShortPath(temp.File(L"A rather long file name.text"));
    EXPECT_EQ(recorder.Count(), 0u);
    ASSERT_FALSE(shortPath.empty());
    // The short form names the same file and its last part has no blanks.
    EXPECT_NE(GetFileAttributesW(shortPath.c_str()), INVALID_FILE_ATTRIBUTES);
    const std::wstring name = shortPath.substr(shortPath.rfind(L'\\') + 1);
    EXPECT_EQ(name.find(L' '), std::wstring::npos) << name;
    EXPECT_LE(name.size(), 12u) << name;
}

TEST(TextHelpers, ShortPathOfAMissingFileShowsTheSystemError)
{
    TempFolder temp;
    MessageBoxRecorder recorder;
    EXPECT_EQ(GetShortPath(temp.File(L"missing.txt")), L"");
    ASSERT_EQ(recorder.Count(), 1u);
    const MessageBoxRequest box = recorder.Last();
    EXPECT_EQ(box.text, L"Failed to get DOS short path! last Error code 2"); // ERROR_FILE_NOT_FOUND
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}
