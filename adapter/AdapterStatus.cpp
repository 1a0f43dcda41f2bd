#include "adapter/AdapterStatus.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<AdapterStatusInfo, 9> kStatuses{{
    {AdapterStatus::NoPort, "No port",
     "There is no parallel port at the address chosen in Options.",
     "Choose a port that the port list offers, or the virtual adapter."},
    {AdapterStatus::PortUnavailable, "Port busy or not permitted",
     "The parallel port exists but could not be claimed: another program holds it, or you may "
     "not open /dev/parportN.",
     "Close other programs using the port (printer spooler, other programmers) and make sure "
     "you are in the group lp (sudo adduser $USER lp, then log in again)."},
    {AdapterStatus::AdapterNotDetected, "Adapter not detected",
     "The port answered, but the adapter's loopback lines did not: the cable is missing, "
     "unpowered or of another wiring.",
     "Plug the adapter in, check its power, and set the cable in driver.conf to the adapter's "
     "wiring."},
    {AdapterStatus::NoChip, "No chip answering",
     "No chip answered a read: the 0 bit a 93Cxx sends before its data was missing.",
     "Check that the chip sits the right way round in the socket and that the chosen type "
     "matches it."},
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
     "Check the free space and permissions of the folder holding the virtual-93Cxx.bin files."},
    {AdapterStatus::Stopped, "Stopped",
     "The program asked the driver to stop a whole-chip read or write between two words; the "
     "words before that address were done, the others were not touched.",
     "Run the command again to its end; the program reports its own code for a stop."},
}};

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
