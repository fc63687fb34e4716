#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/CObject.h"

// One criterion of a file filter.
class CFileFilterItem : public CObject {
public:
    // Criterion types.
    static constexpr int kNameContains = 0;
    static constexpr int kWildcard = 1;
    static constexpr int kRegex = 2;
    static constexpr int kExtension = 3;
    static constexpr int kDate = 4;
    static constexpr int kSize = 5;
    static constexpr int kAttributes = 6;

    // Comparison operators: the item's value on the left.
    static constexpr int kGreater = 0;
    static constexpr int kGreaterOrEqual = 1;
    static constexpr int kLess = 2;
    static constexpr int kLessOrEqual = 3;
    static constexpr int kEqual = 4;

    // Time kinds of a date criterion: 0 creation, 1 last access, others last write.
    static constexpr int kCreationTime = 0;
    static constexpr int kLastAccessTime = 1;
    static constexpr int kLastWriteTime = 2;

    CFileFilterItem() = default;
    ~CFileFilterItem() override = default;
    CFileFilterItem(const CFileFilterItem&) = delete;
    CFileFilterItem& operator=(const CFileFilterItem&) = delete;

    int m_nType = 0;
    int m_nSecondOperator = kEqual;
    int m_nOperator = kEqual;
    std::wstring m_strText;
    int m_nTimeKind = kLastWriteTime;
    std::unique_ptr<FILETIME> m_pFirstTime;
    std::unique_ptr<FILETIME> m_pSecondTime;
    DWORD m_dwSizeLow = 0;
    DWORD m_dwSizeHigh = 0;
    DWORD m_dwAttributeMask = 0;

    ULONGLONG GetSize() const { return (ULONGLONG{m_dwSizeHigh} << 32) | m_dwSizeLow; }
    void SetSize(ULONGLONG size)
    {
        m_dwSizeLow = static_cast<DWORD>(size);
        m_dwSizeHigh = static_cast<DWORD>(size >> 32);
    }
};
