#include "driver/WholeChipCommands.h"

#include <algorithm>

#include "driver/DriverSession.h"
#include "driver/OrganisationRequests.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

namespace pemrix {

namespace {

// The slots of the two image records: 32-bit words, or bytes in 8-bit organisation.
std::span<std::uint32_t> Slots(ImageRecord& record)
{
    return record.words;
}

std::span<const std::uint32_t> Slots(const ImageRecord& record)
{
    return record.words;
}

std::span<std::uint8_t> Slots(ByteImageRecord& record)
{
    return record.bytes;
}

std::span<const std::uint8_t> Slots(const ByteImageRecord& record)
{
    return record.bytes;
}

template <class Record> auto ChipCells(const Record& record, const EepromTypeInfo& type)
{
    return Slots(record).first(type.words);
}

template <class Record>
bool AllCellsEqual(const Record& record, const EepromTypeInfo& type, std::uint32_t value)
{
    const auto cells = ChipCells(record, type);
    return std::all_of(cells.begin(), cells.end(), [value](auto c) { return c == value; });
}

template <class Record> bool SameCells(const Record& a, const Record& b, const EepromTypeInfo& type)
{
    return std::ranges::equal(ChipCells(a, type), ChipCells(b, type));
}

// The common road of WriteAll, WRAL and ERAL: the bracketed modification, then the whole chip
// read back.
template <class Record, class Image>
void ModifyAndReadBack(DriverSession& session, std::uint32_t portAddress,
                       const OrganisationRequests& requests, std::uint32_t code, Record& record,
                       Image& readBack)
{
    session.Start(portAddress);
    session.Modify(requests, code, readBack.type, record);
    session.Exchange(DriverStep::Verification, requests.readAll, readBack);
}

template <class Image>
ImageCommandResult ConcludeWithCells(DriverSession& session, const Image& record,
                                     const EepromTypeInfo& type)
{
    ImageCommandResult result{session.Finish()};
    if (result.succeeded) {
        const auto cells = ChipCells(record, type);
        result.words.assign(cells.begin(), cells.end());
    }
    return result;
}

// Each command for the image record of its organisation.
template <class Image> struct ImageCommands
{
    static ImageCommandResult ReadAll(DriverLink& link, std::uint32_t portAddress,
                                      const EepromTypeInfo& chip,
                                      const OrganisationRequests& requests)
    {
        Image first{.type = chip.code};
        Image second{.type = chip.code};

        DriverSession session(link);
        session.Start(portAddress);
        session.Exchange(DriverStep::MainRequest, requests.readAll, first);
        session.Exchange(DriverStep::Verification, requests.readAll, second);
        session.Expect(SameCells(first, second, chip));
        return ConcludeWithCells(session, first, chip);
    }

    static DriverResult WriteAll(DriverLink& link, std::uint32_t portAddress,
                                 const EepromTypeInfo& chip, const OrganisationRequests& requests,
                                 std::span<const std::uint32_t> words)
    {
        Image written{.type = chip.code};
        const auto slots = Slots(written);
        using Slot = typename decltype(slots)::value_type;
        const std::span<const std::uint32_t> chipWords =
            words.first(std::min<std::size_t>(words.size(), chip.words));
        std::transform(chipWords.begin(), chipWords.end(), slots.begin(),
                       [](std::uint32_t w) { return static_cast<Slot>(w); });
        const Image sent = written;
        Image readBack{.type = chip.code};

        DriverSession session(link);
        ModifyAndReadBack(session, portAddress, requests, requests.writeAll, written, readBack);
        session.Expect(SameCells(sent, readBack, chip));
        return session.Finish();
    }

    static FillCommandResult Wral(DriverLink& link, std::uint32_t portAddress,
                                  const EepromTypeInfo& chip, const OrganisationRequests& requests,
                                  std::uint32_t data)
    {
        FillRecord fill{.type = chip.code, .data = data};
        Image readBack{.type = chip.code};

        DriverSession session(link);
        ModifyAndReadBack(session, portAddress, requests, requests.wral, fill, readBack);
        session.Expect(AllCellsEqual(readBack, chip, data));
        FillCommandResult result{ConcludeWithCells(session, readBack, chip)};
        if (result.succeeded)
            result.data = fill.data;
        return result;
    }

    static ImageCommandResult Eral(DriverLink& link, std::uint32_t portAddress,
                                   const EepromTypeInfo& chip, const OrganisationRequests& requests)
    {
        EralRecord eral{.type = chip.code};
        Image readBack{.type = chip.code};

        DriverSession session(link);
        ModifyAndReadBack(session, portAddress, requests, requests.eral, eral, readBack);
        session.Expect(AllCellsEqual(readBack, chip, ErasedCell(requests.organisation)));
        return ConcludeWithCells(session, readBack, chip);
    }
};

using WordImages = ImageCommands<ImageRecord>;
using ByteImages = ImageCommands<ByteImageRecord>;

bool InBytes(const EepromTypeInfo& type)
{
    return type.organisation == EepromOrganisation::Bytes8;
}

} // namespace

ImageCommandResult ReadAll(DriverLink& link, std::uint32_t portAddress, EepromType type)
{
    return ReadAllCells(link, portAddress, EffectiveEepromType(type));
}

DriverResult WriteAll(DriverLink& link, std::uint32_t portAddress, EepromType type,
                      std::span<const std::uint32_t> words)
{
    return WriteAllCells(link, portAddress, EffectiveEepromType(type), words);
}

FillCommandResult Wral(DriverLink& link, std::uint32_t portAddress, EepromType type,
                       std::uint32_t data)
{
    return WralCells(link, portAddress, EffectiveEepromType(type), data);
}

ImageCommandResult Eral(DriverLink& link, std::uint32_t portAddress, EepromType type)
{
    return EralCells(link, portAddress, EffectiveEepromType(type));
}

ImageCommandResult ReadAllCells(DriverLink& link, std::uint32_t portAddress,
                                const EepromTypeInfo& type)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    return InBytes(type) ? ByteImages::ReadAll(link, portAddress, type, requests)
                         : WordImages::ReadAll(link, portAddress, type, requests);
}

DriverResult WriteAllCells(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                           std::span<const std::uint32_t> cells)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    return InBytes(type) ? ByteImages::WriteAll(link, portAddress, type, requests, cells)
                         : WordImages::WriteAll(link, portAddress, type, requests, cells);
}

FillCommandResult WralCells(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t data)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    return InBytes(type) ? ByteImages::Wral(link, portAddress, type, requests, data)
                         : WordImages::Wral(link, portAddress, type, requests, data);
}

ImageCommandResult EralCells(DriverLink& link, std::uint32_t portAddress,
                             const EepromTypeInfo& type)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    return InBytes(type) ? ByteImages::Eral(link, portAddress, type, requests)
                         : WordImages::Eral(link, portAddress, type, requests);
}

} // namespace pemrix
