#pragma once

#include "adapter/ChipSession.h"
#include "adapter/PortConnector.h"
#include "driver/DriverLink.h"
#include "driver/RequestRecords.h"

#include <memory>

namespace pemrix {

// The program's own driver on Linux: answers the driver's eleven requests as the kernel
// driver does, with the same records and byte counts and the outcome in the status field,
// and requests of its own: chip type detection, the 8-bit organisation's twins of the chip
// requests with their byte image record, and detection of size and organisation.
//
// A call returns FALSE only when the call itself is malformed: an unknown handle or request
// code, no buffer, or a buffer smaller than the request's record. Everything the port, the
// cable or the chip does is a status: REQ_SET_PORT only remembers the address, and a port
// that is missing or busy is reported by the first record request that needs it.
class BuiltInDriver : public DriverLink
{
public:
    explicit BuiltInDriver(std::shared_ptr<PortConnector> connector);

    // Like a device opened with share mode 0: a second Open fails while a handle is open.
    DriverHandle Open(std::uint32_t attributes) override;
    bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                 std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesReturned) override;
    void Close(DriverHandle handle) override;
    void WatchProgress(DriverProgress* progress) override;

    static constexpr VersionRecord kVersion{2, 1, 0, 0, 0};

private:
    std::shared_ptr<PortConnector> m_connector;
    DriverHandle m_nOpenHandle = kInvalidDriverHandle;
    DriverHandle m_nLastHandle = 0;
    std::unique_ptr<ChipSession> m_session;
    DriverProgress* m_progress = nullptr;
};

} // namespace pemrix
