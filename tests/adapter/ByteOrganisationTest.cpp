#include "adapter/BuiltInDriver.h"

#include "support/TemporaryFolder.h"
#include "VirtualDriverHarness.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/DetectCommand.h"
#include "driver/OrganisationRequests.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemrix {
namespace {

using CellList = std::vector<std::uint16_t>;
constexpr auto kBytes8 = EepromOrganisation::Bytes8;
constexpr auto kWords16 = EepromOrganisation::Words16;

CellList Cells(MicrowireChip& chip)
{
    return {chip.Words().begin(), chip.Words().end()};
}

// Bytes that differ from their neighbours, so neither a stream nor a mirror can fake them.
CellList BytePattern(const EepromTypeInfo& type)
{
    CellList bytes;
    for (std::uint32_t i = 0; i < type.words; ++i)
        bytes.push_back(static_cast<std::uint16_t>((i * 37 + 5 + (i >> 8)) & 0xFF));
    return bytes;
}

std::string Name(const EepromTypeInfo& type)
{
    return std::string(type.name) + " x" + std::to_string(type.cellBits);
}

TEST(ByteOrganisation, EveryRequestWorksOnEverySizeAndLeavesTheWordChipAlone)
{
    TemporaryFolder folder;
    VirtualDriverHarness harness(folder.Path());
    const DriverHandle handle = harness.OpenVirtualPort();
    const auto modify = [&](std::uint32_t code, const auto& record) {
        EXPECT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE_X8, record.type));
        const std::uint32_t status = harness.Send(handle, code, record).record.status;
        EXPECT_TRUE(harness.SendValue(handle, REQ_WRITE_DISABLE_X8, record.type));
        return status;
    };
    for (const EepromTypeInfo& type : EepromTypes(kBytes8)) {
        SCOPED_TRACE(Name(type));
        const EepromType code = type.code;
        MicrowireChip& chip = harness.Chip(code, kBytes8);
        CellList pattern = BytePattern(type);
        ByteImageRecord image{code};
        std::copy(pattern.begin(), pattern.end(), image.bytes.begin());
        EXPECT_EQ(modify(REQ_WRITE_ALL_X8, image), 0u);
        EXPECT_EQ(Cells(chip), pattern);
        const ByteImageRecord read =
            harness.Send(handle, REQ_READ_ALL_X8, ByteImageRecord{code}).record;
        EXPECT_EQ(read.status, 0u);
        EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), read.bytes.begin()));
        const std::uint32_t last = type.highestAddress;
        EXPECT_EQ(harness.Send(handle, REQ_READ_X8, WordRecord{code, last}).record.data,
                  pattern[last]);
        EXPECT_EQ(harness.Send(handle, REQ_READ_X8, WordRecord{code, type.words}).record.status,
                  StatusCode(AdapterStatus::AddressBeyondChip));

        // Only the cell's byte reaches the chip.
        EXPECT_EQ(modify(REQ_WRITE_X8, WordRecord{code, last, 0x15A}), 0u);
        pattern[last] = 0x5A;
        EXPECT_EQ(modify(REQ_ERASE_X8, EraseRecord{code, 1}), 0u);
        pattern[1] = 0xFF;
        EXPECT_EQ(Cells(chip), pattern);
        EXPECT_EQ(modify(REQ_WRAL_X8, FillRecord{code, 0x00A5}), 0u);
        EXPECT_EQ(Cells(chip), CellList(type.words, 0xA5));
        EXPECT_EQ(modify(REQ_ERAL_X8, EralRecord{code}), 0u);
        EXPECT_EQ(Cells(chip), CellList(type.words, 0xFF));
        EXPECT_EQ(Cells(harness.Chip(code)), CellList(type.words / 2, 0xFFFF));
    }
}

