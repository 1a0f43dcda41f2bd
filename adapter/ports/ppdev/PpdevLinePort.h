#pragma once

#include "adapter/ports/ppdev/CableProfile.h"
#include "adapter/bus/LinePort.h"
#include "adapter/ports/ppdev/PpdevCalls.h"

#include <cstdint>

namespace pemrix {

// The Microwire lines on a claimed /dev/parportN: SetLine edits a copy of the data register
// through the cable's pin map, Flush writes it with one PPWDATA, and DO comes from one
// PPRSTATUS. The first failing call is kept and ends the port's calls until it is attached
// again; meanwhile, and while detached, DO reads high, as an empty socket.
class PpdevLinePort : public LinePort
{
public:
    PpdevLinePort(PpdevCalls& calls, const CableProfile& cable);

    void SetLine(DriveLine line, bool level) override;
    void Flush() override;
    bool ReadDataOut() override;

    // Starts on a freshly claimed port with no error and every line at rest.
    void Attach(int fd);
    // Puts every line at rest and lets go of the port.
    void Detach();
    // Raises each loopback's data bit alone and checks that exactly its status bit follows.
    bool LoopbacksAnswer();
    // The errno of the first failed call since Attach, or 0.
    int Error() const { return m_nError; }

private:
    void Rest();
    void WriteData(std::uint8_t value);
    bool ReadStatus(std::uint8_t& status);
    bool Usable() const { return m_nFd >= 0 && m_nError == 0; }

    PpdevCalls& m_calls;
    int m_nFd = -1;
    const CableProfile& m_cable;
    std::uint8_t m_nData = 0;
    int m_nError = 0;
};

} // namespace pemrix
