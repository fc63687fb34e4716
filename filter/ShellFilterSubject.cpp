#include "filter/ShellFilterSubject.h"

#include "filter/CFileFilter.h"
#include "shell/CShellItem.h"

std::wstring ShellFilterSubject::GetParsingName() const
{
    return m_item.m_strParsingName;
}

bool ShellFilterSubject::IsFolder() const
{
    return m_item.IsFolder();
}

DWORD ShellFilterSubject::GetFileAttributes() const
{
    return m_item.GetFileAttributes();
}

std::uint64_t ShellFilterSubject::GetFileSize() const
{
    return m_item.GetFileSize();
}

bool ShellFilterSubject::GetFindData(WIN32_FIND_DATAW& data) const
{
    return m_item.GetFindData(data);
}

int CFileFilter::Match(CShellItem* item)
{
    if (item == nullptr)
        return 0;
    const ShellFilterSubject subject(*item);
    const int result = Match(&subject);
    m_pItem = nullptr;
    return result;
}
