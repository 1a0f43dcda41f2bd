#pragma once

#include "adapter/BuiltInDriver.h"
#include "adapter/ports/ppdev/PpdevAdapter.h"
#include "adapter/virtual/VirtualAdapter.h"
#include "driver/RecordBytes.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace pemrix {

// What one request came back with.
template <typename Record> struct Reply
{
    bool ok = false;
    std::uint32_t bytesReturned = 0;
    Record record;
};

// A built-in driver over the virtual adapter with its chips in `folder`/chips; the machine's
// parallel ports are whatever `folder`/proc describes (nothing, unless a test writes it), and
// are reached through `ppdev`. With a socket type the virtual adapter holds that one chip.
// The test fails if the driver broke a chip's timing.
class VirtualDriverHarness
{
public:
    explicit VirtualDriverHarness(
        const std::filesystem::path& folder, PpdevSetup ppdev = {},
        const BusTiming& virtualTiming = {}, EepromType socketType = 0,
        EepromOrganisation socketOrganisation = EepromOrganisation::Words16);
    ~VirtualDriverHarness();
    VirtualDriverHarness(const VirtualDriverHarness&) = delete;
    VirtualDriverHarness& operator=(const VirtualDriverHarness&) = delete;

    BuiltInDriver& Driver() { return m_driver; }
    VirtualAdapter& Adapter() { return *m_adapter; }
    MicrowireChip& Chip(EepromType code,
                        EepromOrganisation organisation = EepromOrganisation::Words16)
    {
        return m_adapter->Chip(code, organisation);
    }

    // Opens a handle and points it at `port` (the virtual adapter unless told otherwise).
    DriverHandle OpenPort(std::uint32_t port);
    DriverHandle OpenVirtualPort();

    // Sends a 4-byte request; true when the call succeeded with 0 bytes returned.
    bool SendValue(DriverHandle handle, std::uint32_t code, std::uint32_t value);

    template <typename Record>
    Reply<Record> Send(DriverHandle handle, std::uint32_t code, const Record& record)
    {
        std::vector<std::uint8_t> bytes(Record::kSize);
        EncodeRecord(record, bytes);
        Reply<Record> reply;
        reply.ok = m_driver.Control(handle, code, bytes.data(), Record::kSize, Record::kSize,
                                    reply.bytesReturned);
        reply.record = DecodeRecord<Record>(bytes);
        return reply;
    }

private:
    std::shared_ptr<VirtualAdapter> m_adapter;
    BuiltInDriver m_driver;
};

} // namespace pemrix
