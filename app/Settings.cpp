#include "app/Settings.h"

#include <type_traits>

namespace {

// Reads with a freshly opened application key. When the key cannot be
// opened (the failure has been shown), the reader's default stands and
// nothing is read from or created below the bare root.
template <class Result, class Work> Result WithAppKey(Result fallback, Work work)
{
    CAppReg reg;
    if (!reg.Open(GetRegistryName()))
        return fallback;
    return work(reg);
}

std::wstring ColorDefaultText(const ColorSetting& setting)
{
    switch (setting.sidebarSysColor) {
    case -1:
        return std::to_wstring(setting.defaultValue);
    case COLOR_BTNTEXT:
        return L"per reader; sidebar: the system button-text colour";
    case COLOR_BTNHIGHLIGHT:
        return L"per reader; sidebar: the system button-highlight colour";
    default:
        return L"per reader; sidebar: system colour " + std::to_wstring(setting.sidebarSysColor);
    }
}

} // namespace

SettingInfo DescribeSetting(const AnySetting& setting)
{
    return std::visit(
        [](auto* s) -> SettingInfo {
            using T = std::remove_cvref_t<decltype(*s)>;
            if constexpr (std::is_same_v<T, IntSetting>)
                return {s->section, s->name, SettingKind::Number, std::to_wstring(s->defaultValue)};
            else if constexpr (std::is_same_v<T, BoolSetting>)
                return {s->section, s->name, SettingKind::Flag, s->defaultValue ? L"1" : L"0"};
            else if constexpr (std::is_same_v<T, StringSetting>)
                return {s->section, s->name, s->kind, s->defaultValue};
            else
                return {s->section, s->name, SettingKind::Colour, ColorDefaultText(*s)};
        },
        setting);
}

long long ReadSetting(const IntSetting& setting)
{
    const long long value = WithAppKey(setting.defaultValue, [&](CAppReg& reg) {
        return reg.ReadInt(setting.section, setting.name, setting.defaultValue);
    });
    return value > setting.upperLimit ? setting.replacement : value;
}

bool ReadSetting(const BoolSetting& setting)
{
    return WithAppKey(setting.defaultValue,
                      [&](CAppReg& reg) { return reg.ReadBool(setting.section, setting.name, setting.defaultValue); });
}

std::wstring ReadSetting(const StringSetting& setting)
{
    const std::wstring fallback = setting.defaultValue;
    return WithAppKey(fallback, [&](CAppReg& reg) { return reg.ReadString(setting.section, setting.name, fallback); });
}

COLORREF ReadSetting(const ColorSetting& setting, COLORREF fallback)
{
    return WithAppKey(fallback, [&](CAppReg& reg) {
        return static_cast<COLORREF>(reg.ReadInt(setting.section, setting.name, fallback));
    });
}

COLORREF ReadSetting(const ColorSetting& setting)
{
    return ReadSetting(setting, SidebarDefault(setting));
}

tagFontDesc ReadSetting(const FontSetting& setting)
{
    return WithAppKey(CAppReg::DefaultFont(), [&](CAppReg& reg) { return reg.ReadFont(setting.section); });
}

COLORREF SidebarDefault(const ColorSetting& setting)
{
    return setting.sidebarSysColor == -1 ? setting.defaultValue : GetSysColor(setting.sidebarSysColor);
}

bool WriteSetting(const IntSetting& setting, long long value)
{
    return WithAppKey(false, [&](CAppReg& reg) { return reg.WriteInt(setting.section, setting.name, value); });
}

bool WriteSetting(const BoolSetting& setting, bool value)
{
    return WithAppKey(false, [&](CAppReg& reg) { return reg.WriteBool(setting.section, setting.name, value); });
}

bool WriteSetting(const StringSetting& setting, const std::wstring& value)
{
    return WithAppKey(false, [&](CAppReg& reg) { return reg.WriteString(setting.section, setting.name, value); });
}

bool WriteSetting(const ColorSetting& setting, COLORREF value)
{
    return WithAppKey(false, [&](CAppReg& reg) {
        return reg.WriteInt(setting.section, setting.name, static_cast<long long>(value));
    });
}
