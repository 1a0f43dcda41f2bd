#include "adapter/AdapterStatus.h"

namespace pemrix {

namespace {

constexpr AdapterStatusInfo kStatuses[] = {
    {AdapterStatus::NoPort, "No port",
     "The kernel lists no parallel port at the address chosen in Options, or the port went "
     "away during the request.",
     "Choose a port that the port list offers, or the virtual adapter. A port the list lacks "
     "needs its kernel driver: sudo modprobe parport_pc."},
    {AdapterStatus::PortHeld, "Port held by another client",
     "Another client of the parallel port kept it for longer than the 2 seconds the driver "
     "waits, or holds it for itself alone: the printer driver lp while it prints, or another "
     "program on /dev/parportN.",
     "Let the printout end or cancel it (lpstat -o, cancel), close the other program (fuser -v "
     "/dev/parport0 names it), then try again. Where nothing prints on this port, sudo rmmod lp "
     "frees it for good."},
    {AdapterStatus::AdapterNotDetected, "Adapter not detected",
     "The port answered, but the adapter's loopback lines did not: the cable is missing, "
     "unpowered or of another wiring.",
     "Plug the adapter in, check its power, and set the cable in driver.conf to the adapter's "
     "wiring."},
    {AdapterStatus::NoChip, "No chip answering",
     "No chip answered: a read lacked the 0 bit a 93Cxx sends before its data, or the chip "
     "never showed busy after a programming instruction.",
     "Check that the chip sits the right way round in the socket, that it has power, and that "
     "the chosen type matches it."},
    {AdapterStatus::ChipBusy, "Chip still busy",
     "The chip did not finish programming within the time it is allowed.",
     "Check the chip's supply and the wiring of DO; replace the chip if it persists."},
    {AdapterStatus::BadType, "Bad type code",
     "The request named a chip type the driver does not know.",
     "Choose one of the six chip types again."},
    {AdapterStatus::AddressBeyondChip, "Address beyond the chip",
     "The request named a word address the chosen chip does not have.",
     "Use an address below the chip's word count."},
    {AdapterStatus::VirtualChipNotSaved, "Virtual chip not saved",
     "The virtual adapter could not store the chip's words in its data file, so they would be "
     "lost when the program ends.",
     "Check the free space and permissions of the folder holding the virtual-93Cxx.bin files, "
     "~/.local/share/pemrix unless XDG_DATA_HOME names another."},
    {AdapterStatus::PpdevNotLoaded, "ppdev not loaded",
     "The kernel knows the parallel port, but there is no /dev/parportN for it: the module "
     "ppdev, through which programs reach parallel ports, is not loaded.",
     "Load it with sudo modprobe ppdev; to have it at every start, add the line ppdev to "
     "/etc/modules-load.d/ppdev.conf."},
    {AdapterStatus::PortNotPermitted, "Port not permitted",
     "You may not open /dev/parportN: it belongs to the group lp, and you are not in it.",
     "Join the group lp with sudo adduser $USER lp, then log out and in again."},
    {AdapterStatus::DataOutLow, "DO reads low",
     "DO reads low where the chip leaves it undriven: no chip, or a cable without a pull-up on "
     "DO.",
     "Check that a chip sits in the socket the right way round. A cable without a pull-up on DO "
     "needs one (10 kOhm to VCC), or dummy_bit_check_only=true in driver.conf, which costs the "
     "check that tells an empty socket from a chip holding 0000."},
    {AdapterStatus::Stopped, "Stopped",
     "The program asked the driver to stop a whole-chip read or write between two words; the "
     "words before that address were done, the others were not touched.",
     "Run the command again to its end; the program reports its own code for a stop."},
    {AdapterStatus::UsbNotPluggedIn, "USB adapter not plugged in",
     "The USB adapter chosen in the port list is not plugged in, or was unplugged while the "
     "command ran.",
     "Plug the adapter into the same USB port it was chosen on, or choose it again in the port "
     "list."},
    {AdapterStatus::UsbNotPermitted, "USB adapter not permitted",
     "You may not open the USB adapter's device node.",
     "Install the udev rule: sudo cp udev/60-pemrix.rules /etc/udev/rules.d/ && sudo udevadm "
     "control --reload && sudo udevadm trigger, then plug the adapter in again."},
    {AdapterStatus::UsbClaimed, "USB adapter claimed",
     "Another program or a kernel driver holds the USB adapter, and it could not be taken "
     "from it.",
     "Close other programs using the adapter (other programmers, serial terminals) and try "
     "again."},
    {AdapterStatus::UsbTransferFailed, "USB transfer failed",
     "A USB transfer to or from the adapter failed, stalled, came back short or timed out.",
     "Plug the adapter in directly rather than through a hub, use a shorter cable, and try "
     "again."},
    {AdapterStatus::Ch341aUartMode, "CH341A in UART mode",
     "The CH341A answers as a serial converter (USB 1a86:5523), not as a programmer.",
     "Unplug the adapter, move its mode jumper to the programmer (I2C/SPI) position, and plug it "
     "in again."},
    {AdapterStatus::DoNotIdleHigh, "DO does not idle high",
     "Chip type detection found DO low before the chip could drive it, so the chip's answer "
     "cannot be read.",
     "Check the wiring of DO and its pull-up, and that the chip sits the right way round."},
    {AdapterStatus::UnknownAddressWidth, "Unknown chip",
     "Chip type detection saw the chip take a number of address bits that no 93Cxx type in x16 "
     "organisation takes.",
     "Check that the chip is a 93C46 to 93C86 wired for 16-bit words (ORG high), then choose "
     "its type by its marking."},
    {AdapterStatus::TypeLargerThanChip, "Type larger than the chip",
     "The chip answered before its address was complete: it takes fewer address bits than the "
     "type chosen, so a smaller chip sits in the socket.",
     "Choose the chip's type by its marking, or let Detect chip type find it."},
    {AdapterStatus::GpioChipMissing, "GPIO chip missing",
     "The gpiochip chosen in the port list is not there, or went away while the command ran.",
     "Choose the GPIO adapter again in the port list; check gpio_chip in driver.conf, which "
     "names the chip by its label (gpiodetect lists them)."},
    {AdapterStatus::GpioNotPermitted, "GPIO not permitted",
     "You may not open the gpiochip's device node /dev/gpiochipN.",
     "Join the group that owns it (gpio on Raspberry Pi OS): sudo adduser $USER gpio, then log "
     "out and in again."},
    {AdapterStatus::GpioLineBusy, "GPIO line busy",
     "Another program or a kernel driver (the SPI driver, when SPI is enabled) holds one of the "
     "four lines.",
     "Close the other program (gpioinfo names each line's consumer), or turn the kernel's SPI "
     "off (dtparam=spi=off) when its pins are wired to the chip."},
    {AdapterStatus::GpioLineMissing, "GPIO line missing",
     "The gpiochip has no line at an offset that gpio_lines in driver.conf names.",
     "Set gpio_lines to the offsets of CS, SK, DI and DO on that chip (gpioinfo lists them)."},
    {AdapterStatus::AdapterTooFastForParts, "Adapter too fast for the parts",
     "The adapter cannot clock as slowly as driver.conf demands: a CH347's slowest clock is "
     "468.75 kHz, and part_class = any (or a long half_period_ns) holds the bus below that. "
     "Nothing was sent to the chip.",
     "For a current 93AA, 93LC, 93C, AT93C or M93C part running from 2.5 V or more, set "
     "part_class = 2.5v (or 4.5v from 4.5 V) in driver.conf; for an old 250 kHz part use a "
     "CH341A, FT232H, GPIO or parallel-port adapter."},
};

} // namespace

std::span<const AdapterStatusInfo> AdapterStatuses()
{
    return kStatuses;
}

const AdapterStatusInfo* FindAdapterStatus(std::uint32_t code)
{
    for (const AdapterStatusInfo& info : kStatuses) {
        if (StatusCode(info.status) == code)
            return &info;
    }
    return nullptr;
}

} // namespace pemrix
