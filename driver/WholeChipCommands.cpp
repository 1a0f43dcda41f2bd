#include "driver/WholeChipCommands.h"

#include <algorithm>

#include "core/DumpText.h"
#include "driver/DriverSession.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

namespace pemrix {

namespace {

std::span<const std::uint32_t> ChipWords(const ImageRecord& record, const EepromTypeInfo& type)
{
    return std::span<const std::uint32_t>(record.words).first(type.words);
}

bool AllWordsEqual(const ImageRecord& record, const EepromTypeInfo& type, std::uint32_t value)
{
    const std::span<const std::uint32_t> words = ChipWords(record, type);
    return std::all_of(words.begin(), words.end(), [value](std::uint32_t w) { return w == value; });
}

bool SameWords(const ImageRecord& a, const ImageRecord& b, const EepromTypeInfo& type)
{
    return std::ranges::equal(ChipWords(a, type), ChipWords(b, type));
}

void ReadBack(DriverSession& session, ImageRecord& record)
{
    session.Exchange(DriverStep::Verification, REQ_READ_ALL, record);
}

// The common road of WriteAll, WRAL and ERAL: the bracketed modification, then the whole chip
// read back.
template <class Record>
void ModifyAndReadBack(DriverSession& session, std::uint32_t portAddress, std::uint32_t code,
                       Record& record, ImageRecord& readBack)
{
    session.Start(portAddress);
    session.Modify(code, readBack.type, record);
    ReadBack(session, readBack);
}

ImageCommandResult ConcludeWithWords(DriverSession& session, const ImageRecord& record,
                                     const EepromTypeInfo& type)
{
    ImageCommandResult result{session.Finish()};
    if (result.succeeded)
        result.words.assign(record.words.begin(), record.words.begin() + type.words);
    return result;
}

} // namespace

ImageCommandResult ReadAll(DriverLink& link, std::uint32_t portAddress, EepromType type)
{
    const EepromTypeInfo& chip = EffectiveEepromType(type);
    ImageRecord first{.type = chip.code};
    ImageRecord second{.type = chip.code};

    DriverSession session(link);
    session.Start(portAddress);
    session.Exchange(DriverStep::MainRequest, REQ_READ_ALL, first);
    ReadBack(session, second);
    session.Expect(SameWords(first, second, chip));
    return ConcludeWithWords(session, first, chip);
}

DriverResult WriteAll(DriverLink& link, std::uint32_t portAddress, EepromType type,
                      std::span<const std::uint32_t> words)
{
    const EepromTypeInfo& chip = EffectiveEepromType(type);
    ImageRecord written{.type = chip.code};
    std::copy_n(words.begin(), std::min<std::size_t>(words.size(), chip.words),
                written.words.begin());
    const ImageRecord sent = written;
    ImageRecord readBack{.type = chip.code};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, REQ_WRITE_ALL, written, readBack);
    session.Expect(SameWords(sent, readBack, chip));
    return session.Finish();
}

FillCommandResult Wral(DriverLink& link, std::uint32_t portAddress, EepromType type,
                       std::uint32_t data)
{
    const EepromTypeInfo& chip = EffectiveEepromType(type);
    FillRecord fill{.type = chip.code, .data = data};
    ImageRecord readBack{.type = chip.code};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, REQ_WRAL, fill, readBack);
    session.Expect(AllWordsEqual(readBack, chip, data));
    FillCommandResult result{ConcludeWithWords(session, readBack, chip)};
    if (result.succeeded)
        result.data = fill.data;
    return result;
}

ImageCommandResult Eral(DriverLink& link, std::uint32_t portAddress, EepromType type)
{
    const EepromTypeInfo& chip = EffectiveEepromType(type);
    EralRecord eral{.type = chip.code};
    ImageRecord readBack{.type = chip.code};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, REQ_ERAL, eral, readBack);
    session.Expect(AllWordsEqual(readBack, chip, kErasedWord));
    return ConcludeWithWords(session, readBack, chip);
}

} // namespace pemrix
