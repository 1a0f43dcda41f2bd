#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/EepromTypeInfo.h"
#include "driver/DriverLink.h"
#include "driver/DriverResult.h"
#include "driver/OrganisationRequests.h"
#include "driver/RecordBytes.h"
#include "driver/ReplyCheck.h"
#include "driver/RequestCodes.h"

namespace pemrix {

// One chip command's conversation with the driver. The first failing step closes the device
// at once and turns every later step into a no-op, so a command can be written as a plain
// list of steps and still send nothing after a failure.
class DriverSession
{
public:
    explicit DriverSession(DriverLink& link);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    // Opens the device for a chip command and sends the port address.
    void Start(std::uint32_t portAddress);

    // Sends a 4-byte request, which answers with no bytes and no status.
    void SendValue(DriverStep step, std::uint32_t code, std::uint32_t value);

    // Sends `record` and, once the reply has passed the checking rule, takes the reply into it;
    // a failed exchange leaves `record` as it was.
    template <class Record> void Exchange(DriverStep step, std::uint32_t code, Record& record);

    // A modifying request bracketed by the organisation's write enable and write disable.
    template <class Record>
    void Modify(const OrganisationRequests& requests, std::uint32_t code, EepromType type,
                Record& record);

    // Fails the command with the mismatch code unless `matches`.
    void Expect(bool matches);

    bool Succeeded() const { return m_result.succeeded; }

    // Closes the device if it is still open and returns the command's outcome.
    DriverResult Finish();

private:
    bool Call(std::uint32_t code, std::span<std::uint8_t> buffer, std::uint32_t outSize,
              std::uint32_t& bytesReturned);
    void Conclude(const DriverResult& stepResult);
    void Close();

    DriverLink& m_link;
    DriverHandle m_nHandle = kInvalidDriverHandle;
    DriverResult m_result;
};

template <class Record>
void DriverSession::Exchange(DriverStep step, std::uint32_t code, Record& record)
{
    if (!m_result.succeeded)
        return;
    std::array<std::uint8_t, Record::kSize> bytes{};
    EncodeRecord(record, bytes);
    std::uint32_t bytesReturned = 0;
    const bool callSucceeded = Call(code, bytes, Record::kSize, bytesReturned);
    const Record reply = DecodeRecord<Record>(bytes);
    Conclude(CheckReply(step, callSucceeded, bytesReturned, Record::kSize, reply.status));
    if (m_result.succeeded)
        record = reply;
}

template <class Record>
void DriverSession::Modify(const OrganisationRequests& requests, std::uint32_t code,
                           EepromType type, Record& record)
{
    SendValue(DriverStep::WriteEnable, requests.writeEnable, type);
    Exchange(DriverStep::MainRequest, code, record);
    SendValue(DriverStep::WriteDisable, requests.writeDisable, type);
}

} // namespace pemrix
