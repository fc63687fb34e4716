#include "app/CAppReg.h"

#include <climits>
#include <utility>

#include "app/ErrorBoxes.h"
#include "app/IconLocation.h"
#include "app/ResourceStrings.h"
#include "app/SystemHelpers.h"
#include "framework/CException.h"
#include "resources/ResourceIds.h"

namespace {

// Reads a value's raw data as UTF-16 units (an odd last byte is dropped).
// Registry text need not carry a terminator, so the result holds exactly
// what was stored; the buffer is sized from the answer, and a value that
// grows between the two questions is asked for again.
bool ReadRawValue(HKEY key, const std::wstring& name, DWORD& type, std::wstring& data)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return false;
        std::wstring buffer((size + 1) / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return false;
        buffer.resize(got / sizeof(wchar_t));
        data = std::move(buffer);
        return true;
    }
    return false;
}

std::wstring UpToFirstZero(const std::wstring& data)
{
    return data.substr(0, data.find(L'\0'));
}

std::wstring ExpandEnvironment(const std::wstring& text)
{
    DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 4 && needed != 0; ++attempt) {
        std::wstring buffer(needed, L'\0');
        const DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed);
        if (written == 0)
            break;
        if (written <= needed) {
            buffer.resize(written - 1); // the count includes the terminator
            return buffer;
        }
        needed = written;
    }
    return text;
}

// Every string of a multi-string value followed by one blank. The list ends
// at an empty string or at the end of the data, terminated or not.
std::wstring JoinMultiString(const std::wstring& data)
{
    std::wstring result;
    size_t start = 0;
    while (start < data.size()) {
        const size_t zero = data.find(L'\0', start);
        const size_t end = zero == std::wstring::npos ? data.size() : zero;
        if (end == start)
            break;
        result.append(data, start, end - start);
        result.push_back(L' ');
        start = end + 1;
    }
    return result;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Value names and defaults of the font a section describes.
constexpr const wchar_t* kFontName = L"FontName";
constexpr const wchar_t* kFontWeight = L"FontWeitht"; // the stored name is spelled so
constexpr const wchar_t* kFontSize = L"FontSize";
constexpr const wchar_t* kFontCharset = L"FontCharset";
constexpr const wchar_t* kFontColor = L"FontColor";
constexpr const wchar_t* kDefaultFontName = L"Microsoft Sans Serif";
constexpr int kDefaultFontWeight = 400;
constexpr int kDefaultFontSize = 9;
constexpr int kDefaultFontCharset = 1;
constexpr COLORREF kDefaultFontColor = 0;

// The current key of a CAppReg during a typed operation; the previous key
// comes back on every way out, exceptions included.
class CCurrentKeySwap {
public:
    CCurrentKeySwap(HKEY& current, HKEY replacement) : m_current(current), m_previous(current)
    {
        m_current = replacement;
    }
    CCurrentKeySwap(const CCurrentKeySwap&) = delete;
    CCurrentKeySwap& operator=(const CCurrentKeySwap&) = delete;
    ~CCurrentKeySwap() { m_current = m_previous; }

private:
    HKEY& m_current;
    HKEY m_previous;
};

} // namespace

CAppReg::~CAppReg()
{
    ReleaseCurrent();
}

bool CAppReg::IsPredefinedKey(HKEY key)
{
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
    return value >= first && value <= first + 0xFF;
}

void CAppReg::ReleaseCurrent()
{
    if (m_ownsCurrent && m_current != nullptr && !IsPredefinedKey(m_current))
        RegCloseKey(m_current);
    m_ownsCurrent = false;
}

std::atomic<bool> CAppReg::s_openFailureShown{false};

void CAppReg::ForgetShownOpenFailure()
{
    s_openFailureShown = false;
}

bool CAppReg::Open(const std::wstring& appName)
{
    m_root = HKEY_CURRENT_USER;
    ReleaseCurrent();
    m_current = m_root;

    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(m_root, (L"software\\" + appName).c_str(), 0, nullptr, 0, kWriteAccess, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        // Settings are read where they are used, the sidebar's at every
        // paint: the failure is shown once per run, and the readers' defaults
        // stand from then on.
        if (!s_openFailureShown.exchange(true)) {
            SetLastError(static_cast<DWORD>(status));
            ShowLastError(true);
        }
        return false;
    }
    m_current = key;
    m_ownsCurrent = true;
    return true;
}

HKEY CAppReg::SetRoot(HKEY root)
{
    return std::exchange(m_root, root);
}

bool CAppReg::OpenSubKey(const std::wstring& path)
{
    const HKEY parent = m_current != nullptr ? m_current : m_root;
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, kWriteAccess, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    ReleaseCurrent();
    m_current = key;
    m_ownsCurrent = true;
    return true;
}

CRegKeyHandle CAppReg::OpenKeyReadOnly(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, READ_CONTROL | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return CRegKeyHandle();
    return CRegKeyHandle(key);
}

void CAppReg::CloseKey(HKEY key)
{
    if (key != m_current && key != nullptr && !IsPredefinedKey(key))
        RegCloseKey(key);
    ReleaseCurrent();
    m_current = m_root;
}

