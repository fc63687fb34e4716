#include "app/Settings.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "app/CAppReg.h"
#include "harness/CleanAppKeyTest.h"

namespace {

const std::wstring kAppKeyPath = L"Software\\" + GetRegistryName();

class SettingsTest : public testing_support::CleanAppKeyTest {
protected:
    static void SetText(const wchar_t* section, const wchar_t* name, const std::wstring& text)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\" + section).c_str(), name, REG_SZ,
                                  text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    static void SetDword(const wchar_t* section, const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\" + section).c_str(), name, REG_DWORD, &value,
                                  sizeof(value)),
                  ERROR_SUCCESS);
    }
    // The stored value as (type, text of REG_SZ or number of REG_DWORD).
    static std::pair<DWORD, std::wstring> Stored(const wchar_t* section, const wchar_t* name)
    {
        BYTE data[512] = {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, (kAppKeyPath + L"\\" + section).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND,
                         &type, data, &size) != ERROR_SUCCESS)
            return {REG_NONE, L""};
        if (type == REG_DWORD)
            return {type, std::to_wstring(*reinterpret_cast<DWORD*>(data))};
        return {type, reinterpret_cast<const wchar_t*>(data)};
    }

    struct KeyContents {
        std::set<std::wstring> subkeys;
        DWORD values = 0;
    };
    static KeyContents Contents(const std::wstring& path)
    {
        KeyContents contents;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return contents;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            contents.subkeys.insert(name);
        }
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &contents.values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        return contents;
    }
};

TEST_F(SettingsTest, EverySettingReadsItsDefaultAndReadingCreatesOnlyTheSectionKeys)
{
    std::set<std::wstring> names;
    for (const AnySetting& setting : kAllSettings) {
        const SettingInfo info = DescribeSetting(setting);
        EXPECT_TRUE(info.section == L"main" || info.section == L"Skin") << info.name;
        EXPECT_TRUE(names.insert(info.name).second) << "listed twice: " << info.name;
        std::visit(
            [&](auto* s) {
                using T = std::remove_cvref_t<decltype(*s)>;
                if constexpr (std::is_same_v<T, ColorSetting>)
                    EXPECT_EQ(ReadSetting(*s), SidebarDefault(*s)) << info.name;
                else if constexpr (std::is_same_v<T, StringSetting>)
                    EXPECT_EQ(ReadSetting(*s), s->defaultValue) << info.name;
                else
                    EXPECT_EQ(ReadSetting(*s), s->defaultValue) << info.name;
            },
            setting);
    }
    const tagFontDesc font = ReadSetting(kCaptionFont);
    EXPECT_EQ(font.faceName, L"Microsoft Sans Serif");
    EXPECT_EQ(font.weight, 400);

    const KeyContents app = Contents(kAppKeyPath);
    EXPECT_EQ(app.subkeys, (std::set<std::wstring>{L"main", L"Skin"}));
    EXPECT_EQ(app.values, 0u);
    for (const wchar_t* section : {L"main", L"Skin"}) {
        const KeyContents contents = Contents(kAppKeyPath + L"\\" + section);
        EXPECT_TRUE(contents.subkeys.empty()) << section;
        EXPECT_EQ(contents.values, 0u) << section;
    }
}

TEST_F(SettingsTest, DefaultsThatReadersDependOn)
{
    EXPECT_EQ(ReadSetting(kHideWndX), -1);
    EXPECT_EQ(ReadSetting(kHideWndDelayTime), 500);
    EXPECT_TRUE(ReadSetting(kSideBarWinPos));
    EXPECT_EQ(ReadSetting(kSideBarBtnWidth), 254);
    EXPECT_EQ(ReadSetting(kSkinPath), L"\\Skin\\Default");
    EXPECT_EQ(ReadSetting(kSBFName), L"Microsoft Sans Serif");
    EXPECT_EQ(ReadSetting(kTextColor), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(ReadSetting(kHotTextColor), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ReadSetting(kSelectedTextColor), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ReadSetting(kTextColor, RGB(1, 2, 3)), RGB(1, 2, 3)); // a reader's own default
    EXPECT_EQ(ReadSetting(kBkColor), 0u);
}

TEST_F(SettingsTest, HideDelayAbove2000ReadsAs500)
{
    const struct {
        const wchar_t* stored;
        long long expected;
    } cases[] = {{L"5000", 500}, {L"2001", 500}, {L"2000", 2000}, {L"0", 0}, {L"1,200", 1200}};
    for (const auto& c : cases) {
        SetText(kMainSection, L"HideWndDelayTime", c.stored);
        EXPECT_EQ(ReadSetting(kHideWndDelayTime), c.expected) << testing::PrintToString(c.stored);
    }
}

TEST_F(SettingsTest, StoredValuesOfTheWrongFormRead)
{
    SetText(kMainSection, L"SideBarWinPos", L"0"); // text, not a flag: the default
    EXPECT_TRUE(ReadSetting(kSideBarWinPos));
    SetDword(kMainSection, L"SideBarWinPos", 0);
    EXPECT_FALSE(ReadSetting(kSideBarWinPos));

    SetText(kMainSection, L"HideWndX", L"abc"); // not a number: 0, not the default
    EXPECT_EQ(ReadSetting(kHideWndX), 0);
    SetDword(kMainSection, L"HideWndX", 40); // a flag where text belongs: the default
    EXPECT_EQ(ReadSetting(kHideWndX), -1);
    SetText(kSkinSection, L"SkinPath", L"");
    EXPECT_EQ(ReadSetting(kSkinPath), L"\\Skin\\Default");
}

TEST_F(SettingsTest, WritesStoreTheTypeOfEachKindAndEveryReadSeesTheLatest)
{
    ASSERT_TRUE(WriteSetting(kHideWndX, -25));
    EXPECT_EQ(Stored(kMainSection, L"HideWndX"), std::make_pair(DWORD(REG_SZ), std::wstring(L"-25")));
    EXPECT_EQ(ReadSetting(kHideWndX), -25);

    ASSERT_TRUE(WriteSetting(kShowHide, false));
    EXPECT_EQ(Stored(kMainSection, L"ShowHide"), std::make_pair(DWORD(REG_DWORD), std::wstring(L"0")));
    EXPECT_FALSE(ReadSetting(kShowHide));

    ASSERT_TRUE(WriteSetting(kWndBkImg, L"C:\\Pictures\\back.jpg"));
    EXPECT_EQ(Stored(kSkinSection, L"WndBkImg"),
              std::make_pair(DWORD(REG_SZ), std::wstring(L"C:\\Pictures\\back.jpg")));

    ASSERT_TRUE(WriteSetting(kTextColor, RGB(0, 0, 255)));
    EXPECT_EQ(Stored(kSkinSection, L"TextColor"), std::make_pair(DWORD(REG_SZ), std::wstring(L"16711680")));
    EXPECT_EQ(ReadSetting(kTextColor, 0), RGB(0, 0, 255));

    // Nothing is cached: a value changed behind the store's back is read as it is now.
    SetText(kSkinSection, L"TextColor", L"255");
    EXPECT_EQ(ReadSetting(kTextColor, 0), RGB(255, 0, 0));
}

TEST_F(SettingsTest, CaptionFontReadsTheMainSection)
{
    SetText(kMainSection, L"FontName", L"Tahoma");
    SetText(kMainSection, L"FontSize", L"11");
    const tagFontDesc font = ReadSetting(kCaptionFont);
    EXPECT_EQ(font.faceName, L"Tahoma");
    EXPECT_EQ(font.size, 11);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charSet, 1);
}

} // namespace
