#pragma once

namespace pemrix {

// The three Microwire lines the adapter drives.
enum class DriveLine
{
    ChipSelect,
    Clock,
    DataIn,
};

// The adapter's pins as the bus sees them: line levels are logical (true = high at the chip),
// whatever the cable's wiring. SetLine only records a level; Flush puts every recorded level
// on the wire in one port access, so lines that change together do so at once.
class LinePort
{
public:
    virtual ~LinePort() = default;
    virtual void SetLine(DriveLine line, bool level) = 0;
    virtual void Flush() = 0;
    virtual bool ReadDataOut() = 0;
};

} // namespace pemrix