bool CAppReg::QueryValueInfo(const std::wstring& name, DWORD& type, DWORD& size) const
{
    type = REG_NONE;
    size = 0;
    return RegQueryValueExW(m_current, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

std::wstring CAppReg::QueryString(const std::wstring& name, const std::wstring& defaultValue) const
{
    return QueryKeyString(m_current, name, defaultValue);
}

std::wstring CAppReg::QueryKeyString(HKEY key, const std::wstring& name, const std::wstring& defaultValue)
{
    DWORD type = REG_NONE;
    std::wstring data;
    if (!ReadRawValue(key, name, type, data))
        return defaultValue;
    switch (type) {
    case REG_SZ:
        return UpToFirstZero(data);
    case REG_EXPAND_SZ:
        return ExpandEnvironment(UpToFirstZero(data));
    case REG_MULTI_SZ:
        return JoinMultiString(data);
    default:
        return defaultValue;
    }
}

template <class Result, class Work> Result CAppReg::InSection(const std::wstring& section, Result fallback, Work work)
{
    const HKEY parent = m_current != nullptr ? m_current : m_root;
    HKEY raw = nullptr;
    if (RegCreateKeyExW(parent, section.c_str(), 0, nullptr, 0, kWriteAccess, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return fallback;
    const CRegKeyHandle sectionKey(raw);
    const CCurrentKeySwap swap(m_current, sectionKey.Get());
    try {
        return work();
    } catch (const CException&) {
        return fallback;
    }
}

std::wstring CAppReg::ReadString(const std::wstring& section, const std::wstring& name,
                                 const std::wstring& defaultValue)
{
    return InSection(section, defaultValue, [&] {
        std::wstring text = QueryString(name, defaultValue);
        return text.empty() ? defaultValue : text;
    });
}

bool CAppReg::WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& text)
{
    return InSection(section, false, [&] {
        const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(m_current, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
               ERROR_SUCCESS;
    });
}

long long CAppReg::NormalizeNumber(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;

    bool negative = false;
    if (begin < end && text[begin] == L'-') {
        negative = true;
        ++begin;
    } else if (begin < end && text[begin] == L'+') {
        ++begin;
    }

    // Accumulated as a magnitude so that the most negative number fits.
    constexpr unsigned long long kLimit = static_cast<unsigned long long>(LLONG_MAX) + 1;
    unsigned long long magnitude = 0;
    for (size_t i = begin; i < end; ++i) {
        const wchar_t c = text[i];
        if (c == L',')
            continue;
        if (c < L'0' || c > L'9')
            return 0;
        const unsigned digit = static_cast<unsigned>(c - L'0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    if (negative)
        return magnitude >= kLimit ? LLONG_MIN : -static_cast<long long>(magnitude);
    return magnitude >= kLimit ? LLONG_MAX : static_cast<long long>(magnitude);
}

long long CAppReg::ReadInt(const std::wstring& section, const std::wstring& name, long long defaultValue)
{
    // The default goes through the same conversion as stored text, so a
    // missing value reads exactly as the default (all 64 bits of it).
    return NormalizeNumber(ReadString(section, name, std::to_wstring(defaultValue)));
}

bool CAppReg::WriteInt(const std::wstring& section, const std::wstring& name, long long value)
{
    return WriteString(section, name, std::to_wstring(value));
}

bool CAppReg::ReadBool(const std::wstring& section, const std::wstring& name, bool defaultValue)
{
    return InSection(section, defaultValue, [&] {
        DWORD type = REG_NONE;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegQueryValueExW(m_current, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(value))
            return defaultValue;
        return value != 0;
    });
}

bool CAppReg::WriteBool(const std::wstring& section, const std::wstring& name, bool value)
{
    return InSection(section, false, [&] {
        const DWORD data = value ? 1 : 0;
        return RegSetValueExW(m_current, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof(data)) == ERROR_SUCCESS;
    });
}

bool CAppReg::DeleteValue(const std::wstring& name)
{
    const wchar_t* valueName = name == L"(Default)" ? nullptr : name.c_str();
    return RegDeleteValueW(m_current, valueName) == ERROR_SUCCESS;
}

bool CAppReg::DeleteSectionValue(const std::wstring& section, const std::wstring& name)
{
    return InSection(section, false, [&] { return DeleteValue(name); });
}

tagFontDesc CAppReg::DefaultFont()
{
    return {kDefaultFontName, kDefaultFontWeight, kDefaultFontCharset, kDefaultFontSize, kDefaultFontColor};
}

tagFontDesc CAppReg::ReadFont(const std::wstring& section)
{
    return InSection(section, DefaultFont(), [&] {
        try {
            tagFontDesc font;
            font.faceName = QueryString(kFontName, kDefaultFontName);
            if (font.faceName.empty())
                font.faceName = kDefaultFontName;
            const auto number = [&](const wchar_t* name, long long defaultValue) {
                const std::wstring text = QueryString(name, L"");
                return text.empty() ? defaultValue : NormalizeNumber(text);
            };
            font.weight = static_cast<int>(number(kFontWeight, kDefaultFontWeight));
            font.size = static_cast<int>(number(kFontSize, kDefaultFontSize));
            font.charSet = static_cast<int>(number(kFontCharset, kDefaultFontCharset));
            font.color = static_cast<COLORREF>(number(kFontColor, kDefaultFontColor));
            return font;
        } catch (const CException& exception) {
            ShowExceptionError(&exception, L"30981");
            return DefaultFont();
        }
    });
}

int CAppReg::GetIconLocation(const std::wstring& fileName, std::wstring& path, int& index)
{
    return ::GetIconLocation(fileName, path, index);
}

std::wstring GetRegistryName()
{
    return L"Tavrel\\" + LoadScrambledString(IDS_REGISTRY_NAME, ScrambleGroup::Group1);
}
