#pragma once

#include "adapter/bus/LinePort.h"
#include "adapter/ports/gpiod/GpiodCalls.h"

#include <array>

namespace pemrix {

// The three Microwire outputs and DO on requested GPIO lines. Flush sets all three in one
// call, so SK and DI change together; after a call fails, nothing more is tried and Error
// says why.
class GpiodLinePort : public LinePort
{
public:
    explicit GpiodLinePort(GpiodCalls& calls) : m_calls(calls) {}

    void SetLine(DriveLine line, bool level) override;
    void Flush() override;
    // DO reads high, as an undriven line with its pull-up would, once a call has failed.
    bool ReadDataOut() override;

    // The first call's errno since the last ClearError, or 0.
    int Error() const { return m_nError; }
    void ClearError() { m_nError = 0; }

private:
    GpiodCalls& m_calls;
    std::array<int, 3> m_levels{};
    int m_nError = 0;
};

} // namespace pemrix
