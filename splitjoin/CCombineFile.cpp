#include "splitjoin/CCombineFile.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "app/ResourceStrings.h"
#include "framework/CFile.h"
#include "resources/ResourceIds.h"
#include "splitjoin/SectionNames.h"
#include "splitjoin/SplitJoinErrors.h"

namespace {

// Reads a decimal number as the C library's _wtoi does: leading blanks, an
// optional sign, digits up to the first other character; nothing read is 0.
int ReadNumber(const wchar_t* text)
{
    return static_cast<int>(std::wcstol(text, nullptr, 10));
}

std::wstring StemOf(const std::wstring& path)
{
    const wchar_t* name = PathFindFileNameW(path.c_str());
    const wchar_t* extension = PathFindExtensionW(name);
    return std::wstring(name, static_cast<size_t>(extension - name));
}

CFileException LastErrorException(const std::wstring& path)
{
    const LONG error = static_cast<LONG>(GetLastError());
    return CFileException(CFileException::OsErrorToCause(error), error, path);
}

} // namespace

int CCombineFile::GetSectionNumber(const std::wstring& path)
{
    const std::wstring stem = StemOf(path);
    const std::wstring separator = GetSectionSeparator();
    const size_t position = stem.rfind(separator);
    if (position == std::wstring::npos)
        return 0;
    return ReadNumber(stem.c_str() + position + separator.size());
}

std::wstring CCombineFile::GetCombinedName(const std::wstring& path)
{
    const wchar_t* name = PathFindFileNameW(path.c_str());
    const std::wstring extension = PathFindExtensionW(name);
    if (extension.empty() || extension[0] != L'.')
        return {};
    const std::wstring stem = StemOf(path);
    const size_t position = stem.rfind(GetSectionSeparator());
    if (position == std::wstring::npos)
        return extension;
    return stem.substr(0, position) + extension;
}

void CCombineFile::SortSections(std::vector<std::wstring>& sections)
{
    std::vector<std::pair<int, std::wstring>> numbered;
    numbered.reserve(sections.size());
    for (auto& section : sections)
        numbered.emplace_back(GetSectionNumber(section), std::move(section));
    sections.clear();
    std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : numbered)
        m_sections.push_back(std::move(entry.second));
}

bool CCombineFile::CheckSections()
{
    if (m_sections.empty())
        return false;
    m_targetName = GetCombinedName(m_sections.front());
    int expected = 1;
    for (const auto& section : m_sections) {
        const int number = GetSectionNumber(section);
        if (number < 1 || number != expected) {
            ShowSplitJoinError(LoadResourceString(IDS_SECTIONS_NOT_IN_ORDER), number < 1 ? L"10275" : L"10276");
            m_targetName.clear();
            return false;
        }
        ++expected;
    }
    return true;
}

bool CCombineFile::AppendSection(const std::wstring& section, CFile& target, BYTE* buffer)
{
    CFile input;
    CFileException error;
    if (!input.Open(section, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ShowSplitJoinException(error, L"10271");
        return false;
    }
    try {
        for (;;) {
            const UINT read = input.Read(buffer, kBufferSize);
            if (read == 0)
                break;
            target.Write(buffer, read);
        }
        input.Close();
    } catch (const CFileException& failure) {
        input.Abort();
        ShowSplitJoinException(failure, L"10270");
        return false;
    }
    return true;
}

bool CCombineFile::CombineSections(std::vector<std::wstring>& sections, const std::wstring& folder)
{
    SortSections(sections);
    if (!CheckSections())
        return false;
    if (m_targetName.empty()) {
        ShowSplitJoinError(LoadResourceString(IDS_SECTIONS_NO_TARGET_NAME), L"10274");
        return false;
    }
    std::wstring targetFolder = folder;
    while (!targetFolder.empty() && targetFolder.back() == L'\\')
        targetFolder.pop_back();
    const std::wstring targetPath = targetFolder + L"\\" + m_targetName;

    // The new file is made under a unique name in the target's folder and
    // renamed when it is complete.
    wchar_t partial[MAX_PATH + 16] = {};
    if (GetTempFileNameW((targetFolder.empty() ? std::wstring(L"\\") : targetFolder).c_str(), L"tvc", 0, partial) ==
        0) {
        ShowSplitJoinException(LastErrorException(targetPath), L"10273");
        return false;
    }
    CFile target;
    CFileException error;
    if (!target.Open(partial, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
        DeleteFileW(partial);
        ShowSplitJoinException(error, L"10273");
        return false;
    }

    // The file gets its whole length at once: a full disk shows before any
    // copying, and the system need not grow the file write by write.
    ULONGLONG total = 0;
    for (const auto& section : m_sections) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExW(section.c_str(), GetFileExInfoStandard, &data))
            total += (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }
    try {
        target.SetLength(total);
    } catch (const CFileException& failure) {
        target.Abort();
        DeleteFileW(partial);
        ShowSplitJoinException(failure, L"10273");
        return false;
    }

    const auto buffer = std::make_unique<BYTE[]>(kBufferSize);
    bool complete = true;
    for (const auto& section : m_sections) {
        if (!AppendSection(section, target, buffer.get())) {
            complete = false;
            break;
        }
    }
    if (complete) {
        try {
            // A section that changed its length since it was measured.
            if (target.GetPosition() != total)
                target.SetLength(target.GetPosition());
            target.Close();
        } catch (const CFileException& failure) {
            ShowSplitJoinException(failure, L"10270");
            complete = false;
        }
    }
    target.Abort();
    if (!complete) {
        DeleteFileW(partial);
        return false;
    }
    if (!MoveFileExW(partial, targetPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const CFileException failure = LastErrorException(targetPath);
        DeleteFileW(partial);
        ShowSplitJoinException(failure, L"10273");
        return false;
    }
    return true;
}
