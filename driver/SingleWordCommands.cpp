#include "driver/SingleWordCommands.h"

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

// The common road of WRITE and ERASE: the bracketed modification, then the cell read back.
template <class Record>
void ModifyAndReadBack(DriverSession& session, std::uint32_t portAddress,
                       const OrganisationRequests& requests, std::uint32_t code, Record& record,
                       WordRecord& readBack, std::uint32_t expected)
{
    session.Start(portAddress);
    session.Modify(requests, code, readBack.type, record);
    session.Exchange(DriverStep::Verification, requests.read, readBack);
    session.Expect(readBack.data == expected);
}

} // namespace

WordCommandResult ReadWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                           std::uint32_t address)
{
    return ReadCell(link, portAddress, EffectiveEepromType(type), address);
}

WordCommandResult WriteWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address, std::uint32_t data)
{
    return WriteCell(link, portAddress, EffectiveEepromType(type), address, data);
}

WordCommandResult EraseWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address)
{
    return EraseCell(link, portAddress, EffectiveEepromType(type), address);
}

WordCommandResult ReadCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                           std::uint32_t address)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    WordRecord first{.type = type.code, .address = address};
    WordRecord second = first;

    DriverSession session(link);
    session.Start(portAddress);
    session.Exchange(DriverStep::MainRequest, requests.read, first);
    session.Exchange(DriverStep::Verification, requests.read, second);
    session.Expect(second.data == first.data);
    return Conclude(session, first, first);
}

WordCommandResult WriteCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t address, std::uint32_t data)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    WordRecord written{.type = type.code, .address = address, .data = data};
    WordRecord readBack{.type = type.code, .address = address};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, requests, requests.write, written, readBack, data);
    return Conclude(session, written, readBack);
}

WordCommandResult EraseCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t address)
{
    const OrganisationRequests& requests = RequestsOf(type.organisation);
    const std::uint32_t erased = ErasedCell(type.organisation);
    EraseRecord erase{.type = type.code, .address = address};
    WordRecord readBack{.type = type.code, .address = address};

    DriverSession session(link);
    ModifyAndReadBack(session, portAddress, requests, requests.erase, erase, readBack, erased);
    return Conclude(session, WordRecord{.address = erase.address, .data = erased}, readBack);
}

} // namespace pemrix
