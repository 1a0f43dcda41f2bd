#pragma once

#include <string>
#include <string_view>

#include "driver/DriverLink.h"
#include "driver/RequestRecords.h"

namespace pemrix {

inline constexpr std::string_view kDriverNotLoadedText =
    "Could not load driver.Please reinstall the application";
inline constexpr std::string_view kDriverVersionUnreadableText =
    "Could not get driver version.Please reinstall the application";
inline constexpr std::string_view kDriverTooOldText =
    "Driver Version.Please reinstall the application";
inline constexpr std::string_view kDriverVersionMismatchText =
    "Driver Version not match. Please reinstall the application";

// What the start-up check found. The window shows the two information lines whenever
// `versionRead` is set, and only then judges: an empty `failureText` means the driver is fit.
struct DriverVersionCheck
{
    bool versionRead = false;
    VersionRecord version;
    std::string failureText;
};

// The oldest accepted driver is 2.0.0.800; anything above it is accepted.
std::string_view JudgeDriverVersion(const VersionRecord& version);

// Opens the device, asks for its version and closes it again.
DriverVersionCheck CheckDriverVersion(DriverLink& link);

std::string ProductVersionLine();
std::string DriverVersionLine(const VersionRecord& version);

} // namespace pemrix
