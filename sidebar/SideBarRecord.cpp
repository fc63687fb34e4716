#include "sidebar/SideBarRecord.h"

#include "folderbuttons/BinaryFields.h"

namespace {

// Field offsets of the stored record; 524..527 and 1588..1591 stay zero.
constexpr size_t kPath = 0;
constexpr size_t kMask = 520;
constexpr size_t kPosition = 528;
constexpr size_t kType = 536;
constexpr size_t kDisplayName = 540;
constexpr size_t kParameter = 1060;
constexpr size_t kIconIndex = 1580;
constexpr size_t kOrdinal = 1584;

} // namespace

SideBarRecord::Bytes SideBarRecord::Encode() const
{
    using namespace BinaryFields;
    Bytes bytes{};
    PutText(bytes.data(), kPath, path);
    PutI32(bytes.data(), kMask, subButtonMask);
    PutI64(bytes.data(), kPosition, folderButtonPosition);
    PutU32(bytes.data(), kType, type);
    PutText(bytes.data(), kDisplayName, displayName);
    PutText(bytes.data(), kParameter, parameter);
    PutI32(bytes.data(), kIconIndex, iconIndex);
    PutI32(bytes.data(), kOrdinal, ordinal);
    return bytes;
}

SideBarRecord SideBarRecord::Decode(const Bytes& bytes)
{
    using namespace BinaryFields;
    SideBarRecord record;
    record.path = GetText(bytes.data(), kPath);
    record.subButtonMask = GetI32(bytes.data(), kMask);
    record.folderButtonPosition = GetI64(bytes.data(), kPosition);
    record.type = GetU32(bytes.data(), kType);
    record.displayName = GetText(bytes.data(), kDisplayName);
    record.parameter = GetText(bytes.data(), kParameter);
    record.iconIndex = GetI32(bytes.data(), kIconIndex);
    record.ordinal = GetI32(bytes.data(), kOrdinal);
    return record;
}
