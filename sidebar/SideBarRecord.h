#pragma once
#include <array>
#include <cstdint>
#include <string>

// One category as stored in BData.sbd: 1592 bytes. Encode and Decode are
// the only code that knows the record's byte layout.
struct SideBarRecord {
    static constexpr size_t kSize = 1592;
    using Bytes = std::array<unsigned char, kSize>;

    std::wstring path; // at most 259 characters are stored
    int32_t subButtonMask = 0;
    int64_t folderButtonPosition = -1;
    uint32_t type = 0; // stored type in the low half, deleted flag in the high half
    std::wstring displayName;
    std::wstring parameter;
    int32_t iconIndex = -1;
    int32_t ordinal = -1;

    Bytes Encode() const;
    static SideBarRecord Decode(const Bytes& bytes);
};
