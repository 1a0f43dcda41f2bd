#include "adapter/ports/gpiod/GpiodAdapter.h"

#include <cerrno>

namespace pemrix {

namespace {

AdapterStatus StatusForGpioError(int error)
{
    switch (error) {
    case 0:
        return AdapterStatus::Ok;
    case EACCES:
    case EPERM:
        return AdapterStatus::GpioNotPermitted;
    case EBUSY:
        return AdapterStatus::GpioLineBusy;
    case EINVAL:
        return AdapterStatus::GpioLineMissing;
    default:
        return AdapterStatus::GpioChipMissing;
    }
}

} // namespace

std::unique_ptr<GpiodAdapter> GpiodAdapter::Connect(const GpioSetup& setup, const std::string& path,
                                                    AdapterStatus& status)
{
    status =
        StatusForGpioError(setup.calls->Request(path, setup.wiring.outputs, setup.wiring.dataOut));
    if (status != AdapterStatus::Ok)
        return nullptr;
    return std::make_unique<GpiodAdapter>(setup);
}

GpiodAdapter::GpiodAdapter(const GpioSetup& setup)
    : m_setup(setup), m_lines(*setup.calls), m_transactions(m_lines, *setup.clock, setup.timing),
      m_bus(m_transactions, *setup.clock, setup.timing)
{
}

GpiodAdapter::~GpiodAdapter()
{
    m_lines.SetLine(DriveLine::ChipSelect, false);
    m_lines.SetLine(DriveLine::Clock, false);
    m_lines.SetLine(DriveLine::DataIn, false);
    m_lines.Flush();
    m_setup.calls->Release();
}

MicrowireBus& GpiodAdapter::BusFor(const MicrowireGeometry&)
{
    return m_bus;
}

AdapterStatus GpiodAdapter::FinishRequest()
{
    // A line call that failed while the lines were held means the chip went away.
    const AdapterStatus status = StatusForGpioError(m_lines.Error());
    m_lines.ClearError();
    return status;
}

} // namespace pemrix
