#include "adapter/bus/ChipOrganisationDetection.h"

#include "adapter/bus/ChipTypeDetection.h"
#include "adapter/bus/MicrowireBus.h"

#include <algorithm>
#include <optional>

namespace pemrix {

namespace {

enum class ContentsVerdict
{
    Words16,
    Bytes8,
    Either,
};

std::uint8_t High(std::uint16_t word)
{
    return static_cast<std::uint8_t>(word >> 8);
}

std::uint8_t Low(std::uint16_t word)
{
    return static_cast<std::uint8_t>(word);
}

// Reads the chip as the 16-bit type `words16` and judges whether an 8-bit chip answered.
AdapterStatus JudgeContents(MicrowireBus& bus, const MicrowireGeometry& words16,
                            ContentsVerdict& verdict)
{
    std::vector<std::uint16_t> words(words16.words);
    const AdapterStatus status = bus.ReadWords(words16, 0, words);
    if (status != AdapterStatus::Ok)
        return status;
    bool chained = true;
    bool alike = true;
    bool unsequenced = true;
    for (std::size_t a = 0; a < words.size(); ++a) {
        const std::uint8_t low = Low(words[a]);
        if (a + 1 < words.size() && low != High(words[a + 1]))
            chained = false;
        if (High(words[a]) != High(words[0]) || low != High(words[0]))
            alike = false;
        if (low != 0x00 && low != 0xFF && low != High(words[a]))
            unsequenced = false;
    }
    if (chained && !alike)
        verdict = ContentsVerdict::Bytes8;
    else if (chained || unsequenced)
        verdict = ContentsVerdict::Either;
    else
        verdict = ContentsVerdict::Words16;
    return AdapterStatus::Ok;
}

// The types of `types` (one, or a pair) the chip's answers fit, appended to `candidates`.
AdapterStatus NameTypes(MicrowireBus& bus, EepromOrganisation organisation,
                        const std::vector<MicrowireGeometry>& types,
                        std::vector<const EepromTypeInfo*>& candidates)
{
    std::vector<MicrowireGeometry> fitting;
    const AdapterStatus status = FittingTypes(bus, types, fitting);
    for (const MicrowireGeometry& chip : fitting)
        candidates.push_back(FindEepromType(chip.code, organisation));
    return status;
}

} // namespace

ChipOrganisationDetection ProbeChipOrganisation(MicrowireBus& bus)
{
    ChipOrganisationDetection detection;
    detection.status = MeasureAddressWidth(bus, detection.addressBits);
    if (detection.status != AdapterStatus::Ok)
        return detection;
    const std::vector<MicrowireGeometry> words16 =
        TypesOfWidth(detection.addressBits, EepromOrganisation::Words16);
    const std::vector<MicrowireGeometry> bytes8 =
        TypesOfWidth(detection.addressBits, EepromOrganisation::Bytes8);
    ContentsVerdict verdict = bytes8.empty() ? ContentsVerdict::Words16 : ContentsVerdict::Bytes8;
    if (!words16.empty() && !bytes8.empty())
        detection.status = JudgeContents(bus, words16.back(), verdict);
    if (words16.empty() && bytes8.empty())
        detection.status = AdapterStatus::UnknownAddressWidth;
    if (detection.status == AdapterStatus::Ok && verdict != ContentsVerdict::Bytes8)
        detection.status =
            NameTypes(bus, EepromOrganisation::Words16, words16, detection.candidates);
    if (detection.status == AdapterStatus::Ok && verdict != ContentsVerdict::Words16)
        detection.status = NameTypes(bus, EepromOrganisation::Bytes8, bytes8, detection.candidates);
    if (detection.status != AdapterStatus::Ok)
        detection.candidates.clear();
    else
        detection.type = detection.candidates.front();
    return detection;
}

} // namespace pemrix
