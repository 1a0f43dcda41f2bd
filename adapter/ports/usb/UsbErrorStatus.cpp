#include "adapter/ports/usb/UsbErrorStatus.h"

#include "adapter/ports/usb/UsbCalls.h"

namespace pemrix {

AdapterStatus UsbErrorStatus(int error)
{
    switch (error) {
    case kUsbSuccess:
        return AdapterStatus::Ok;
    case kUsbErrorNoDevice:
    case kUsbErrorNotFound:
        return AdapterStatus::UsbNotPluggedIn;
    case kUsbErrorAccess:
        return AdapterStatus::UsbNotPermitted;
    case kUsbErrorBusy:
        return AdapterStatus::UsbClaimed;
    default:
        return AdapterStatus::UsbTransferFailed;
    }
}

} // namespace pemrix
