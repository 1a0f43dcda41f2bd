#include "driver/VersionRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void VersionRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kMajorOffset, major);
    StoreLe32(bytes, kMinorOffset, minor);
    StoreLe32(bytes, kBuildOffset, build);
    StoreLe32(bytes, kRevisionOffset, revision);
    StoreLe32(bytes, kReservedOffset, reserved);
}

VersionRecord VersionRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    VersionRecord record;
    record.major = LoadLe32(bytes, kMajorOffset);
    record.minor = LoadLe32(bytes, kMinorOffset);
    record.build = LoadLe32(bytes, kBuildOffset);
    record.revision = LoadLe32(bytes, kRevisionOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
