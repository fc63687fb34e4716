#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/CFile.h"
#include "framework/CObject.h"
#include "splitjoin/MediaSizePreset.h"

// Cuts a file into numbered section files (see SectionNames.h). Files are
// copied through one buffer of 1 MiB, so memory use does not grow with the
// file; sizes and counts are 64-bit. Every failure is shown where it
// happens, with its code, and makes the result false.
class CFileSplit : public CObject {
public:
    static constexpr DWORD kBufferSize = 1048576;

    CFileSplit() = default;
    ~CFileSplit() override = default;

    // Takes the preset as current and splits into sections of its size.
    bool SplitWithPreset(const MediaSizePreset& preset, const std::wstring& source, const std::wstring& folder);
    // Splits into sections of length / count bytes (count + 1 files when
    // count does not divide the length).
    bool SplitIntoSections(const std::wstring& source, long long count, const std::wstring& folder);
    // Splits into sections of the given size; the sections go to the folder
    // (created when missing), or to the source's folder when none is given.
    bool SplitBySize(long long sectionSize, const std::wstring& source, const std::wstring& folder);

    // The section size of the megabyte mode, without overflow.
    static std::uint64_t MegabytesToBytes(std::uint32_t megabytes) { return std::uint64_t{megabytes} * kBufferSize; }

    const MediaSizePreset& GetPreset() const { return m_preset; }
    std::uint64_t GetSourceLength() const { return m_sourceLength; }

private:
    bool MakeFolder(const std::wstring& folder);
    bool WriteSection(const std::wstring& path, std::uint64_t bytes, BYTE* buffer);

    CFile m_source;
    std::wstring m_sourcePath;
    MediaSizePreset m_preset;
    std::uint64_t m_sourceLength = 0;
};
