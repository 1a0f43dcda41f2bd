#include "RawImageMessages.h"

#include "core/HexText.h"
#include "files/OpenFileErrorText.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace pemrix {

namespace {

struct HexLineText
{
    HexLineFault fault;
    std::string_view text; // %A stands for the byte address, %T for the selected type
};

constexpr std::array<HexLineText, 11> kHexLineTexts{{
    {HexLineFault::NoColon, "does not start with a colon"},
    {HexLineFault::NotHexDigits, "holds a character that is not a hexadecimal digit"},
    {HexLineFault::OddDigits, "holds an odd number of hexadecimal digits"},
    {HexLineFault::LengthMismatch, "does not hold as many data bytes as its byte count says"},
    {HexLineFault::Checksum, "has a wrong checksum"},
    {HexLineFault::UnknownRecordType, "has a record type other than 00 to 05"},
    {HexLineFault::BadAddressRecord, "has an address record that does not hold two bytes"},
    {HexLineFault::BadEndRecord, "has an end-of-file record that holds data"},
    {HexLineFault::AfterEnd, "follows the end-of-file record"},
    {HexLineFault::ByteTwice, "gives byte %A a second time"},
    {HexLineFault::BeyondChip, "puts data at byte %A, beyond the %N bytes of a %T"},
}};

void Fill(std::string& text, std::string_view mark, std::string_view value)
{
    const std::size_t at = text.find(mark);
    if (at != std::string::npos)
        text.replace(at, mark.size(), value);
}

std::string AddressText(std::uint64_t byteAddress)
{
    return "0x" + FormatHex4(static_cast<std::uint32_t>(byteAddress));
}

} // namespace

FileMessage RawImageTypeMessage(std::string_view fileName, const EepromTypeInfo& matched)
{
    return OpenFileErrorMessage("The type of the " + std::string(fileName) + " is " +
                                ChipTypeName(matched) + ".");
}

FileMessage BinarySizeMessage(std::uint64_t fileSize, const EepromTypeInfo& selected)
{
    return OpenFileErrorMessage("The binary file holds " + std::to_string(fileSize) + " bytes; a " +
                                ChipTypeName(selected) + " image holds " +
                                std::to_string(ImageByteCount(selected)) + ".");
}

FileMessage HexLineMessage(std::size_t line, HexLineFault fault, std::uint64_t byteAddress,
                           const EepromTypeInfo& selected)
{
    const auto row = std::find_if(kHexLineTexts.begin(), kHexLineTexts.end(),
                                  [&](const HexLineText& r) { return r.fault == fault; });
    std::string text(row->text);
    Fill(text, "%A", AddressText(byteAddress));
    Fill(text, "%N", std::to_string(ImageByteCount(selected)));
    Fill(text, "%T", ChipTypeName(selected));
    return OpenFileErrorMessage("Line " + std::to_string(line) + " of the Intel HEX file " + text +
                                ".");
}

FileMessage HexNoEndMessage()
{
    return OpenFileErrorMessage("The Intel HEX file has no end-of-file record.");
}

FileMessage HexUncoveredMessage(std::uint64_t byteAddress, const EepromTypeInfo& selected)
{
    return OpenFileErrorMessage(
        "The Intel HEX file gives no value for byte " + AddressText(byteAddress) + " of the " +
        std::to_string(ImageByteCount(selected)) + " bytes of a " + ChipTypeName(selected) + ".");
}

FileMessage HexTooLargeMessage()
{
    return OpenFileErrorMessage("The Intel HEX file is too large to hold an EEPROM image.");
}

} // namespace pemrix
