#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "framework/CObject.h"
#include "framework/Handles.h"

// A font as the settings store describes it: the caption-strip font and the
// like, read with CAppReg::ReadFont.
struct tagFontDesc {
    std::wstring faceName;
    int weight = 0;
    int charSet = 0;
    int size = 0;
    COLORREF color = 0;
};

// Access to the current user's registry. One object lives for one block of
// code: constructed (root and current key HKEY_CURRENT_USER), opened on the
// application key, used, destroyed. Nothing is cached between uses.
//
// The typed operations (Read*/Write*, DeleteSectionValue, ReadFont) open the
// named section below the current key, creating it when missing, work on it,
// close it and make the previous key current again, so several of them can
// follow one Open.
class CAppReg : public CObject {
public:
    // Access used for every key this class opens for writing.
    static constexpr REGSAM kWriteAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

    CAppReg() = default;
    ~CAppReg() override;
    CAppReg(const CAppReg&) = delete;
    CAppReg& operator=(const CAppReg&) = delete;

    // Makes HKEY_CURRENT_USER the root and opens (creating when missing)
    // software\<appName> below it as the current key. On failure the root
    // stays current; the first failure of the run shows the system's text
    // for the error in a box captioned "Error", later ones show nothing.
    bool Open(const std::wstring& appName);
    // Lets the next failure of Open be shown again (for tests).
    static void ForgetShownOpenFailure();

    // Replaces the root key (still owned by the caller); returns the previous one.
    HKEY SetRoot(HKEY root);

    // Opens (creating when missing) a path below the current key; the new key
    // becomes current. The current key is unchanged on failure.
    bool OpenSubKey(const std::wstring& path);

    // Opens an existing key for reading; empty when it does not exist.
    static CRegKeyHandle OpenKeyReadOnly(HKEY root, const std::wstring& path);

    // Closes the key (predefined roots are never closed) and makes the root
    // current. A key this object opened itself is closed too when it stops
    // being current, so nothing is left open.
    void CloseKey(HKEY key);

    // The type and size in bytes of a value of the current key.
    bool QueryValueInfo(const std::wstring& name, DWORD& type, DWORD& size) const;

    // A value of the current key as text: REG_SZ up to its first zero,
    // REG_EXPAND_SZ with its environment references expanded, REG_MULTI_SZ as
    // every string followed by one blank. Other types and missing values give
    // the default. An empty name addresses the unnamed value.
    std::wstring QueryString(const std::wstring& name, const std::wstring& defaultValue) const;
    // The same for any open key.
    static std::wstring QueryKeyString(HKEY key, const std::wstring& name, const std::wstring& defaultValue);

    // QueryString in the section; an empty result gives the default.
    std::wstring ReadString(const std::wstring& section, const std::wstring& name, const std::wstring& defaultValue);
    // Stores the text as REG_SZ; true when it was stored.
    bool WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& text);

    // Reads a number stored as decimal text (see NormalizeNumber). Text that
    // is not a number gives 0, not the default.
    long long ReadInt(const std::wstring& section, const std::wstring& name, long long defaultValue);
    // Stores the number as decimal text; true when it was stored.
    bool WriteInt(const std::wstring& section, const std::wstring& name, long long value);

    // Only a REG_DWORD counts: 0 is false, anything else true. Every other
    // case gives the default.
    bool ReadBool(const std::wstring& section, const std::wstring& name, bool defaultValue);
    // Stores the flag as REG_DWORD 0 or 1; true when it was stored.
    bool WriteBool(const std::wstring& section, const std::wstring& name, bool value);

    // Deletes a value of the current key; "(Default)" names the unnamed
    // value. True when a value was deleted.
    bool DeleteValue(const std::wstring& name);
    bool DeleteSectionValue(const std::wstring& section, const std::wstring& name);

    // The font values of the section with their defaults.
    tagFontDesc ReadFont(const std::wstring& section);
    // What ReadFont gives when nothing is stored: "Microsoft Sans Serif",
    // weight 400, size 9, character set 1, colour 0.
    static tagFontDesc DefaultFont();

    // The icon file and index registered for a file's type; see IconLocation.h.
    static int GetIconLocation(const std::wstring& fileName, std::wstring& path, int& index);

    HKEY GetRootKey() const { return m_root; }
    HKEY GetCurrentKey() const { return m_current; }

    // Converts stored number text: blanks trimmed, one leading "-" or "+",
    // digits with "," separators skipped. Anything else, or no digits, gives 0;
    // numbers beyond the 64-bit range are held at its ends.
    static long long NormalizeNumber(const std::wstring& text);

    // True for the predefined roots (HKEY_CURRENT_USER and the others), which
    // are never closed.
    static bool IsPredefinedKey(HKEY key);

private:
    template <class Result, class Work> Result InSection(const std::wstring& section, Result fallback, Work work);
    void ReleaseCurrent();

    static std::atomic<bool> s_openFailureShown;

    HKEY m_root = HKEY_CURRENT_USER;
    HKEY m_current = HKEY_CURRENT_USER;
    bool m_ownsCurrent = false; // the current key was opened by this object
};

// The second level of the application key: "Tavrel\" and the name held in
// string resource 211.
std::wstring GetRegistryName();
