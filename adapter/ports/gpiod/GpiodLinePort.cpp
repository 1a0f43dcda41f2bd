#include "adapter/ports/gpiod/GpiodLinePort.h"

namespace pemrix {

void GpiodLinePort::SetLine(DriveLine line, bool level)
{
    m_levels[static_cast<std::size_t>(line)] = level ? 1 : 0;
}

void GpiodLinePort::Flush()
{
    if (m_nError == 0)
        m_nError = m_calls.SetOutputs(m_levels);
}

bool GpiodLinePort::ReadDataOut()
{
    int level = 1;
    if (m_nError == 0)
        m_nError = m_calls.GetInput(level);
    return m_nError != 0 || level != 0;
}

} // namespace pemrix
