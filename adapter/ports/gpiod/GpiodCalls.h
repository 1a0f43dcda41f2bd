#pragma once

#include "adapter/ports/AdapterCalls.h"

#include <array>
#include <string>
#include <vector>

namespace pemrix {

// One gpiochip as libgpiod lists it.
struct GpioChipEntry
{
    // "/dev/gpiochip0"; the number may change between kernels, the label does not.
    std::string path;
    std::string label;
    unsigned lines = 0;
};

// The libgpiod calls the GPIO adapter makes, shaped after the v1 API, so tests can play the
// chip and a v2 binding can follow. Each answers 0 or an errno value: ENOENT for a chip that
// is not there, EACCES for one the user may not open, EBUSY for a line another consumer holds,
// EINVAL for an offset beyond the chip, ENODEV for a chip that went away.
class GpiodCalls : public AdapterCalls
{
public:
    // Every gpiochip of the machine, in number order.
    virtual std::vector<GpioChipEntry> Chips() = 0;
    // Opens the chip and requests the three outputs, low at first, and the input.
    virtual int Request(const std::string& path, const std::array<unsigned, 3>& outputs,
                        unsigned input) = 0;
    // Puts the three outputs' levels on the lines in one call.
    virtual int SetOutputs(const std::array<int, 3>& levels) = 0;
    // The input's level in `level`.
    virtual int GetInput(int& level) = 0;
    // Releases the lines and closes the chip; nothing when nothing is requested.
    virtual void Release() = 0;
};

} // namespace pemrix
