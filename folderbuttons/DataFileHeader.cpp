#include "folderbuttons/DataFileHeader.h"

#include "folderbuttons/BinaryFields.h"

DataFileHeader::Bytes DataFileHeader::Encode() const
{
    Bytes bytes{};
    for (size_t i = 0; i < magic.size(); ++i) {
        bytes[2 * i] = static_cast<unsigned char>(magic[i]);
        bytes[2 * i + 1] = static_cast<unsigned char>(magic[i] >> 8);
    }
    BinaryFields::PutU32(bytes.data(), 8, version);
    return bytes;
}

DataFileHeader DataFileHeader::Decode(const Bytes& bytes)
{
    DataFileHeader header;
    for (size_t i = 0; i < header.magic.size(); ++i)
        header.magic[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    header.version = BinaryFields::GetU32(bytes.data(), 8);
    return header;
}

bool DataFileHeader::Matches(const std::array<uint16_t, 4>& expectedMagic) const
{
    // As a terminated text the magic would also need the unit after it (the
    // version's low half) to be zero; the version check below covers that.
    return magic == expectedMagic && version == kVersion;
}
