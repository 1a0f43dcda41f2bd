#include "driver/SingleWordCommands.h"

#include "core/DumpText.h"
#include "driver/DriverSession.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

namespace pemrix {

namespace {

WordCommandResult Conclude(DriverSession& session, const WordRecord& dialog, const WordRecord& log)
{
    WordCommandResult result{session.Finish()};
    if (result.succeeded) {
        result.dialogAddress = dialog.address;
        result.dialogData = dialog.data;
        result.logAddress = log.address;
        result.logData = log.data;
    }
    return result;
}

// The common road of WRITE and ERASE: the bracketed modification, then the word read back.
template <class Record>
void ModifyAndReadBack(DriverSession& session, std::uint32_t portAddress, std::uint32_t code,
                       Record& record, WordRecord& readBack, std::uint32_t expected)
{
    session.Start(portAddress);
    session.Modify(code, readBack.type, record);
    session.Exchange(DriverStep::Verification, REQ_READ, readBack);
    session.Expect(readBack.data == expected);
}

} // namespace

WordCommandResult ReadWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                           std::uint32_t address)
{
    const EepromType code = EffectiveEepromType(type).code;
    WordRecord first{.type = code, .address = address};
    WordRecord second = first;

    DriverSession session(link);
    session.Start(portAddress);
    session.Exchange(DriverStep::MainRequest, REQ_READ, first);
    session.Exchange(DriverStep::Verification, REQ_READ, second);
    session.Expect(second.data == first.data);
    return Conclude(session, first, first);
}

WordCommandResult WriteWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address, std::uint32_t data)
{
    const EepromType code = EffectiveEepromType(type).code;
    WordRecord written{.type = code, .address = address, .data = data};
    WordRecord readBack{.type = code, .address = address};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, REQ_WRITE, written, readBack, data);
    return Conclude(session, written, readBack);
}

WordCommandResult EraseWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address)
{
    const EepromType code = EffectiveEepromType(type).code;
    EraseRecord erased{.type = code, .address = address};
    WordRecord readBack{.type = code, .address = address};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, REQ_ERASE, erased, readBack, kErasedWord);
    return Conclude(session, WordRecord{.address = erased.address, .data = kErasedWord}, readBack);
}

} // namespace pemrix