// The chip commands of the program in 8-bit organisation, through the built-in driver, on
// chips with and without sequential read; the cells persist in the chip's own file.
TEST(ByteOrganisation, ChipCommandsRunOnEverySizeWithAndWithoutSequentialRead)
{
    for (const AfterLastDataBit variant :
         {AfterLastDataBit::NextWord, AfterLastDataBit::Zeros, AfterLastDataBit::Released,
          AfterLastDataBit::SameWordAgain}) {
        TemporaryFolder folder;
        {
            VirtualDriverHarness harness(folder.Path());
            BuiltInDriver& link = harness.Driver();
            for (const EepromTypeInfo& type : EepromTypes(kBytes8)) {
                SCOPED_TRACE(Name(type) + " variant " + std::to_string(int(variant)));
                harness.Chip(type.code, kBytes8).SetAfterLastDataBit(variant);
                const CellList pattern = BytePattern(type);
                const std::vector<std::uint32_t> cells(pattern.begin(), pattern.end());
                EXPECT_TRUE(WriteAllCells(link, kVirtualAdapterBase, type, cells).succeeded);
                const ImageCommandResult read = ReadAllCells(link, kVirtualAdapterBase, type);
                ASSERT_TRUE(read.succeeded) << read.errorCode;
                EXPECT_EQ(read.words, cells);
                EXPECT_TRUE(WriteCell(link, kVirtualAdapterBase, type, 3, 0x3C).succeeded);
                EXPECT_EQ(ReadCell(link, kVirtualAdapterBase, type, 3).dialogData, 0x3Cu);
                EXPECT_TRUE(EraseCell(link, kVirtualAdapterBase, type, 3).succeeded);
                EXPECT_EQ(ReadCell(link, kVirtualAdapterBase, type, 3).dialogData, 0xFFu);
                const FillCommandResult filled = WralCells(link, kVirtualAdapterBase, type, 0x81);
                EXPECT_EQ(filled.words, std::vector<std::uint32_t>(type.words, 0x81));
            }
        }
        VirtualAdapter reopened(folder.Path() / "chips", BusTiming{});
        for (const EepromTypeInfo& type : EepromTypes(kBytes8)) {
            MicrowireChip& chip = reopened.Chip(type.code, kBytes8);
            reopened.BusFor(*FindMicrowireGeometry(type.code, kBytes8));
            EXPECT_EQ(Cells(chip), CellList(type.words, 0x81)) << Name(type);
            reopened.FinishRequest();
        }
    }
}

// A driver that knows only the 16-bit requests fails the first 8-bit one, and nothing that
// could change the chip was sent before it.
TEST(ByteOrganisation, ADriverWithoutTheByteRequestsFailsTheCommandUntouched)
{
    struct SixteenBitOnly : DriverLink
    {
        DriverLink& inner;
        std::vector<std::uint32_t> codes;
        explicit SixteenBitOnly(DriverLink& link) : inner(link) {}
        DriverHandle Open(std::uint32_t attributes) override { return inner.Open(attributes); }
        bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                     std::uint32_t inSize, std::uint32_t outSize,
                     std::uint32_t& bytesReturned) override
        {
            codes.push_back(code);
            bytesReturned = 0;
            if (code > REQ_DETECT_TYPE)
                return false;
            return inner.Control(handle, code, buffer, inSize, outSize, bytesReturned);
        }
        void Close(DriverHandle handle) override { inner.Close(handle); }
    };
    TemporaryFolder folder;
    VirtualDriverHarness harness(folder.Path());
    SixteenBitOnly link(harness.Driver());
    const EepromTypeInfo& type = *FindEepromType(1, kBytes8);
    const std::vector<std::uint32_t> cells(128, 0x12);
    const DriverResult results[] = {
        ReadAllCells(link, kVirtualAdapterBase, type),
        WriteAllCells(link, kVirtualAdapterBase, type, cells),
        WralCells(link, kVirtualAdapterBase, type, 0x12),
        EralCells(link, kVirtualAdapterBase, type),
        ReadCell(link, kVirtualAdapterBase, type, 0),
        WriteCell(link, kVirtualAdapterBase, type, 0, 0x12),
        EraseCell(link, kVirtualAdapterBase, type, 0),
        DetectChipOrganisation(link, kVirtualAdapterBase, 1, kBytes8),
    };
    for (const DriverResult& result : results) {
        EXPECT_FALSE(result.succeeded);
        EXPECT_TRUE(DriverLacksRequest(result)) << result.errorCode;
    }
    for (const std::uint32_t code : link.codes)
        EXPECT_TRUE(code == REQ_SET_PORT || code > REQ_DETECT_TYPE) << code;
    EXPECT_EQ(harness.Chip(1, kBytes8).ProgrammingInstructions(), 0u);
    EXPECT_EQ(harness.Chip(1).ProgrammingInstructions(), 0u);
}

