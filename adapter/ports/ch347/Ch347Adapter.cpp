#include "adapter/ports/ch347/Ch347Adapter.h"

#include "adapter/ports/ch347/Ch347Protocol.h"
#include "adapter/ports/usb/UsbErrorStatus.h"
#include "adapter/ports/usb/UsbInterfaceClaim.h"

namespace pemrix {

using namespace ch347;

namespace {

constexpr std::chrono::milliseconds kSetupTimeout(1000);

// The vendor interface: the CH347T in mode 1 has its serial port's two interfaces before it,
// the CH347F two serial ports' four.
int VendorInterface(std::uint16_t product)
{
    return product == 0x55DE ? 4 : 2;
}

// One frame out and its answer of `answerBytes` back; the answer, or empty on failure with
// the libusb error in `error`.
std::vector<std::uint8_t> Ask(UsbCalls& calls, UsbHandle handle, std::vector<std::uint8_t> frame,
                              std::size_t answerBytes, int& error)
{
    UsbBulkTransfer transfers[] = {{kOutEndpoint, std::move(frame), 0},
                                   {kInEndpoint, std::vector<std::uint8_t>(answerBytes), 0}};
    error = calls.RunTransfers(handle, transfers, kSetupTimeout);
    if (error == 0 &&
        (transfers[1].actual != answerBytes || transfers[1].data[0] != transfers[0].data[0]))
        error = kUsbErrorIo;
    return error == 0 ? transfers[1].data : std::vector<std::uint8_t>();
}

// Sets the SPI engine to mode 0, most significant bit first, CS1 active high and `index`.
int Configure(UsbCalls& calls, UsbHandle handle, unsigned index)
{
    int error = 0;
    const std::uint8_t which[] = {0x01};
    const std::vector<std::uint8_t> config =
        Ask(calls, handle, Frame(kGetConfig, which), kHeaderSize + kConfigSize, error);
    if (error != 0)
        return error;
    const std::vector<std::uint8_t> set = Configured(std::span(config).subspan(kHeaderSize), index);
    const std::vector<std::uint8_t> answer =
        Ask(calls, handle, Frame(kSetConfig, set), kSetConfigReplySize, error);
    if (error == 0 && answer[kHeaderSize] != 0)
        error = kUsbErrorIo;
    return error;
}

} // namespace

std::unique_ptr<Ch347Adapter> Ch347Adapter::Connect(const UsbSetup& setup, const AdapterPlace& plug,
                                                    AdapterStatus& status)
{
    const std::optional<unsigned> index = ClockIndexFor(setup.timing);
    if (!index) {
        status = AdapterStatus::AdapterTooFastForParts;
        return nullptr;
    }
    UsbCalls& calls = *setup.usb;
    const int interfaceNumber = VendorInterface(plug.device.product);
    UsbHandle handle = 0;
    int error = ClaimUsbInterface(calls, plug.device, interfaceNumber, handle);
    if (error == 0) {
        error = Configure(calls, handle, *index);
        if (error != 0) {
            calls.ReleaseInterface(handle, interfaceNumber);
            calls.Close(handle);
        }
    }
    if (error != 0) {
        status = UsbErrorStatus(error);
        return nullptr;
    }
    auto adapter =
        std::make_unique<Ch347Adapter>(setup, handle, interfaceNumber, ClockPeriod(*index));
    status = UsbErrorStatus(adapter->m_port.Error());
    if (status != AdapterStatus::Ok)
        return nullptr;
    return adapter;
}

Ch347Adapter::Ch347Adapter(const UsbSetup& setup, UsbHandle handle, int interfaceNumber,
                           std::chrono::nanoseconds clockPeriod)
    : m_setup(setup), m_hDevice(handle), m_nInterface(interfaceNumber),
      m_port(*setup.usb, handle, *setup.clock, setup.timing, clockPeriod),
      m_bus(m_port, *setup.clock, setup.timing)
{
    m_port.Rest();
}

Ch347Adapter::~Ch347Adapter()
{
    m_port.Rest();
    m_setup.usb->ReleaseInterface(m_hDevice, m_nInterface);
    m_setup.usb->Close(m_hDevice);
}

MicrowireBus& Ch347Adapter::BusFor(const MicrowireGeometry&)
{
    return m_bus;
}

AdapterStatus Ch347Adapter::FinishRequest()
{
    return m_port.FinishRequest();
}

} // namespace pemrix
