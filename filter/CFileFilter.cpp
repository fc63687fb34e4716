#include "filter/CFileFilter.h"

#include <shlwapi.h>

#include <optional>

#include "app/TextHelpers.h"
#include "filter/FilterSubject.h"
#include "framework/CWinThread.h"
#include "framework/MessageBoxLayer.h"
#include "statistics/FileFolderStatItem.h"

namespace {

void ShowFilterMessage(const wchar_t* text, UINT type)
{
    ShowMessageBox(CWinThread::GetCurrentMainWindow(), text, nullptr, type);
}

// The relation of a comparison result (-1, 0, 1) under an operator; nothing
// for an operator that is none of the five.
std::optional<bool> Holds(int comparison, int op)
{
    switch (op) {
    case CFileFilterItem::kGreater:
        return comparison > 0;
    case CFileFilterItem::kGreaterOrEqual:
        return comparison >= 0;
    case CFileFilterItem::kLess:
        return comparison < 0;
    case CFileFilterItem::kLessOrEqual:
        return comparison <= 0;
    case CFileFilterItem::kEqual:
        return comparison == 0;
    default:
        return std::nullopt;
    }
}

bool HoldsOrReport(int comparison, int op, const wchar_t* message)
{
    const std::optional<bool> result = Holds(comparison, op);
    if (!result) {
        ShowFilterMessage(message, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return *result;
}

std::wstring UpperCased(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

CFileFilter::~CFileFilter()
{
    m_items.clear();
}

CFileFilterItem* CFileFilter::Append(std::unique_ptr<CFileFilterItem> criterion)
{
    m_items.push_back(std::move(criterion));
    return m_items.back().get();
}

CFileFilterItem* CFileFilter::AddText(const std::wstring& text, int type)
{
    auto criterion = std::make_unique<CFileFilterItem>();
    criterion->m_nType = type;
    criterion->m_strText = text;
    return Append(std::move(criterion));
}

CFileFilterItem* CFileFilter::AddSize(ULONGLONG size, int type, int op)
{
    auto criterion = std::make_unique<CFileFilterItem>();
    criterion->m_nType = type;
    criterion->m_nOperator = op;
    criterion->SetSize(size);
    return Append(std::move(criterion));
}

CFileFilterItem* CFileFilter::AddDate(const FILETIME& time, int type, int op, int timeKind)
{
    auto criterion = std::make_unique<CFileFilterItem>();
    criterion->m_nType = type;
    criterion->m_nOperator = op;
    criterion->m_nTimeKind = timeKind;
    criterion->m_pFirstTime = std::make_unique<FILETIME>(time);
    return Append(std::move(criterion));
}

CFileFilterItem* CFileFilter::AddDateRange(const FILETIME& first, int firstOp, const FILETIME& second, int secondOp,
                                           int type, int timeKind)
{
    CFileFilterItem* criterion = AddDate(first, type, firstOp, timeKind);
    criterion->m_nSecondOperator = secondOp;
    criterion->m_pSecondTime = std::make_unique<FILETIME>(second);
    return criterion;
}

CFileFilterItem* CFileFilter::AddAttributes(DWORD mask, int type)
{
    auto criterion = std::make_unique<CFileFilterItem>();
    criterion->m_nType = type;
    criterion->m_nOperator = CFileFilterItem::kEqual;
    criterion->m_dwAttributeMask = mask;
    return Append(std::move(criterion));
}

void CFileFilter::RemoveAll()
{
    m_items.clear();
}

int CFileFilter::Match(const IFilterSubject* item)
{
    if (item == nullptr)
        return 0;
    m_pItem = item;
    for (const auto& criterion : m_items) {
        if (!criterion)
            continue;
        bool passed = false;
        switch (criterion->m_nType) {
        case CFileFilterItem::kNameContains:
            passed = TestNameContains(*criterion);
            break;
        case CFileFilterItem::kWildcard:
            passed = TestWildcard(*criterion);
            break;
        case CFileFilterItem::kRegex:
            passed = TestRegex(*criterion);
            break;
        case CFileFilterItem::kExtension:
            passed = TestExtension(*criterion);
            break;
        case CFileFilterItem::kDate:
            passed = TestDate(*criterion);
            break;
        case CFileFilterItem::kSize:
            passed = TestSize(*criterion);
            break;
        case CFileFilterItem::kAttributes:
            passed = TestAttributes(*criterion);
            break;
        default:
            ShowFilterMessage(L"Invalid filter type! 372210", MB_OK | MB_ICONINFORMATION);
            break;
        }
        if (passed)
            return 1;
    }
    return 0;
}

bool CFileFilter::TestNameContains(const CFileFilterItem& criterion)
{
    if (criterion.m_strText.empty())
        return false;
    return UpperCased(m_pItem->GetParsingName()).find(UpperCased(criterion.m_strText)) != std::wstring::npos;
}

bool CFileFilter::TestWildcard(const CFileFilterItem&)
{
    ShowFilterMessage(L"Don't Support Wildcard!", MB_OK);
    return false;
}

bool CFileFilter::TestRegex(const CFileFilterItem&)
{
    ShowFilterMessage(L"Don't Support Regex!", MB_OK);
    return false;
}

bool CFileFilter::TestExtension(const CFileFilterItem& criterion)
{
    if (m_pItem->IsFolder())
        return false;
    const std::wstring path = m_pItem->GetParsingName();
    return _wcsicmp(GetExtension(path.c_str()).c_str(), criterion.m_strText.c_str()) == 0;
}

bool CFileFilter::TestDate(const CFileFilterItem& criterion)
{
    WIN32_FIND_DATAW data{};
    if (!m_pItem->GetFindData(data) || !criterion.m_pFirstTime)
        return false;
    const FILETIME* time = &data.ftLastWriteTime;
    if (criterion.m_nTimeKind == CFileFilterItem::kCreationTime)
        time = &data.ftCreationTime;
    else if (criterion.m_nTimeKind == CFileFilterItem::kLastAccessTime)
        time = &data.ftLastAccessTime;
    const wchar_t* message = L"Invalid operational character! 24416";
    bool passed = HoldsOrReport(CompareFileTime(time, criterion.m_pFirstTime.get()), criterion.m_nOperator, message);
    if (criterion.m_pSecondTime) {
        // Both comparisons are made, so a bad operator is reported either way.
        const bool second =
            HoldsOrReport(CompareFileTime(time, criterion.m_pSecondTime.get()), criterion.m_nSecondOperator, message);
        passed = passed || second;
    }
    return passed;
}

bool CFileFilter::TestSize(const CFileFilterItem& criterion)
{
    if (m_pItem->IsFolder())
        return true;
    const ULONGLONG size = m_pItem->GetFileSize();
    const ULONGLONG bound = criterion.GetSize();
    const int comparison = size < bound ? -1 : (size > bound ? 1 : 0);
    return HoldsOrReport(comparison, criterion.m_nOperator, L"Invalid operational character! 24414");
}

bool CFileFilter::TestAttributes(const CFileFilterItem& criterion)
{
    return (m_pItem->GetFileAttributes() & criterion.m_dwAttributeMask) != 0;
}

int CFileFilter::ContainsAnyText(const _tagFileFolderStatItem* node) const
{
    if (node == nullptr)
        return 0;
    for (const auto& entry : node->types) {
        for (const auto& criterion : m_items) {
            if (criterion && CompareNoCase(entry->extension, criterion->m_strText) == 0)
                return 1;
        }
    }
    return 0;
}