// Every size in both organisations, in a socket of its own, with varied and with erased cells:
// the answer names what the address width and the contents can tell, reading only.
TEST(ByteOrganisation, DetectionNamesSizeAndOrganisationOrEveryTypeThatFits)
{
    const auto type = [](EepromType code, EepromOrganisation organisation) {
        return FindEepromType(code, organisation);
    };
    using Names = std::vector<const EepromTypeInfo*>;
    struct Case
    {
        EepromType code;
        EepromOrganisation organisation;
        unsigned addressBits;
        Names varied;
        Names erased;
    };
    const Names w8 = {type(2, kWords16), type(4, kWords16), type(3, kBytes8)};
    const Names w7 = {type(3, kWords16), type(1, kBytes8)};
    const Case cases[] = {
        {1, kWords16, 6, {type(1, kWords16)}, {type(1, kWords16)}},
        {2, kWords16, 8, {type(2, kWords16), type(4, kWords16)}, w8},
        {3, kWords16, 7, {type(3, kWords16)}, w7},
        {4, kWords16, 8, {type(4, kWords16)}, w8},
        {5,
         kWords16,
         10,
         {type(5, kWords16), type(6, kWords16)},
         {type(5, kWords16), type(6, kWords16)}},
        {6, kWords16, 10, {type(6, kWords16)}, {type(5, kWords16), type(6, kWords16)}},
        {1, kBytes8, 7, {type(1, kBytes8)}, w7},
        {2, kBytes8, 9, {type(2, kBytes8), type(4, kBytes8)}, {type(2, kBytes8), type(4, kBytes8)}},
        {3, kBytes8, 8, {type(3, kBytes8)}, w8},
        {4, kBytes8, 9, {type(4, kBytes8)}, {type(2, kBytes8), type(4, kBytes8)}},
        {5,
         kBytes8,
         11,
         {type(5, kBytes8), type(6, kBytes8)},
         {type(5, kBytes8), type(6, kBytes8)}},
        {6, kBytes8, 11, {type(6, kBytes8)}, {type(5, kBytes8), type(6, kBytes8)}},
    };
    for (const Case& c : cases) {
        const EepromTypeInfo& socket = *type(c.code, c.organisation);
        for (const bool varied : {true, false}) {
            SCOPED_TRACE(Name(socket) + (varied ? " varied" : " erased"));
            TemporaryFolder folder;
            VirtualDriverHarness harness(folder.Path(), {}, {}, c.code, c.organisation);
            MicrowireChip& chip = harness.Chip(c.code, c.organisation);
            if (varied) {
                CellList cells = BytePattern(socket);
                if (c.organisation == kWords16)
                    for (std::uint32_t i = 0; i < socket.words; ++i)
                        cells[i] = static_cast<std::uint16_t>(0x5A00 ^ (i * 0x0101) ^ (i << 11));
                ASSERT_TRUE(WriteAllCells(harness.Driver(), kVirtualAdapterBase, socket,
                                          std::vector<std::uint32_t>(cells.begin(), cells.end()))
                                .succeeded);
            }
            const unsigned programmed = chip.ProgrammingInstructions();
            const OrganisationDetectResult result =
                DetectChipOrganisation(harness.Driver(), kVirtualAdapterBase, 2, kWords16);
            ASSERT_TRUE(result.succeeded) << result.errorCode;
            EXPECT_EQ(result.addressBits, c.addressBits);
            EXPECT_EQ(result.candidates, varied ? c.varied : c.erased);
            EXPECT_EQ(result.type, result.candidates.front());
            EXPECT_EQ(chip.ProgrammingInstructions(), programmed);
        }
    }
}

// A byte chip without sequential read cannot show its next byte, so a word read cannot tell
// it from a word chip whose low bytes look like what such a chip shows there.
TEST(ByteOrganisation, DetectionNamesBothForAByteChipWithoutSequentialRead)
{
    TemporaryFolder folder;
    VirtualDriverHarness harness(folder.Path(), {}, {}, 1, kBytes8);
    const EepromTypeInfo& type = *FindEepromType(1, kBytes8);
    const CellList bytes = BytePattern(type);
    ASSERT_TRUE(WriteAllCells(harness.Driver(), kVirtualAdapterBase, type,
                              std::vector<std::uint32_t>(bytes.begin(), bytes.end()))
                    .succeeded);
    harness.Chip(1, kBytes8).SetAfterLastDataBit(AfterLastDataBit::Zeros);
    const OrganisationDetectResult result =
        DetectChipOrganisation(harness.Driver(), kVirtualAdapterBase, 2, kWords16);
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.candidates,
              (std::vector{FindEepromType(3, kWords16), FindEepromType(1, kBytes8)}));
}

} // namespace
} // namespace pemrix
