#include "driver/VersionRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

constexpr RecordFields<VersionRecord, 5> kFields{{
    {&VersionRecord::major, VersionRecord::kMajorOffset},
    {&VersionRecord::minor, VersionRecord::kMinorOffset},
    {&VersionRecord::build, VersionRecord::kBuildOffset},
    {&VersionRecord::revision, VersionRecord::kRevisionOffset},
    {&VersionRecord::reserved, VersionRecord::kReservedOffset},
}};
static_assert(FieldsFill(kFields, VersionRecord::kSize));

} // namespace

void VersionRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
}

VersionRecord VersionRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    VersionRecord record;
    DecodeFields(record, kFields, bytes);
    return record;
}

} // namespace pemrix
