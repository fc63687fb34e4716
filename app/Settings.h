#pragma once
#include <windows.h>

#include <climits>
#include <string>
#include <variant>

#include "app/CAppReg.h"

// Every setting of the program with its section, stored name, type and
// default. Code reads and writes settings through these descriptors, never
// through loose names. Each read or write opens the application key for that
// moment; nothing is cached, so a value written anywhere is seen by the next
// reader.

inline constexpr const wchar_t* kMainSection = L"main";
inline constexpr const wchar_t* kSkinSection = L"Skin";
// Its values belong to the multi-rename tool.
inline constexpr const wchar_t* kMultiRenameSection = L"MultiRenameOption";

// How a setting is stored and what it holds.
enum class SettingKind {
    Text,   // REG_SZ text
    Number, // REG_SZ decimal text
    Flag,   // REG_DWORD 0 or 1
    Colour, // REG_SZ decimal text of a 0x00BBGGRR value
    Path,   // REG_SZ path
};

// A number stored as decimal text. A stored value above upperLimit reads as
// replacement.
struct IntSetting {
    const wchar_t* section;
    const wchar_t* name;
    long long defaultValue;
    long long upperLimit = LLONG_MAX;
    long long replacement = 0;
};

// A flag stored as REG_DWORD; a value of any other type reads as the default.
struct BoolSetting {
    const wchar_t* section;
    const wchar_t* name;
    bool defaultValue;
};

// A text; an empty or missing value reads as the default.
struct StringSetting {
    const wchar_t* section;
    const wchar_t* name;
    const wchar_t* defaultValue;
    SettingKind kind = SettingKind::Text; // Text or Path
};

// A colour stored as decimal text. Most readers pass their own default; the
// sidebar's default is the system colour sidebarSysColor, or defaultValue
// when that is -1.
struct ColorSetting {
    const wchar_t* section;
    const wchar_t* name;
    COLORREF defaultValue = 0;
    int sidebarSysColor = -1;
};

// The caption-strip font: FontName, FontWeitht, FontSize, FontCharset and
// FontColor of the section, read together by CAppReg::ReadFont.
struct FontSetting {
    const wchar_t* section;
};

// Section main.
inline constexpr IntSetting kHideWndX{kMainSection, L"HideWndX", -1};
inline constexpr IntSetting kPopupSideBarWndTime{kMainSection, L"PopupSideBarWndTime", 0};
inline constexpr IntSetting kHideWndDelayTime{kMainSection, L"HideWndDelayTime", 500, 2000, 500};
inline constexpr BoolSetting kSideBarWinPos{kMainSection, L"SideBarWinPos", true}; // true: right edge
inline constexpr IntSetting kDefaultFWW{kMainSection, L"DefaultFWW", 800};
inline constexpr IntSetting kDefaultFWH{kMainSection, L"DefaultFWH", 630};
inline constexpr IntSetting kShowFloatViewTime{kMainSection, L"ShowFloatViewTime", 1000};
inline constexpr IntSetting kSideBarBtnHeight{kMainSection, L"SideBarBtnHeight", 50};
inline constexpr IntSetting kSideBarBtnWidth{kMainSection, L"SideBarBtnWidth", 254};
inline constexpr IntSetting kSideBarBtnIconHeight{kMainSection, L"SideBarBtnIconHeight", 32};
inline constexpr IntSetting kSideBarBtnIconWidth{kMainSection, L"SideBarBtnIconWidth", 32};
inline constexpr IntSetting kAutoHideSbtnWndTimer{kMainSection, L"AutoHideSbtnWndTimer", 3};
inline constexpr BoolSetting kOpenWith{kMainSection, L"OpenWith", true}; // true: the system's file browser
inline constexpr IntSetting kThumbnailSize{kMainSection, L"ThumbnailSize", 100};
inline constexpr IntSetting kShellIconSize{kMainSection, L"ShellIconSize", 32};
inline constexpr BoolSetting kShowHide{kMainSection, L"ShowHide", true};
inline constexpr BoolSetting kShowRemoteShare{kMainSection, L"ShowRemoteShare", true};
inline constexpr BoolSetting kShowLinkIcon{kMainSection, L"ShowLinkIcon", true};
inline constexpr StringSetting kSHPaths{kMainSection, L"SHPaths", L""};
inline constexpr StringSetting kFileNameMacroList{kMainSection, L"FileNameMacroList", L""};
inline constexpr StringSetting kRenameSetList{kMainSection, L"RenameSetList", L""};
inline constexpr StringSetting kSearchBoxList{kMainSection, L"SearchBoxList", L""};
inline constexpr FontSetting kCaptionFont{kMainSection};

