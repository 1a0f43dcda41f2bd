#pragma once

#include "core/EepromTypeInfo.h"
#include "files/FileMessage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pemrix {

// What can be wrong in one line of an Intel HEX file.
enum class HexLineFault
{
    NoColon,
    NotHexDigits,
    OddDigits,
    LengthMismatch,
    Checksum,
    UnknownRecordType,
    BadAddressRecord,
    BadEndRecord,
    AfterEnd,
    ByteTwice,
    BeyondChip,
};

// "The type of the binary file is 93C66." and its Intel HEX twin: the image is of another type.
FileMessage RawImageTypeMessage(std::string_view fileName, const EepromTypeInfo& matched);

// A binary file whose size fits no type.
FileMessage BinarySizeMessage(std::uint64_t fileSize, const EepromTypeInfo& selected);

// "Line 4 of the Intel HEX file has a wrong checksum." with the byte address where one matters.
FileMessage HexLineMessage(std::size_t line, HexLineFault fault, std::uint64_t byteAddress,
                           const EepromTypeInfo& selected);

FileMessage HexNoEndMessage();
FileMessage HexUncoveredMessage(std::uint64_t byteAddress, const EepromTypeInfo& selected);
FileMessage HexTooLargeMessage();

} // namespace pemrix
