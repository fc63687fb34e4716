#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/CAppReg.h"
#include "app/IconLocation.h"
#include "framework/CComPtr.h"
#include "framework/CException.h"
#include "harness/CleanAppKeyTest.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;

namespace {

const std::wstring kAppKeyPath = L"Software\\" + GetRegistryName();

class AppRegTest : public testing_support::CleanAppKeyTest {
protected:
    // Stores raw bytes below the application key, as another program might.
    static void SetRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data, DWORD bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\" + section).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
        EXPECT_EQ(RegSetValueExW(key, valueName, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void SetText(const std::wstring& section, const std::wstring& name, const std::wstring& text,
                        DWORD type = REG_SZ)
    {
        SetRaw(section, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    static void SetDword(const std::wstring& section, const std::wstring& name, DWORD value)
    {
        SetRaw(section, name, REG_DWORD, &value, sizeof(value));
    }
    static bool ValueExists(const std::wstring& section, const std::wstring& name)
    {
        return RegGetValueW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\" + section).c_str(),
                            name.empty() ? nullptr : name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }
};

TEST(AppRegName, IsTavrelAndTheScrambledResource)
{
    EXPECT_EQ(GetRegistryName(), L"Tavrel\\Tavrel Sidebar");
}

TEST_F(AppRegTest, OpenCreatesTheApplicationKeyAndTypedOperationsKeepItCurrent)
{
    CAppReg reg;
    EXPECT_EQ(reg.GetCurrentKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    const HKEY appKey = reg.GetCurrentKey();
    EXPECT_NE(appKey, HKEY_CURRENT_USER);
    EXPECT_TRUE(CAppReg::OpenKeyReadOnly(HKEY_CURRENT_USER, kAppKeyPath));

    // Several typed operations after one Open, in different sections.
    EXPECT_TRUE(reg.WriteInt(L"main", L"A", 1));
    EXPECT_TRUE(reg.WriteString(L"Skin", L"B", L"two"));
    EXPECT_EQ(reg.GetCurrentKey(), appKey);
    EXPECT_EQ(reg.ReadInt(L"Main", L"A", 0), 1); // key names ignore case
    EXPECT_EQ(reg.ReadString(L"Skin", L"B", L""), L"two");
    EXPECT_EQ(reg.GetCurrentKey(), appKey);

    reg.CloseKey(reg.GetCurrentKey());
    EXPECT_EQ(reg.GetCurrentKey(), HKEY_CURRENT_USER);
}

TEST_F(AppRegTest, OpenFailureShowsTheSystemTextAndLeavesTheRootCurrent)
{
    MessageBoxRecorder recorder;
    const HWND previousOwner = AppState::sideBarWnd.exchange(GetDesktopWindow());
    CAppReg reg;
    // A key name longer than 255 characters is refused by the registry.
    EXPECT_FALSE(reg.Open(L"Tavrel\\" + std::wstring(300, L'n')));
    const DWORD error = GetLastError();
    AppState::sideBarWnd = previousOwner;

    EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(reg.GetCurrentKey(), HKEY_CURRENT_USER);
    ASSERT_EQ(recorder.Count(), 1u);
    const MessageBoxRequest box = recorder.Last();
    EXPECT_EQ(box.text, GetSystemErrorText(error));
    EXPECT_FALSE(box.text.empty());
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(box.owner, GetDesktopWindow());
}

TEST_F(AppRegTest, OpenSubKeyAndReadOnlyKeys)
{
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    ASSERT_TRUE(reg.OpenSubKey(L"Deep\\Er"));
    EXPECT_TRUE(reg.WriteBool(L"", L"Flag", true)); // an empty section is the current key itself
    EXPECT_TRUE(ValueExists(L"Deep\\Er", L"Flag"));

    EXPECT_FALSE(CAppReg::OpenKeyReadOnly(HKEY_CURRENT_USER, kAppKeyPath + L"\\Missing"));
    const CRegKeyHandle readOnly = CAppReg::OpenKeyReadOnly(HKEY_CURRENT_USER, kAppKeyPath + L"\\Deep\\Er");
    ASSERT_TRUE(readOnly);
    DWORD value = 0;
    EXPECT_EQ(RegQueryValueExW(readOnly.Get(), L"Flag", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_NE(
        RegSetValueExW(readOnly.Get(), L"Other", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)),
        ERROR_SUCCESS);
}

TEST_F(AppRegTest, QueryStringReadsEveryTextTypeWithinItsSize)
{
    const std::wstring systemRoot = [] {
        wchar_t buffer[MAX_PATH] = {};
        GetEnvironmentVariableW(L"SystemRoot", buffer, MAX_PATH);
        return std::wstring(buffer);
    }();
    ASSERT_FALSE(systemRoot.empty());
    const std::wstring longTail(600, L'x');
    const DWORD number = 7;
    const unsigned char binary[] = {'a', 0, 'b', 0};

    SetText(L"main", L"Plain", L"abc");
    // The registry adds a forgotten terminator when the unit after the data is
    // zero; a following "X" keeps these two values unterminated.
    SetRaw(L"main", L"Unterminated", REG_SZ, L"abcdX", 4 * sizeof(wchar_t));
    SetRaw(L"main", L"InnerZero", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
    SetRaw(L"main", L"OddSize", REG_SZ, L"ab", 3);
    SetText(L"main", L"Expand", L"%SystemRoot%\\Skin", REG_EXPAND_SZ);
    SetText(L"main", L"ExpandLong", L"%SystemRoot%\\" + longTail, REG_EXPAND_SZ);
    SetRaw(L"main", L"Multi", REG_MULTI_SZ, L"a\0bc\0\0", 6 * sizeof(wchar_t));
    SetRaw(L"main", L"MultiUnterminated", REG_MULTI_SZ, L"a\0bX", 3 * sizeof(wchar_t));
    SetRaw(L"main", L"MultiEmpty", REG_MULTI_SZ, L"\0", 2 * sizeof(wchar_t));
    SetRaw(L"main", L"Dword", REG_DWORD, &number, sizeof(number));
    SetRaw(L"main", L"Binary", REG_BINARY, binary, sizeof(binary));
    SetText(L"main", L"", L"unnamed");

    const struct {
        const wchar_t* name;
        std::wstring expected;
    } cases[] = {
        {L"Plain", L"abc"},
        {L"Unterminated", L"abcd"},
        {L"InnerZero", L"ab"},
        {L"OddSize", L"a"},
        {L"Expand", systemRoot + L"\\Skin"},
        {L"ExpandLong", systemRoot + L"\\" + longTail},
        {L"Multi", L"a bc "},
        {L"MultiUnterminated", L"a b "},
        {L"MultiEmpty", L""},
        {L"Dword", L"default"},
        {L"Binary", L"default"},
        {L"Missing", L"default"},
        {L"", L"unnamed"},
    };
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    ASSERT_TRUE(reg.OpenSubKey(L"main"));
    for (const auto& c : cases)
        EXPECT_EQ(reg.QueryString(c.name, L"default"), c.expected) << "value " << testing::PrintToString(c.name);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_TRUE(reg.QueryValueInfo(L"Unterminated", type, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 8u);
    EXPECT_FALSE(reg.QueryValueInfo(L"Missing", type, size));
}

TEST_F(AppRegTest, ReadStringGivesTheDefaultForEmptyAndWrongTypes)
{
    SetText(L"main", L"Empty", L"");
    SetDword(L"main", L"Dword", 3);
    const std::wstring longText(10000, L'q');
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    EXPECT_EQ(reg.ReadString(L"main", L"Empty", L"def"), L"def");
    EXPECT_EQ(reg.ReadString(L"main", L"Dword", L"def"), L"def");
    EXPECT_EQ(reg.ReadString(L"main", L"Missing", L"def"), L"def");
    EXPECT_TRUE(reg.WriteString(L"main", L"Long", longText));
    EXPECT_EQ(reg.ReadString(L"main", L"Long", L""), longText);
}

TEST_F(AppRegTest, WriteStringStoresTextWithItsTerminator)
{
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    ASSERT_TRUE(reg.WriteString(L"main", L"Name", L"hello"));
    ASSERT_TRUE(reg.OpenSubKey(L"main"));
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_TRUE(reg.QueryValueInfo(L"Name", type, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6 * sizeof(wchar_t));
}

TEST_F(AppRegTest, WritersReportAFailedWrite)
{
    // Value names are limited to 16383 characters; the registry refuses the write.
    const std::wstring tooLong(17000, L'v');
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    EXPECT_FALSE(reg.WriteString(L"main", tooLong, L"x"));
    EXPECT_FALSE(reg.WriteInt(L"main", tooLong, 5));
    EXPECT_FALSE(reg.WriteBool(L"main", tooLong, true));
    // A section name longer than 255 characters cannot be created.
    EXPECT_FALSE(reg.WriteString(std::wstring(300, L's'), L"Name", L"x"));
    EXPECT_EQ(reg.ReadString(std::wstring(300, L's'), L"Name", L"def"), L"def");
}

TEST_F(AppRegTest, ReadIntNormalisesStoredText)
{
    const struct {
        const wchar_t* stored; // nullptr: no value
        long long expected;
    } cases[] = {
        {L" 1,500 ", 1500},
        {L"-20", -20},
        {L"+7", 7},
        {L"12px", 0},
        {L"abc", 0},
        {L"1 000", 0},
        {L"-", 0},
        {L"--5", 0},
        {L"+-5", 0},
        {L"\t42\t", 42},
        {L"1,2,3,4", 1234},
        {L"9223372036854775807", LLONG_MAX},
        {L"-9223372036854775808", LLONG_MIN},
        {L"99999999999999999999", LLONG_MAX},
        {L"-99999999999999999999", LLONG_MIN},
        {L"", -1}, // an empty text reads as the default
        {nullptr, -1},
    };
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    for (const auto& c : cases) {
        if (c.stored != nullptr)
            SetText(L"main", L"Number", c.stored);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\main").c_str(), L"Number");
        EXPECT_EQ(reg.ReadInt(L"main", L"Number", -1), c.expected)
            << "stored " << testing::PrintToString(c.stored ? c.stored : L"(none)");
    }
    SetDword(L"main", L"Dword", 9);
    EXPECT_EQ(reg.ReadInt(L"main", L"Dword", -1), -1);
}

TEST_F(AppRegTest, IntegersRoundTripWithAll64Bits)
{
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    for (const long long value : {0LL, -1LL, -5000000000LL, 5000000000LL, LLONG_MIN, LLONG_MAX}) {
        ASSERT_TRUE(reg.WriteInt(L"main", L"Big", value));
        EXPECT_EQ(reg.ReadInt(L"main", L"Big", 0), value);
    }
    ASSERT_TRUE(reg.WriteInt(L"main", L"Big", -5000000000LL));
    EXPECT_EQ(reg.ReadString(L"main", L"Big", L""), L"-5000000000");
    // A missing value reads as the whole default, not its low 32 bits.
    EXPECT_EQ(reg.ReadInt(L"main", L"Missing", 5000000000LL), 5000000000LL);
    EXPECT_EQ(reg.ReadInt(L"main", L"Missing", -5000000000LL), -5000000000LL);
}

TEST_F(AppRegTest, ReadBoolCountsOnlyDwordValues)
{
    const DWORD zero = 0;
    const DWORD seven = 7;
    const unsigned char fourBytes[] = {1, 0, 0, 0};
    SetRaw(L"main", L"Zero", REG_DWORD, &zero, sizeof(zero));
    SetRaw(L"main", L"Seven", REG_DWORD, &seven, sizeof(seven));
    SetText(L"main", L"Text", L"0");
    SetRaw(L"main", L"Binary", REG_BINARY, fourBytes, sizeof(fourBytes));
    const unsigned long long wide = 0;
    SetRaw(L"main", L"Qword", REG_QWORD, &wide, sizeof(wide));

    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    for (const bool defaultValue : {false, true}) {
        EXPECT_FALSE(reg.ReadBool(L"main", L"Zero", defaultValue));
        EXPECT_TRUE(reg.ReadBool(L"main", L"Seven", defaultValue));
        EXPECT_EQ(reg.ReadBool(L"main", L"Text", defaultValue), defaultValue);
        EXPECT_EQ(reg.ReadBool(L"main", L"Binary", defaultValue), defaultValue);
        EXPECT_EQ(reg.ReadBool(L"main", L"Qword", defaultValue), defaultValue);
        EXPECT_EQ(reg.ReadBool(L"main", L"Missing", defaultValue), defaultValue);
    }

    ASSERT_TRUE(reg.WriteBool(L"main", L"Written", true));
    ASSERT_TRUE(reg.OpenSubKey(L"main"));
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_TRUE(reg.QueryValueInfo(L"Written", type, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
}

TEST_F(AppRegTest, DeleteValueNamesTheUnnamedValueDefault)
{
    SetText(L"main", L"", L"unnamed");
    SetText(L"main", L"Named", L"x");
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    EXPECT_TRUE(reg.DeleteSectionValue(L"main", L"(Default)"));
    EXPECT_FALSE(ValueExists(L"main", L""));
    EXPECT_TRUE(ValueExists(L"main", L"Named"));
    EXPECT_FALSE(reg.DeleteSectionValue(L"main", L"(Default)"));

    ASSERT_TRUE(reg.OpenSubKey(L"main"));
    EXPECT_TRUE(reg.DeleteValue(L"Named"));
    EXPECT_FALSE(ValueExists(L"main", L"Named"));
    EXPECT_FALSE(reg.DeleteValue(L"Named"));
}

TEST_F(AppRegTest, ReadFontGivesDefaultsAndStoredValues)
{
    CAppReg reg;
    ASSERT_TRUE(reg.Open(GetRegistryName()));
    const tagFontDesc defaults = reg.ReadFont(L"main");
    EXPECT_EQ(defaults.faceName, L"Microsoft Sans Serif");
    EXPECT_EQ(defaults.weight, 400);
    EXPECT_EQ(defaults.size, 9);
    EXPECT_EQ(defaults.charSet, 1);
    EXPECT_EQ(defaults.color, 0u);

    SetText(L"main", L"FontName", L"Tahoma");
    SetText(L"main", L"FontWeitht", L"700");
    SetText(L"main", L"FontWeight", L"100"); // the correctly spelled name is not the one read
    SetText(L"main", L"FontSize", L"12");
    SetText(L"main", L"FontCharset", L"0");
    SetText(L"main", L"FontColor", L"255");
    const tagFontDesc stored = reg.ReadFont(L"main");
    EXPECT_EQ(stored.faceName, L"Tahoma");
    EXPECT_EQ(stored.weight, 700);
    EXPECT_EQ(stored.size, 12);
    EXPECT_EQ(stored.charSet, 0);
    EXPECT_EQ(stored.color, RGB(255, 0, 0));
}

// Class keys for GetIconLocation. Wine 8 does not merge HKCU\Software\Classes
// into HKEY_CLASSES_ROOT as Windows does, so the test classes are written to
// HKEY_CLASSES_ROOT itself (the machine's classes of the private prefix) and
// removed again.
class IconLocationTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kExtensions[] = {L".tavreltest1", L".tavreltest2", L".tavreltest3", L".tavreltest4",
                                                     L".tavreltest5", L".tavreltest6", L".tavreltest7"};

    void SetUp() override
    {
        RemoveClasses();
        Register(L".tavreltest1", L"Tavrel.Test1");
        SetDefault(L"Tavrel.Test1\\DefaultIcon", L"C:\\Windows\\notepad.exe,-2");
        Register(L".tavreltest2", L"Tavrel.Test2");
        SetDefault(L"Tavrel.Test2\\shell\\open\\command", L"\"C:\\Tools\\App.EXE\" %1");
        Register(L".tavreltest3", L"Tavrel.Test3");
        SetDefault(L"Tavrel.Test3\\DefaultIcon", L"");
        SetDefault(L"Tavrel.Test3\\shell\\open\\command", L"C:\\Tools\\Other.exe %1");
        Register(L".tavreltest4", L"Tavrel.Test4");
        SetDefault(L"Tavrel.Test4\\DefaultIcon", L"C:\\Icons\\one.ico");
        Register(L".tavreltest5", L"Tavrel.Test5");
        SetDefault(L"Tavrel.Test5\\shell\\open\\command", L"a.exe %1");
        Register(L".tavreltest6", L"Tavrel.Test6");
        SetDefault(L"Tavrel.Test6\\DefaultIcon", L"%SystemRoot%\\x.dll, 3", REG_EXPAND_SZ);
        Register(L".tavreltest7", L"Tavrel.Test7"); // a type without icon or command
    }
    void TearDown() override { RemoveClasses(); }

    static void RemoveClasses()
    {
        for (const wchar_t* extension : kExtensions) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, extension);
            const std::wstring type = std::wstring(L"Tavrel.Test") + extension[std::wcslen(extension) - 1];
            RegDeleteTreeW(HKEY_CLASSES_ROOT, type.c_str());
        }
    }
    static void SetDefault(const std::wstring& path, const std::wstring& value, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    static void Register(const std::wstring& extension, const std::wstring& type) { SetDefault(extension, type); }

    static std::wstring Shell32()
    {
        wchar_t buffer[MAX_PATH] = {};
        ExpandEnvironmentStringsW(L"%SystemRoot%\\System32\\shell32.dll", buffer, MAX_PATH);
        return buffer;
    }
    static std::wstring SystemRoot()
    {
        wchar_t buffer[MAX_PATH] = {};
        GetEnvironmentVariableW(L"SystemRoot", buffer, MAX_PATH);
        return buffer;
    }
};

TEST_F(IconLocationTest, FindsTheRegisteredIconOrProgram)
{
    const struct {
        std::wstring file;
        int result;
        std::wstring path;
        int index;
    } cases[] = {
        {L"letter.tavreltest1", 1, L"C:\\Windows\\notepad.exe", -2},
        {L"C:\\Data\\Report.TAVRELTEST2", 2, L"c:\\tools\\app.exe", 0}, // lower-cased, cut after ".exe"
        {L"empty-icon.tavreltest3", 1, Shell32(), 0},                   // an empty DefaultIcon falls back
        {L"plain.tavreltest4", 1, L"C:\\Icons\\one.ico", 0},            // no index: the whole value is the file
        {L"short.tavreltest5", 1, Shell32(), 0},                        // ".exe" too near the start
        {L"expand.tavreltest6", 1, SystemRoot() + L"\\x.dll", 3},
        {L"bare.tavreltest7", 1, Shell32(), 0},
        {L"", 1, Shell32(), 0},
        {L"unknown.tavrelnothing", 0, L"unchanged", 7},
        {L"tavrelnodot", 0, L"unchanged", 7},
    };
    for (const auto& c : cases) {
        std::wstring path = L"unchanged";
        int index = 7;
        EXPECT_EQ(GetIconLocation(c.file, path, index), c.result) << testing::PrintToString(c.file);
        EXPECT_EQ(path, c.path) << testing::PrintToString(c.file);
        EXPECT_EQ(index, c.index) << testing::PrintToString(c.file);
    }
}

TEST_F(IconLocationTest, ShortcutsGiveTheirOwnIconLocation)
{
    // Wine's shortcut class has neither DefaultIcon nor an open command, so the
    // look-up reaches the shortcut itself.
    testing_support::TempFolder folder;
    const std::wstring linkFile = folder.File(L"Tool.LNK");
    {
        CComPtr<IShellLinkW> link;
        ASSERT_TRUE(SUCCEEDED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())));
        link->SetPath(L"C:\\windows\\notepad.exe");
        link->SetIconLocation(L"C:\\Icons\\tool.ico", 4);
        CComPtr<IPersistFile> file;
        ASSERT_TRUE(SUCCEEDED(link.QueryInterface(file)));
        ASSERT_TRUE(SUCCEEDED(file->Save(linkFile.c_str(), TRUE)));
    }
    std::wstring path;
    int index = 0;
    EXPECT_EQ(CAppReg::GetIconLocation(linkFile, path, index), 1);
    EXPECT_EQ(path, L"C:\\Icons\\tool.ico");
    EXPECT_EQ(index, 4);

    // A shortcut without an icon location falls back to shell32.dll.
    const std::wstring plainLink = folder.File(L"Plain.lnk");
    {
        CComPtr<IShellLinkW> link;
        ASSERT_TRUE(SUCCEEDED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())));
        link->SetPath(L"C:\\windows\\notepad.exe");
        CComPtr<IPersistFile> file;
        ASSERT_TRUE(SUCCEEDED(link.QueryInterface(file)));
        ASSERT_TRUE(SUCCEEDED(file->Save(plainLink.c_str(), TRUE)));
    }
    EXPECT_EQ(GetIconLocation(plainLink, path, index), 1);
    EXPECT_EQ(path, Shell32());
    EXPECT_EQ(index, 0);
}

} // namespace