// Section Skin.
inline constexpr ColorSetting kTextColor{kSkinSection, L"TextColor", 0, COLOR_BTNTEXT};
inline constexpr ColorSetting kHotTextColor{kSkinSection, L"HotTextColor", 0, COLOR_BTNHIGHLIGHT};
inline constexpr ColorSetting kSelectedTextColor{kSkinSection, L"SelectedTextColor", 0, COLOR_BTNHIGHLIGHT};
inline constexpr ColorSetting kBkColor{kSkinSection, L"BkColor", 0};
inline constexpr StringSetting kSBarBkImg{kSkinSection, L"SBarBkImg", L"", SettingKind::Path};
inline constexpr StringSetting kWndBkImg{kSkinSection, L"WndBkImg", L"", SettingKind::Path};
inline constexpr StringSetting kSkinPath{kSkinSection, L"SkinPath", L"\\Skin\\Default", SettingKind::Path};
inline constexpr IntSetting kSBFSize{kSkinSection, L"SBFSize", 9};
inline constexpr IntSetting kSBFWeight{kSkinSection, L"SBFWeight", 400};
inline constexpr StringSetting kSBFName{kSkinSection, L"SBFName", L"Microsoft Sans Serif"};
inline constexpr IntSetting kSBFCharset{kSkinSection, L"SBFCharset", 1};

using AnySetting = std::variant<const IntSetting*, const BoolSetting*, const StringSetting*, const ColorSetting*>;

// Every setting of the sections main and Skin except the font values, which
// kCaptionFont covers.
inline constexpr AnySetting kAllSettings[] = {
    &kHideWndX,
    &kPopupSideBarWndTime,
    &kHideWndDelayTime,
    &kSideBarWinPos,
    &kDefaultFWW,
    &kDefaultFWH,
    &kShowFloatViewTime,
    &kSideBarBtnHeight,
    &kSideBarBtnWidth,
    &kSideBarBtnIconHeight,
    &kSideBarBtnIconWidth,
    &kAutoHideSbtnWndTimer,
    &kOpenWith,
    &kThumbnailSize,
    &kShellIconSize,
    &kShowHide,
    &kShowRemoteShare,
    &kShowLinkIcon,
    &kSHPaths,
    &kFileNameMacroList,
    &kRenameSetList,
    &kSearchBoxList,
    &kTextColor,
    &kHotTextColor,
    &kSelectedTextColor,
    &kBkColor,
    &kSBarBkImg,
    &kWndBkImg,
    &kSkinPath,
    &kSBFSize,
    &kSBFWeight,
    &kSBFName,
    &kSBFCharset,
};

// A setting described for people: where it lives, what it holds and its
// default as text ("per reader; sidebar: ..." for the per-reader colours).
struct SettingInfo {
    std::wstring section;
    std::wstring name;
    SettingKind kind;
    std::wstring defaultText;
};
SettingInfo DescribeSetting(const AnySetting& setting);

long long ReadSetting(const IntSetting& setting);
bool ReadSetting(const BoolSetting& setting);
std::wstring ReadSetting(const StringSetting& setting);
// With the reader's own default.
COLORREF ReadSetting(const ColorSetting& setting, COLORREF fallback);
// With the sidebar's default.
COLORREF ReadSetting(const ColorSetting& setting);
tagFontDesc ReadSetting(const FontSetting& setting);

// The sidebar's default of a colour: its system colour, or its fixed default.
COLORREF SidebarDefault(const ColorSetting& setting);

// Each returns true when the value was stored.
bool WriteSetting(const IntSetting& setting, long long value);
bool WriteSetting(const BoolSetting& setting, bool value);
bool WriteSetting(const StringSetting& setting, const std::wstring& value);
bool WriteSetting(const ColorSetting& setting, COLORREF value);
