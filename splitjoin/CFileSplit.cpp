#include "splitjoin/CFileSplit.h"

#include <shlobj.h>

#include <memory>

#include "app/ResourceStrings.h"
#include "framework/CWinThread.h"
#include "resources/ResourceIds.h"
#include "splitjoin/SectionNames.h"
#include "splitjoin/SplitJoinErrors.h"

namespace {

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring WithoutTrailingBackslash(std::wstring folder)
{
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

} // namespace

bool CFileSplit::SplitWithPreset(const MediaSizePreset& preset, const std::wstring& source, const std::wstring& folder)
{
    m_preset = preset;
    return SplitBySize(static_cast<long long>(preset.GetSectionSize()), source, folder);
}

bool CFileSplit::SplitIntoSections(const std::wstring& source, long long count, const std::wstring& folder)
{
    if (!PathExists(source)) {
        ShowPathNotFound(source, L"10933");
        return false;
    }
    m_source.Abort();
    CFileException error;
    if (!m_source.Open(source, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ShowSplitJoinError(error, L"10932");
        return false;
    }
    m_sourceLength = m_source.GetLength();
    m_source.Abort();
    // No count means no split, as a count larger than the length does.
    if (count < 1)
        return false;
    return SplitBySize(static_cast<long long>(m_sourceLength / static_cast<std::uint64_t>(count)), source, folder);
}

bool CFileSplit::MakeFolder(const std::wstring& folder)
{
    if (IsExistingFolder(folder))
        return true;
    const int result = SHCreateDirectory(CWinThread::GetCurrentMainWindow(), folder.c_str());
    switch (result) {
    case ERROR_SUCCESS:
        return true;
    case ERROR_BAD_PATHNAME:
        ShowSplitJoinError(LoadScrambledString(IDS_ENGINE_BAD_PATH_NAME, ScrambleGroup::Group3), L"10935");
        return false;
    case ERROR_FILENAME_EXCED_RANGE:
        ShowSplitJoinError(LoadScrambledString(IDS_ENGINE_NAME_TOO_LONG, ScrambleGroup::Group3), L"10936");
        return false;
    default:
        return false;
    }
}

bool CFileSplit::SplitBySize(long long sectionSize, const std::wstring& source, const std::wstring& folder)
{
    if (sectionSize <= 0)
        return false;
    m_source.Abort();
    m_sourcePath = source;
    if (!PathExists(source)) {
        ShowPathNotFound(source, L"10934");
        return false;
    }
    if (!folder.empty() && !MakeFolder(folder))
        return false;

    CFileException error;
    if (!m_source.Open(source, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ShowSplitJoinError(error, L"10932");
        return false;
    }
    m_sourceLength = m_source.GetLength();
    const std::uint64_t size = static_cast<std::uint64_t>(sectionSize);
    const std::uint64_t remainder = m_sourceLength % size;
    const std::uint64_t sections = m_sourceLength / size + (remainder != 0 ? 1 : 0);

    const std::wstring sourceName = PathFindFileNameW(source.c_str());
    const std::wstring target = folder.empty()
                                    ? WithoutTrailingBackslash(source.substr(0, source.size() - sourceName.size()))
                                    : WithoutTrailingBackslash(folder);
    // A bare file name lies in the current folder.
    const std::wstring sectionFolder = target.empty() ? std::wstring(L".") : target;
    const auto buffer = std::make_unique<BYTE[]>(kBufferSize);
    for (std::uint64_t n = 1; n <= sections; ++n) {
        const std::uint64_t bytes = (n == sections && remainder != 0) ? remainder : size;
        if (!WriteSection(MakeSectionPath(sectionFolder, sourceName, n), bytes, buffer.get()))
            return false;
    }
    return true;
}

bool CFileSplit::WriteSection(const std::wstring& path, std::uint64_t bytes, BYTE* buffer)
{
    CFile section;
    CFileException error;
    if (!section.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
        ShowSplitJoinError(error, L"10293");
        return false;
    }
    try {
        while (bytes > 0) {
            const UINT chunk = bytes < kBufferSize ? static_cast<UINT>(bytes) : kBufferSize;
            const UINT read = m_source.Read(buffer, chunk);
            if (read < chunk) {
                // The source changed under us: what is missing cannot be made up.
                section.Abort();
                ShowSplitJoinError(LoadResourceString(IDS_SECTION_SOURCE_SHORT),
                                   chunk < kBufferSize ? L"10279" : L"10278");
                return false;
            }
            section.Write(buffer, read);
            bytes -= read;
        }
        section.Close();
    } catch (const CFileException& failure) {
        section.Abort();
        ShowSplitJoinException(failure, L"10277");
        return false;
    }
    return true;
}
