#include "driver/ChipDetection.h"

#include "driver/DetectCommand.h"
#include "driver/OrganisationRequests.h"

namespace pemrix {

namespace {

bool BothWords16(const EepromTypeInfo& a, const EepromTypeInfo& b)
{
    return a.organisation == EepromOrganisation::Words16 &&
           b.organisation == EepromOrganisation::Words16;
}

// The 16-bit lines stay as the size-only detection writes them; a pair that differs in
// organisation is named as such.
std::string FoundLogText(const DetectedChip& found)
{
    std::string text = "Detect Succeeded.   Type: " + ChipTypeName(*found.type) +
                       "   Address bits: " + std::to_string(found.addressBits);
    for (std::size_t i = 1; i < found.candidates.size(); ++i) {
        const EepromTypeInfo& other = *found.candidates[i];
        text += BothWords16(*found.type, other)
                    ? "   (a " + ChipTypeName(other) +
                          " whose two halves hold the same words reads alike)"
                    : "   (or a " + ChipTypeName(other) + ": its contents cannot tell them apart)";
    }
    return text;
}

DetectedChip DetectSizeOnly(DriverLink& link, std::uint32_t portAddress,
                            const EepromTypeInfo& selected)
{
    const DetectCommandResult result = DetectChipType(link, portAddress, selected.code);
    DetectedChip found;
    static_cast<DriverResult&>(found) = result;
    found.logText = DetectionLogText(result);
    if (!result.succeeded)
        return found;
    found.type = FindEepromType(result.type);
    found.addressBits = result.addressBits;
    found.candidates.push_back(found.type);
    if (result.alternative != 0)
        found.candidates.push_back(FindEepromType(result.alternative));
    return found;
}

} // namespace

DetectedChip DetectChip(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& selected)
{
    OrganisationDetectResult result =
        DetectChipOrganisation(link, portAddress, selected.code, selected.organisation);
    if (DriverLacksRequest(result))
        return DetectSizeOnly(link, portAddress, selected);
    DetectedChip found;
    static_cast<DriverResult&>(found) = result;
    if (!result.succeeded) {
        found.logText = DetectionLogText(DetectCommandResult{result});
        return found;
    }
    found.type = result.type;
    found.addressBits = result.addressBits;
    found.candidates = std::move(result.candidates);
    found.logText = FoundLogText(found);
    return found;
}

} // namespace pemrix
