#pragma once

#include "adapter/Adapter.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/CableProfile.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/ports/PpdevCalls.h"
#include "adapter/ports/PpdevLinePort.h"

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

// A parallel port held for one driver handle: opened and claimed exclusively before the first
// register access, and released and closed when the handle closes.
class PpdevAdapter : public Adapter
{
public:
    // Opens and claims `device`, sets the lines at rest and checks the cable's loopbacks;
    // nullptr and the reason when any of it fails.
    static std::unique_ptr<PpdevAdapter>
    Connect(const PpdevSetup& setup, const std::filesystem::path& device, AdapterStatus& status);

    PpdevAdapter(const PpdevSetup& setup, int fd);
    ~PpdevAdapter() override;
    PpdevAdapter(const PpdevAdapter&) = delete;
    PpdevAdapter& operator=(const PpdevAdapter&) = delete;

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;

private:
    PpdevSetup m_setup;
    int m_nFd;
    PpdevLinePort m_lines;
    LineTransactionPort m_transactions;
    MicrowireBus m_bus;
};

} // namespace pemrix
