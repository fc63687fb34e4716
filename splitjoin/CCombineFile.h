#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/CObject.h"

class CFile;

// Joins section files made by CFileSplit back into one file named after the
// file that was split. The sections are sorted by their numbers, which must
// run 1, 2, 3 ... without a gap. The combined file is written under a
// temporary name beside the target and takes the target's name only when it
// is complete, so a failure never leaves a truncated file under that name
// nor destroys an existing file of that name.
class CCombineFile : public CObject {
public:
    static constexpr DWORD kBufferSize = 1048576;

    CCombineFile() = default;
    ~CCombineFile() override = default;

    // Sorts and checks the sections (the given list is emptied) and writes
    // folder\<combined name>. False after any failure, which has been shown.
    bool CombineSections(std::vector<std::wstring>& sections, const std::wstring& folder);

    // Moves the given entries into the engine's list in order of their
    // section numbers; entries with equal numbers keep their order.
    void SortSections(std::vector<std::wstring>& sections);
    // Derives the target name from the first section and checks that the
    // numbers run 1, 2, 3 ...; shows the error and clears the name otherwise.
    bool CheckSections();

    // The number after the last section separator of the file name (without
    // folder and extension); 0 when there is none.
    static int GetSectionNumber(const std::wstring& path);
    // The file name before the last section separator followed by the
    // extension; empty when the name has no extension.
    static std::wstring GetCombinedName(const std::wstring& path);

    const std::vector<std::wstring>& GetSections() const { return m_sections; }
    const std::wstring& GetTargetName() const { return m_targetName; }

private:
    bool AppendSection(const std::wstring& section, CFile& target, BYTE* buffer);

    std::vector<std::wstring> m_sections;
    std::wstring m_targetName;
};
