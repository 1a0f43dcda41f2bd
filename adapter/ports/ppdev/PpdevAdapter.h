#pragma once

#include "adapter/Adapter.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/ppdev/CableProfile.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/ports/ppdev/PpdevCalls.h"
#include "adapter/ports/ppdev/PpdevLinePort.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace pemrix {

// What every connection to a parallel port is made with.
struct PpdevSetup
{
    std::shared_ptr<PpdevCalls> calls;
    std::shared_ptr<BusClock> clock;
    const CableProfile* cable;
    BusTiming timing;
};

// A parallel port shared with the kernel's other clients of it, the printer driver lp above
// all. It is opened and claimed, without asking for it alone, when a request first needs the
// bus, and released and closed when the request finishes, so lp prints between requests and
// no registration of ours lingers to refuse a program that wants the port to itself.
class PpdevAdapter : public Adapter
{
public:
    // How long a request waits for another client to release the port before it gives up
    // with PortHeld: long enough for lp to pass a few lines to a printer, short enough that
    // the window does not seem hung.
    static constexpr std::chrono::seconds kClaimWait{2};
    // The wait goes in slices this long: the kernel lets no ppdev call of any process through
    // while a PPCLAIM sleeps, so another ppdev program that holds the port can only release it
    // between two slices.
    static constexpr std::chrono::milliseconds kClaimSlice{25};

    // `portEntry`: the port's folder under /proc/sys/dev/parport, gone when the port is.
    PpdevAdapter(const PpdevSetup& setup, std::filesystem::path device,
                 std::filesystem::path portEntry);
    ~PpdevAdapter() override;
    PpdevAdapter(const PpdevAdapter&) = delete;
    PpdevAdapter& operator=(const PpdevAdapter&) = delete;

    // Claims the port for the request, sets the lines at rest and checks the cable's
    // loopbacks. When any of that fails, the bus reaches nothing and FinishRequest says why.
    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    std::optional<MicrowireGeometry> WriteEnabledChip() const override
    {
        return m_bus.WriteEnabledChip();
    }

private:
    AdapterStatus Claim();
    // Ok with the port held, or why not; `interrupted` when the claim's sleep was cut short.
    AdapterStatus OpenAndClaim(std::chrono::nanoseconds patience, bool& interrupted);
    void Release();

    PpdevSetup m_setup;
    std::filesystem::path m_device;
    std::filesystem::path m_portEntry;
    PpdevLinePort m_lines;
    LineTransactionPort m_transactions;
    MicrowireBus m_bus;
    int m_nFd = -1;
    bool m_bInRequest = false;
    AdapterStatus m_claimStatus = AdapterStatus::Ok;
};

} // namespace pemrix
