#include "driver/VersionCheck.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "driver/RequestCodes.h"

namespace pemrix {

std::string_view JudgeDriverVersion(const VersionRecord& version)
{
    if (version.major < 2)
        return kDriverTooOldText;
    if (version.major == 2 && version.minor == 0 && version.build == 0 && version.revision < 800)
        return kDriverVersionMismatchText;
    return {};
}

DriverVersionCheck CheckDriverVersion(DriverLink& link)
{
    DriverVersionCheck check;
    const DriverHandle handle = link.Open(kVersionCheckOpenAttributes);
    if (handle == kInvalidDriverHandle) {
        check.failureText = kDriverNotLoadedText;
        return check;
    }
    std::array<std::uint8_t, VersionRecord::kSize> bytes{};
    EncodeRecord(VersionRecord{}, bytes);
    std::uint32_t bytesReturned = 0;
    // Only the call's result is checked here: the byte count and the reserved field are not.
    const bool answered = link.Control(handle, REQ_GET_VERSION, bytes.data(), VersionRecord::kSize,
                                       VersionRecord::kSize, bytesReturned);
    link.Close(handle);
    if (!answered) {
        check.failureText = kDriverVersionUnreadableText;
        return check;
    }
    check.versionRead = true;
    check.version = DecodeRecord<VersionRecord>(bytes);
    check.failureText = JudgeDriverVersion(check.version);
    return check;
}

std::string ProductVersionLine()
{
    return "Product Version: 2.0";
}

std::string DriverVersionLine(const VersionRecord& version)
{
    // Printed unsigned, as the numbers are compared, so a huge field cannot show as negative.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Driver Version: %u.%u.%u.%u",
                  static_cast<unsigned>(version.major), static_cast<unsigned>(version.minor),
                  static_cast<unsigned>(version.build), static_cast<unsigned>(version.revision));
    return buffer;
}

} // namespace pemrix
