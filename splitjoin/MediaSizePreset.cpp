#include "splitjoin/MediaSizePreset.h"

namespace {

struct PresetRow {
    std::uint64_t sectionSize;
    const wchar_t* name;
};

// The floppy rows use one mebibyte on purpose: sections of that size fit
// either disk with room to spare.
constexpr PresetRow kPresets[MediaSizePreset::kTypeCount] = {
    {1048576ull, L"1.44 MB(3.5\"\")"}, {1048576ull, L"1.2 MB(5.25\"\")"}, {104857600ull, L"100 MB(ZIP)"},
    {262144000ull, L"250 MB(ZIP)"},    {681574400ull, L"650 MB(CD-R)"},   {734003200ull, L"700 MB(CD-R)"},
    {1048576ull, L"Unknown"},
};

} // namespace

void MediaSizePreset::SetType(int type)
{
    m_type = type;
    if (type < 0 || type >= kTypeCount)
        return;
    m_sectionSize = kPresets[type].sectionSize;
    m_name = kPresets[type].name;
}
