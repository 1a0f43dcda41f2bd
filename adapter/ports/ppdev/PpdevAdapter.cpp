#include "adapter/ports/ppdev/PpdevAdapter.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

namespace pemrix {

namespace {

// Opening /dev/parportN: a node that is missing, or one with no driver behind it, means
// ppdev is not loaded (parport itself is, or the port would not have been found).
AdapterStatus StatusForOpenError(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return AdapterStatus::PpdevNotLoaded;
    case EACCES:
    case EPERM:
        return AdapterStatus::PortNotPermitted;
    default:
        return AdapterStatus::NoPort;
    }
}

// PPCLAIM: still sleeping when the wait ran out, or ENXIO, which the kernel answers both when
// a client registered for the port alone and when the node has no port behind it any more;
// only the port's own entry tells the two apart.
AdapterStatus StatusForClaimError(int error, bool portListed)
{
    if (error == EINTR || (error == ENXIO && portListed))
        return AdapterStatus::PortHeld;
    return AdapterStatus::NoPort;
}

} // namespace

PpdevAdapter::PpdevAdapter(const PpdevSetup& setup, std::filesystem::path device,
                           std::filesystem::path portEntry)
    : m_setup(setup), m_device(std::move(device)), m_portEntry(std::move(portEntry)),
      m_lines(*setup.calls, *setup.cable), m_transactions(m_lines, *setup.clock, setup.timing),
      m_bus(m_transactions, *setup.clock, setup.timing)
{
}

PpdevAdapter::~PpdevAdapter()
{
    Release();
}

MicrowireBus& PpdevAdapter::BusFor(const MicrowireGeometry&)
{
    if (!m_bInRequest) {
        m_bInRequest = true;
        m_claimStatus = Claim();
    }
    return m_bus;
}

AdapterStatus PpdevAdapter::FinishRequest()
{
    // A register call that failed while the port was held means the port went away.
    AdapterStatus status = m_claimStatus;
    if (status == AdapterStatus::Ok && m_lines.Error() != 0)
        status = AdapterStatus::NoPort;
    Release();
    m_bInRequest = false;
    m_claimStatus = AdapterStatus::Ok;
    return status;
}

AdapterStatus PpdevAdapter::Claim()
{
    BusClock& clock = *m_setup.clock;
    const std::chrono::nanoseconds deadline = clock.Now() + kClaimWait;
    AdapterStatus status = AdapterStatus::Ok;
    bool interrupted = false;
    do {
        status = OpenAndClaim(
            std::min<std::chrono::nanoseconds>(kClaimSlice, deadline - clock.Now()), interrupted);
        // A slice that ran out, or a stray signal, ends a claim; the rest of the wait goes on
        // a fresh node.
    } while (interrupted && clock.Now() < deadline);
    if (status != AdapterStatus::Ok)
        return status;
    m_lines.Attach(m_nFd);
    if (m_lines.LoopbacksAnswer())
        return AdapterStatus::Ok;
    status = m_lines.Error() != 0 ? AdapterStatus::NoPort : AdapterStatus::AdapterNotDetected;
    Release();
    return status;
}

AdapterStatus PpdevAdapter::OpenAndClaim(std::chrono::nanoseconds patience, bool& interrupted)
{
    PpdevCalls& calls = *m_setup.calls;
    interrupted = false;
    int fd = -1;
    if (const int error = calls.Open(m_device.string(), fd); error != 0)
        return StatusForOpenError(error);
    if (const int error = calls.Claim(fd, patience); error != 0) {
        // An interrupted claim stays queued in the kernel, which would hand it the port
        // later; only closing the node takes it back, so a node is never claimed twice.
        calls.Close(fd);
        interrupted = error == EINTR;
        std::error_code ignored;
        return StatusForClaimError(error, std::filesystem::exists(m_portEntry, ignored));
    }
    m_nFd = fd;
    return AdapterStatus::Ok;
}

void PpdevAdapter::Release()
{
    if (m_nFd == -1)
        return;
    m_lines.Detach();
    m_setup.calls->Release(m_nFd);
    m_setup.calls->Close(m_nFd);
    m_nFd = -1;
}

} // namespace pemrix
