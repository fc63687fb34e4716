// The settings as the documentation of the store lists them, written out
// literally (names, storage and defaults), against what the program reads
// from an empty registry.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <variant>

#include "app/Settings.h"
#include "framework/MessageBoxLayer.h"
#include "harness/CleanAppKeyTest.h"
#include "harness/TestHarness.h"

namespace {

enum class Stored { Text, Flag };

struct Documented {
    const wchar_t* section;
    const wchar_t* name;
    Stored stored;
    // The default as text; "sys:N" for the sidebar's system colour N.
    const wchar_t* defaultText;
};

const Documented kDocumented[] = {
    {L"main", L"HideWndX", Stored::Text, L"-1"},
    {L"main", L"PopupSideBarWndTime", Stored::Text, L"0"},
    {L"main", L"HideWndDelayTime", Stored::Text, L"500"},
    {L"main", L"SideBarWinPos", Stored::Flag, L"1"},
    {L"main", L"DefaultFWW", Stored::Text, L"800"},
    {L"main", L"DefaultFWH", Stored::Text, L"630"},
    {L"main", L"ShowFloatViewTime", Stored::Text, L"1000"},
    {L"main", L"SideBarBtnHeight", Stored::Text, L"50"},
    {L"main", L"SideBarBtnWidth", Stored::Text, L"254"},
    {L"main", L"SideBarBtnIconHeight", Stored::Text, L"32"},
    {L"main", L"SideBarBtnIconWidth", Stored::Text, L"32"},
    {L"main", L"AutoHideSbtnWndTimer", Stored::Text, L"3"},
    {L"main", L"OpenWith", Stored::Flag, L"1"},
    {L"main", L"ThumbnailSize", Stored::Text, L"100"},
    {L"main", L"ShellIconSize", Stored::Text, L"32"},
    {L"main", L"ShowHide", Stored::Flag, L"1"},
    {L"main", L"ShowRemoteShare", Stored::Flag, L"1"},
    {L"main", L"ShowLinkIcon", Stored::Flag, L"1"},
    {L"main", L"SHPaths", Stored::Text, L""},
    {L"main", L"FileNameMacroList", Stored::Text, L""},
    {L"main", L"RenameSetList", Stored::Text, L""},
    {L"main", L"SearchBoxList", Stored::Text, L""},
    {L"Skin", L"TextColor", Stored::Text, L"sys:18"},         // COLOR_BTNTEXT
    {L"Skin", L"HotTextColor", Stored::Text, L"sys:20"},      // COLOR_BTNHIGHLIGHT
    {L"Skin", L"SelectedTextColor", Stored::Text, L"sys:20"}, // COLOR_BTNHIGHLIGHT
    {L"Skin", L"BkColor", Stored::Text, L"0"},
    {L"Skin", L"SBarBkImg", Stored::Text, L""},
    {L"Skin", L"WndBkImg", Stored::Text, L""},
    {L"Skin", L"SkinPath", Stored::Text, L"\\Skin\\Default"},
    {L"Skin", L"SBFSize", Stored::Text, L"9"},
    {L"Skin", L"SBFWeight", Stored::Text, L"400"},
    {L"Skin", L"SBFName", Stored::Text, L"Microsoft Sans Serif"},
    {L"Skin", L"SBFCharset", Stored::Text, L"1"},
};

// What the program reads for the setting, as text.
std::wstring ReadAsText(const AnySetting& setting)
{
    return std::visit(
        [](auto* s) -> std::wstring {
            using T = std::remove_cvref_t<decltype(*s)>;
            if constexpr (std::is_same_v<T, BoolSetting>)
                return ReadSetting(*s) ? L"1" : L"0";
            else if constexpr (std::is_same_v<T, StringSetting>)
                return ReadSetting(*s);
            else
                return std::to_wstring(static_cast<long long>(ReadSetting(*s)));
        },
        setting);
}

std::wstring Expected(const Documented& documented)
{
    const std::wstring text = documented.defaultText;
    if (text.rfind(L"sys:", 0) == 0)
        return std::to_wstring(GetSysColor(std::stoi(text.substr(4))));
    return text;
}

class SettingsDefaultsTest : public testing_support::CleanAppKeyTest {};

} // namespace

TEST_F(SettingsDefaultsTest, EveryDocumentedSettingReadsItsDocumentedDefaultFromAnEmptyRegistry)
{
    ASSERT_EQ(std::size(kDocumented), std::size(kAllSettings)) << "a setting is missing on one side";
    for (const Documented& documented : kDocumented) {
        const AnySetting* found = nullptr;
        for (const AnySetting& setting : kAllSettings) {
            if (DescribeSetting(setting).name == documented.name)
                found = &setting;
        }
        ASSERT_NE(found, nullptr) << "not in the program's table: " << std::wstring(documented.name).c_str();
        const SettingInfo info = DescribeSetting(*found);
        EXPECT_EQ(info.section, documented.section) << info.name.c_str();
        EXPECT_EQ(info.kind == SettingKind::Flag, documented.stored == Stored::Flag) << info.name.c_str();
        EXPECT_EQ(ReadAsText(*found), Expected(documented)) << info.name.c_str();
    }
    // The caption-strip font of section main.
    const tagFontDesc font = ReadSetting(kCaptionFont);
    EXPECT_EQ(font.faceName, L"Microsoft Sans Serif");
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.size, 9);
    EXPECT_EQ(font.charSet, 1);
    EXPECT_EQ(font.color, 0u);
}

TEST(SettingsStore, AnApplicationKeyThatCannotBeOpenedIsReportedOncePerRun)
{
    testing_support::MessageBoxRecorder recorder;
    CAppReg::ForgetShownOpenFailure();
    // A key name longer than the registry allows can never be opened.
    const std::wstring unusable = L"Tavrel\\" + std::wstring(300, L'x');
    for (int i = 0; i < 20; ++i) {
        CAppReg reg;
        EXPECT_FALSE(reg.Open(unusable));
    }
    EXPECT_EQ(recorder.Count(), 1u);
    if (recorder.Count() == 1) {
        EXPECT_EQ(recorder.Last().caption, L"Error");
    }
    // A working key afterwards opens without any box.
    CAppReg reg;
    EXPECT_TRUE(reg.Open(GetRegistryName()));
    EXPECT_EQ(recorder.Count(), 1u);
    CAppReg::ForgetShownOpenFailure();
}
