#pragma once
#include <array>
#include <cstdint>

// The 12-byte header at the start of both data files: four UTF-16 units of
// magic, then a 32-bit version. Encode and Decode are the only code that
// knows its byte layout.
struct DataFileHeader {
    static constexpr size_t kSize = 12;
    static constexpr uint32_t kVersion = 0x00010000;
    using Bytes = std::array<unsigned char, kSize>;

    std::array<uint16_t, 4> magic{};
    uint32_t version = 0;

    Bytes Encode() const;
    static DataFileHeader Decode(const Bytes& bytes);

    // The magic compared as a terminated wide text (the version's low half
    // ends it) and the version.
    bool Matches(const std::array<uint16_t, 4>& expectedMagic) const;
};
