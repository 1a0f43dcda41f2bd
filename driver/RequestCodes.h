#pragma once

#include <cstdint>

namespace pemrix {

inline constexpr std::uint32_t kFileDeviceUnknown = 0x22;
inline constexpr std::uint32_t kMethodNeither = 3;
inline constexpr std::uint32_t kFileAnyAccess = 0;

// The driver's request codes follow the operating system's control-code packing, so they are
// built the same way rather than typed in as magic numbers.
constexpr std::uint32_t MakeRequestCode(std::uint32_t deviceType, std::uint32_t function,
                                        std::uint32_t method, std::uint32_t access)
{
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

constexpr std::uint32_t DriverRequestCode(std::uint32_t function)
{
    return MakeRequestCode(kFileDeviceUnknown, function, kMethodNeither, kFileAnyAccess);
}

inline constexpr std::uint32_t REQ_GET_VERSION = DriverRequestCode(0x801);
inline constexpr std::uint32_t REQ_SET_PORT = DriverRequestCode(0x808);
inline constexpr std::uint32_t REQ_READ = DriverRequestCode(0x811);
inline constexpr std::uint32_t REQ_WRITE_ENABLE = DriverRequestCode(0x812);
inline constexpr std::uint32_t REQ_WRITE_DISABLE = DriverRequestCode(0x813);
inline constexpr std::uint32_t REQ_WRITE = DriverRequestCode(0x814);
inline constexpr std::uint32_t REQ_ERASE = DriverRequestCode(0x815);
inline constexpr std::uint32_t REQ_WRAL = DriverRequestCode(0x816);
inline constexpr std::uint32_t REQ_ERAL = DriverRequestCode(0x817);
inline constexpr std::uint32_t REQ_READ_ALL = DriverRequestCode(0x818);
inline constexpr std::uint32_t REQ_WRITE_ALL = DriverRequestCode(0x819);
// The built-in driver's own additions; a driver without them fails the call.
inline constexpr std::uint32_t REQ_DETECT_TYPE = DriverRequestCode(0x81A);
// The 8-bit organisation's requests: the records of their 16-bit twins, a byte in the data
// field and a byte address in the address field, but the image, which has a record of its own
// (ByteImageRecord).
inline constexpr std::uint32_t REQ_READ_X8 = DriverRequestCode(0x81B);
inline constexpr std::uint32_t REQ_WRITE_ENABLE_X8 = DriverRequestCode(0x81C);
inline constexpr std::uint32_t REQ_WRITE_DISABLE_X8 = DriverRequestCode(0x81D);
inline constexpr std::uint32_t REQ_WRITE_X8 = DriverRequestCode(0x81E);
inline constexpr std::uint32_t REQ_ERASE_X8 = DriverRequestCode(0x81F);
inline constexpr std::uint32_t REQ_WRAL_X8 = DriverRequestCode(0x820);
inline constexpr std::uint32_t REQ_ERAL_X8 = DriverRequestCode(0x821);
inline constexpr std::uint32_t REQ_READ_ALL_X8 = DriverRequestCode(0x822);
inline constexpr std::uint32_t REQ_WRITE_ALL_X8 = DriverRequestCode(0x823);
// Detection of size and organisation together (OrganisationDetectRecord).
inline constexpr std::uint32_t REQ_DETECT_ORGANISATION = DriverRequestCode(0x824);

static_assert(REQ_GET_VERSION == 0x222007);
static_assert(REQ_SET_PORT == 0x222023);
static_assert(REQ_READ == 0x222047);
static_assert(REQ_WRITE_ENABLE == 0x22204B);
static_assert(REQ_WRITE_DISABLE == 0x22204F);
static_assert(REQ_WRITE == 0x222053);
static_assert(REQ_ERASE == 0x222057);
static_assert(REQ_WRAL == 0x22205B);
static_assert(REQ_ERAL == 0x22205F);
static_assert(REQ_READ_ALL == 0x222063);
static_assert(REQ_WRITE_ALL == 0x222067);
static_assert(REQ_DETECT_TYPE == 0x22206B);
static_assert(REQ_READ_X8 == 0x22206F);
static_assert(REQ_DETECT_ORGANISATION == 0x222093);

} // namespace pemrix
