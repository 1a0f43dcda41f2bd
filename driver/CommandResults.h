#pragma once

#include <cstdint>
#include <vector>

#include "driver/DriverResult.h"

namespace pemrix {

// READ, WRITE and ERASE: the success dialog and the success log line show an address and a
// data word each, and the two pairs come from different records depending on the command.
struct WordCommandResult : DriverResult
{
    std::uint32_t dialogAddress = 0;
    std::uint32_t dialogData = 0;
    std::uint32_t logAddress = 0;
    std::uint32_t logData = 0;
};

// ReadAll, WRAL and ERAL: the type's word count of words read back, for rebuilding the dump.
struct ImageCommandResult : DriverResult
{
    std::vector<std::uint32_t> words{};
};

// WRAL also logs the data field of its fill record.
struct FillCommandResult : ImageCommandResult
{
    std::uint32_t data = 0;
};

} // namespace pemrix
