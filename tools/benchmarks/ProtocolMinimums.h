#pragma once

// What whole-chip commands cannot go below, from the Microwire protocol and the datasheets
// alone, so the benchmark's yardsticks owe nothing to the bus code they measure.

#include <array>
#include <chrono>
#include <cstdint>
#include <string_view>

namespace pemrix::bench {

// Start bit and two opcode bits, then the address, then 16 data bits in x16 organisation and
// 8 in x8.
constexpr std::uint64_t kStartAndOpcodeClocks = 3;
constexpr std::uint64_t kWordClocks = 16;
constexpr std::uint64_t kByteClocks = 8;

struct PartFigures
{
    std::string_view name;
    // The cells: words in x16 organisation, bytes in x8.
    std::uint32_t words;
    // The address field, a leading don't-care bit included (93C56, 93C76).
    std::uint64_t addressClocks;
    std::uint64_t cellClocks = kWordClocks;
};

constexpr std::array<PartFigures, 6> kParts{{
    {"93C46", 64, 6},
    {"93C56", 128, 8},
    {"93C57", 128, 7},
    {"93C66", 256, 8},
    {"93C76", 512, 10},
    {"93C86", 1024, 10},
}};

// ORG low: twice the cells, a byte each, and one address bit more (Microchip 93AA46/56/66/
// 76/86 and onsemi CAT93C57 datasheets, instruction set tables for x8 organisation).
constexpr std::array<PartFigures, 6> kPartsX8{{
    {"93C46 x8", 128, 7, kByteClocks},
    {"93C56 x8", 256, 9, kByteClocks},
    {"93C57 x8", 256, 8, kByteClocks},
    {"93C66 x8", 512, 9, kByteClocks},
    {"93C76 x8", 1024, 11, kByteClocks},
    {"93C86 x8", 2048, 11, kByteClocks},
}};

// The longest self-timed WRITE cycle the datasheet allows.
constexpr std::chrono::milliseconds kWordProgramTime{6};
constexpr std::string_view kWordProgramSource =
    "Microchip 93AA46A/B/C DS20001749K, Table 1-2, TWC (93AA and 93LC parts)";

// The clock of the slowest parts, which the program keeps for every type unless told the
// part class.
constexpr std::chrono::nanoseconds kSlowestClockPeriod{4000};
constexpr std::string_view kSlowestClockSource =
    "Fairchild NM93CS46 Rev. F.2, fSK 250 kHz (VCC 2.7 V to 5.5 V)";
// The clock of the current parts at 4.5 to 5.5 V, the fastest class.
constexpr std::chrono::nanoseconds kFiveVoltClockPeriod{500};
constexpr std::string_view kFiveVoltClockSource =
    "Microchip AT93C56B/AT93C66B, 4.4 AC Characteristics, fSK 2 MHz (4.5 V <= VCC <= 5.5 V)";
// The CH347's slowest SPI clock, 60 MHz / 128 = 468.75 kHz: its period, rounded down.
constexpr std::chrono::nanoseconds kCh347SlowestClockPeriod{2133};

constexpr std::uint64_t ReadInstructionClocks(const PartFigures& part, std::uint64_t words)
{
    return kStartAndOpcodeClocks + part.addressClocks + part.cellClocks * words;
}

// One READ clocked on through the whole chip, or one READ for each word.
constexpr std::uint64_t ReadPassClocks(const PartFigures& part, bool sequential)
{
    return sequential ? ReadInstructionClocks(part, part.words)
                      : part.words * ReadInstructionClocks(part, 1);
}

// A WRITE: its instruction and its data cell; the ready poll runs no clocks.
constexpr std::uint64_t WriteClocks(const PartFigures& part)
{
    return kStartAndOpcodeClocks + part.addressClocks + part.cellClocks;
}

// EWEN before a modifying request and EWDS after it, as the program sends them.
constexpr std::uint64_t EnableAndDisableClocks(const PartFigures& part)
{
    return 2 * (kStartAndOpcodeClocks + part.addressClocks);
}

// A pin-by-pin port: every clock needs SK raised and lowered; DI changes with the falling
// edge, so clocking bits in costs two writes, and each bit out one status read more.
constexpr double kOperationsPerClockIn = 2;
constexpr double kOperationsPerClockOut = 3;

} // namespace pemrix::bench
