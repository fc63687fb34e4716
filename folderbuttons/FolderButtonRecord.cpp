#include "folderbuttons/FolderButtonRecord.h"

#include "folderbuttons/BinaryFields.h"

namespace {

// Field offsets of the stored record.
constexpr size_t kName = 0;
constexpr size_t kPath = 520;
constexpr size_t kTypeName = 1040;
constexpr size_t kParameters = 1560;
constexpr size_t kReservedMinusOne = 2080; // written as -1; 2084..2099 zero
constexpr size_t kKind = 2100;
constexpr size_t kOwnOffset = 2104;
constexpr size_t kPrevious = 2112;
constexpr size_t kNext = 2120;
constexpr size_t kFlags = 2128; // 2132..2147 zero
constexpr size_t kTrailer = 2148;

} // namespace

void FolderButtonRecord::SetType(uint32_t value, bool on)
{
    const uint32_t deleted = flags & kDeletedBit;
    if (on) {
        if (value == 4)
            flags = (flags & ~kTypeBits) | kTypeGenerated;
        else if (value == 1)
            flags |= kDeletedBit;
        else
            flags = ((flags & ~kTypeBits) | (value & ~kDeletedBit)) | deleted;
    } else {
        if (value == 4)
            flags &= ~kTypeBits;
        else if (value == 1)
            flags &= ~kDeletedBit;
        else if (value == 2)
            flags &= ~0x2u;
        else
            flags = (flags & ~kTypeBits) | kTypeFixed;
    }
}

FolderButtonRecord::Bytes FolderButtonRecord::Encode() const
{
    using namespace BinaryFields;
    Bytes bytes{};
    PutText(bytes.data(), kName, name);
    PutText(bytes.data(), kPath, path);
    PutText(bytes.data(), kTypeName, typeName);
    PutText(bytes.data(), kParameters, parameters);
    PutI32(bytes.data(), kReservedMinusOne, -1);
    PutU32(bytes.data(), kKind, kind);
    PutI64(bytes.data(), kOwnOffset, ownOffset);
    PutI64(bytes.data(), kPrevious, previous);
    PutI64(bytes.data(), kNext, next);
    PutU32(bytes.data(), kFlags, flags);
    PutU32(bytes.data(), kTrailer, trailer);
    return bytes;
}

FolderButtonRecord FolderButtonRecord::Decode(const Bytes& bytes)
{
    using namespace BinaryFields;
    FolderButtonRecord record;
    record.name = GetText(bytes.data(), kName);
    record.path = GetText(bytes.data(), kPath);
    record.typeName = GetText(bytes.data(), kTypeName);
    record.parameters = GetText(bytes.data(), kParameters);
    record.kind = GetU32(bytes.data(), kKind);
    record.ownOffset = GetI64(bytes.data(), kOwnOffset);
    record.previous = GetI64(bytes.data(), kPrevious);
    record.next = GetI64(bytes.data(), kNext);
    record.flags = GetU32(bytes.data(), kFlags);
    record.trailer = GetU32(bytes.data(), kTrailer);
    return record;
}
