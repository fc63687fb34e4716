#pragma once
#include "filter/FilterSubject.h"

class CShellItem;

// A shell item as the filter reads it.
class ShellFilterSubject : public IFilterSubject {
public:
    explicit ShellFilterSubject(CShellItem& item) : m_item(item) {}
    std::wstring GetParsingName() const override;
    bool IsFolder() const override;
    DWORD GetFileAttributes() const override;
    std::uint64_t GetFileSize() const override;
    bool GetFindData(WIN32_FIND_DATAW& data) const override;

private:
    CShellItem& m_item;
};
