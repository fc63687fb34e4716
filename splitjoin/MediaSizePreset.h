#pragma once
#include <cstdint>
#include <string>

// One entry of the media sizes a file can be split for: a type number, the
// size of each section in bytes and the name shown in the split dialog.
class MediaSizePreset {
public:
    static constexpr int kTypeCount = 7;
    static constexpr int kUnknownType = 6;

    MediaSizePreset() { SetType(0); }
    explicit MediaSizePreset(int type) { SetType(type); }

    // Takes the size and name of a type of the table; a type outside the
    // table changes only the type number.
    void SetType(int type);

    int GetType() const { return m_type; }
    std::uint64_t GetSectionSize() const { return m_sectionSize; }
    const std::wstring& GetName() const { return m_name; }

private:
    int m_type = 0;
    std::uint64_t m_sectionSize = 0;
    std::wstring m_name;
};
