#pragma once

#include "adapter/ports/CableProfile.h"
#include "adapter/bus/LinePort.h"
#include "adapter/ports/PpdevCalls.h"

#include <cstdint>

namespace pemrix {

// The Microwire lines on a claimed /dev/parportN: SetLine edits a copy of the data register
// through the cable's pin map, Flush writes it with one PPWDATA, and DO comes from one
// PPRSTATUS. The first failing call is kept; afterwards DO reads high, as an empty socket.
class PpdevLinePort : public LinePort
{
public:
    PpdevLinePort(PpdevCalls& calls, int fd, const CableProfile& cable);

    void SetLine(DriveLine line, bool level) override;
    void Flush() override;
    bool ReadDataOut() override;

    // Every line inactive, written at once.
    void Rest();
    // Raises each loopback's data bit alone and checks that exactly its status bit follows.
    bool LoopbacksAnswer();
    // The errno of the first failed call, or 0.
    int Error() const { return m_nError; }

private:
    bool ReadStatus(std::uint8_t& status);
    void Note(int error);

    PpdevCalls& m_calls;
    int m_nFd;
    const CableProfile& m_cable;
    std::uint8_t m_nData = 0;
    int m_nError = 0;
};

} // namespace pemrix
