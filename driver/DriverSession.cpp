#include "driver/DriverSession.h"

#include "driver/RequestRecords.h"

namespace pemrix {

DriverSession::DriverSession(DriverLink& link) : m_link(link) {}

DriverSession::~DriverSession()
{
    Close();
}

void DriverSession::Start(std::uint32_t portAddress)
{
    m_nHandle = m_link.Open(kChipCommandOpenAttributes);
    if (m_nHandle == kInvalidDriverHandle) {
        m_result = DriverResult::Failure(kOpenFailedCode);
        return;
    }
    SendValue(DriverStep::SetPort, REQ_SET_PORT, portAddress);
}

void DriverSession::SendValue(DriverStep step, std::uint32_t code, std::uint32_t value)
{
    if (!m_result.succeeded)
        return;
    std::array<std::uint8_t, ValueRequest::kSize> bytes{};
    EncodeRecord(ValueRequest{value}, bytes);
    std::uint32_t bytesReturned = 0;
    const bool callSucceeded = Call(code, bytes, 0, bytesReturned);
    Conclude(CheckReply(step, callSucceeded, bytesReturned, 0, std::nullopt));
}

void DriverSession::Expect(bool matches)
{
    if (m_result.succeeded && !matches)
        Conclude(DriverResult::Failure(kMismatchCode));
}

DriverResult DriverSession::Finish()
{
    Close();
    return m_result;
}

bool DriverSession::Call(std::uint32_t code, std::span<std::uint8_t> buffer, std::uint32_t outSize,
                         std::uint32_t& bytesReturned)
{
    return m_link.Control(m_nHandle, code, buffer.data(), static_cast<std::uint32_t>(buffer.size()),
                          outSize, bytesReturned);
}

void DriverSession::Conclude(const DriverResult& stepResult)
{
    if (stepResult.succeeded)
        return;
    m_result = stepResult;
    Close();
}

void DriverSession::Close()
{
    if (m_nHandle == kInvalidDriverHandle)
        return;
    m_link.Close(m_nHandle);
    m_nHandle = kInvalidDriverHandle;
}

} // namespace pemrix
