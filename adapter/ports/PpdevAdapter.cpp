#include "adapter/ports/PpdevAdapter.h"

#include <cerrno>

namespace pemrix {

namespace {

// A device node that is gone or has no port behind it counts as no port; anything else that
// keeps us from the port (EACCES, EBUSY, ...) as busy or not permitted.
AdapterStatus StatusForPortError(int error)
{
    switch (error) {
    case 0:
        return AdapterStatus::Ok;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return AdapterStatus::NoPort;
    default:
        return AdapterStatus::PortUnavailable;
    }
}

} // namespace

std::unique_ptr<PpdevAdapter> PpdevAdapter::Connect(const PpdevSetup& setup,
                                                    const std::filesystem::path& device,
                                                    AdapterStatus& status)
{
    PpdevCalls& calls = *setup.calls;
    int fd = -1;
    int error = calls.Open(device.string(), fd);
    if (error != 0) {
        status = StatusForPortError(error);
        return nullptr;
    }
    // PPEXCL only counts when it comes before PPCLAIM.
    error = calls.SetExclusive(fd);
    if (error == 0)
        error = calls.Claim(fd);
    if (error != 0) {
        calls.Close(fd);
        status = StatusForPortError(error);
        return nullptr;
    }
    auto adapter = std::make_unique<PpdevAdapter>(setup, fd);
    if (!adapter->m_lines.LoopbacksAnswer()) {
        const int lineError = adapter->m_lines.Error();
        status = lineError != 0 ? StatusForPortError(lineError) : AdapterStatus::AdapterNotDetected;
        return nullptr;
    }
    status = AdapterStatus::Ok;
    return adapter;
}

PpdevAdapter::PpdevAdapter(const PpdevSetup& setup, int fd)
    : m_setup(setup), m_nFd(fd), m_lines(*setup.calls, fd, *setup.cable),
      m_transactions(m_lines, *setup.clock, setup.timing),
      m_bus(m_transactions, *setup.clock, setup.timing)
{
}

PpdevAdapter::~PpdevAdapter()
{
    m_lines.Rest();
    m_setup.calls->Release(m_nFd);
    m_setup.calls->Close(m_nFd);
}

MicrowireBus& PpdevAdapter::BusFor(const MicrowireGeometry&)
{
    return m_bus;
}

AdapterStatus PpdevAdapter::FinishRequest()
{
    return StatusForPortError(m_lines.Error());
}

} // namespace pemrix
