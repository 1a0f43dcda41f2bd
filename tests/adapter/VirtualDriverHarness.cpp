#include "VirtualDriverHarness.h"

#include "adapter/BuiltInPortConnector.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

namespace pemrix {

namespace {

std::shared_ptr<PortConnector> MakeConnector(const std::filesystem::path& folder,
                                             std::shared_ptr<VirtualAdapter> adapter,
                                             PpdevSetup ppdev)
{
    return std::make_shared<BuiltInPortConnector>(
        std::move(adapter), ParportDirectory(folder / "proc", "/dev"), std::move(ppdev));
}

} // namespace

VirtualDriverHarness::VirtualDriverHarness(const std::filesystem::path& folder, PpdevSetup ppdev,
                                           const BusTiming& virtualTiming, EepromType socketType,
                                           EepromOrganisation socketOrganisation)
    : m_adapter(std::make_shared<VirtualAdapter>(folder / "chips", virtualTiming, socketType,
                                                 socketOrganisation)),
      m_driver(MakeConnector(folder, m_adapter, std::move(ppdev)))
{
}

VirtualDriverHarness::~VirtualDriverHarness()
{
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        EXPECT_EQ(Chip(type.code, type.organisation).TimingViolations(), std::vector<std::string>())
            << type.name << " x" << type.cellBits;
    }
}

DriverHandle VirtualDriverHarness::OpenPort(std::uint32_t port)
{
    const DriverHandle handle = m_driver.Open(kChipCommandOpenAttributes);
    SendValue(handle, REQ_SET_PORT, port);
    return handle;
}

DriverHandle VirtualDriverHarness::OpenVirtualPort()
{
    return OpenPort(kVirtualAdapterBase);
}

bool VirtualDriverHarness::SendValue(DriverHandle handle, std::uint32_t code, std::uint32_t value)
{
    std::vector<std::uint8_t> bytes(ValueRequest::kSize);
    EncodeRecord(ValueRequest{value}, bytes);
    std::uint32_t bytesReturned = 0xFFFF;
    const bool ok =
        m_driver.Control(handle, code, bytes.data(), ValueRequest::kSize, 0, bytesReturned);
    return ok && bytesReturned == 0;
}

} // namespace pemrix
