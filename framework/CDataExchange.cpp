#include "framework/CDataExchange.h"

#include <climits>
#include <cwctype>

#include "framework/CDialog.h"
#include "framework/CException.h"
#include "framework/MessageBoxLayer.h"

namespace {

std::wstring ReplacePlaceholders(std::wstring text, const std::wstring& first, const std::wstring& second = {})
{
    const auto replace = [&text](const std::wstring& key, const std::wstring& value) {
        const size_t at = text.find(key);
        if (at != std::wstring::npos)
            text.replace(at, key.size(), value);
    };
    replace(L"%1", first);
    replace(L"%2", second);
    return text;
}

void Warn(CDataExchange* dx, const std::wstring& text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, dx->m_pDlgWnd->m_hWnd);
}

void ExchangeNumber(CDataExchange* dx, int id, long long& value, long long minimum, long long maximum)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseWholeNumber(WindowTextOf(control), minimum, maximum, parsed)) {
            Warn(dx, L"Please enter an integer.");
            dx->Fail();
        }
        value = parsed;
    } else {
        SetWindowTextW(control, std::to_wstring(value).c_str());
    }
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_hWndLastControl = control;
    m_bEditLastControl = false;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        throw CUserException();
    if (m_hWndLastControl != nullptr) {
        if (m_bEditLastControl) {
            SetFocus(m_hWndLastControl);
            SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
        } else {
            SetFocus(m_hWndLastControl);
        }
    }
    throw CUserException();
}

bool ParseWholeNumber(const std::wstring& text, long long minimum, long long maximum, long long& value)
{
    size_t at = 0;
    size_t end = text.size();
    while (at < end && std::iswspace(text[at]))
        ++at;
    while (end > at && std::iswspace(text[end - 1]))
        --end;
    bool negative = false;
    if (at < end && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    if (at == end)
        return false;
    unsigned long long magnitude = 0;
    for (; at < end; ++at) {
        const wchar_t c = text[at];
        if (c < L'0' || c > L'9')
            return false;
        if (magnitude > (ULLONG_MAX - 9) / 10)
            return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(c - L'0');
    }
    if (negative) {
        if (magnitude > static_cast<unsigned long long>(LLONG_MAX) + 1)
            return false;
        value = magnitude == static_cast<unsigned long long>(LLONG_MAX) + 1 ? LLONG_MIN
                                                                            : -static_cast<long long>(magnitude);
    } else {
        if (magnitude > static_cast<unsigned long long>(LLONG_MAX))
            return false;
        value = static_cast<long long>(magnitude);
    }
    return value >= minimum && value <= maximum;
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = WindowTextOf(control);
    } else {
        SetWindowTextW(control, value.c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    long long wide = value;
    ExchangeNumber(dx, id, wide, INT_MIN, INT_MAX);
    value = static_cast<int>(wide);
}

void DDX_Text(CDataExchange* dx, int id, long long& value)
{
    ExchangeNumber(dx, id, value, LLONG_MIN, LLONG_MAX);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars)
{
    if (dx->m_bSaveAndValidate) {
        if (value.size() > static_cast<size_t>(maxChars)) {
            Warn(dx, ReplacePlaceholders(L"Enter no more than %1 characters.", std::to_wstring(maxChars)));
            dx->Fail();
        }
    } else if (dx->LastControl() != nullptr) {
        SendMessageW(dx->LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum)
{
    if (dx->m_bSaveAndValidate && (value < minimum || value > maximum)) {
        Warn(dx, ReplacePlaceholders(L"Enter an integer between %1 and %2.", std::to_wstring(minimum),
                                     std::to_wstring(maximum)));
        dx->Fail();
    }
}
