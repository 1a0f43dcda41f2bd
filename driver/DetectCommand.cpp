#include "driver/DetectCommand.h"

#include "core/HexText.h"
#include "driver/DriverSession.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

namespace pemrix {

namespace {

bool DriverLacksDetection(std::uint32_t errorCode)
{
    const StepErrorCodes codes = ErrorCodesOf(DriverStep::MainRequest);
    return errorCode == codes.callFailed || errorCode == codes.wrongByteCount;
}

std::uint32_t OrganisationField(EepromOrganisation organisation)
{
    return organisation == EepromOrganisation::Bytes8 ? kOrganisationBytes8 : kOrganisationWords16;
}

// The type a record's type and organisation fields name, or nullptr.
const EepromTypeInfo* TypeOfFields(std::uint32_t code, std::uint32_t organisation)
{
    for (const EepromTypeInfo& type : AllEepromTypes())
        if (type.code == code && type.cellBits == organisation)
            return &type;
    return nullptr;
}

} // namespace

DetectCommandResult DetectChipType(DriverLink& link, std::uint32_t portAddress, EepromType selected)
{
    DetectRecord record{.type = EffectiveEepromType(selected).code};
    DriverSession session(link);
    session.Start(portAddress);
    session.Exchange(DriverStep::MainRequest, REQ_DETECT_TYPE, record);
    // Only a type of the table is taken, so a confused driver cannot select what is not there.
    session.Expect(FindEepromType(record.type) != nullptr &&
                   (record.alternative == 0 || FindEepromType(record.alternative) != nullptr));
    DetectCommandResult result{session.Finish()};
    if (result.succeeded) {
        result.type = record.type;
        result.addressBits = record.addressBits;
        result.alternative = record.alternative;
    }
    return result;
}

OrganisationDetectResult DetectChipOrganisation(DriverLink& link, std::uint32_t portAddress,
                                                EepromType selected,
                                                EepromOrganisation organisation)
{
    OrganisationDetectRecord record{.type = EffectiveEepromType(selected).code,
                                    .organisation = OrganisationField(organisation)};
    DriverSession session(link);
    session.Start(portAddress);
    session.Exchange(DriverStep::MainRequest, REQ_DETECT_ORGANISATION, record);
    // Only types of the table are taken, the one found among them first.
    const EepromTypeInfo* found = TypeOfFields(record.type, record.organisation);
    std::vector<const EepromTypeInfo*> candidates;
    std::uint32_t known = 0;
    if (found) {
        candidates.push_back(found);
        known = ChipTypeBit(found->code, found->cellBits);
    }
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        const std::uint32_t bit = ChipTypeBit(type.code, type.cellBits);
        if ((record.candidates & bit) && &type != found) {
            candidates.push_back(&type);
            known |= bit;
        }
    }
    session.Expect(found != nullptr && known == record.candidates);
    OrganisationDetectResult result{session.Finish(), nullptr, 0, {}};
    if (result.succeeded) {
        result.type = found;
        result.addressBits = record.addressBits;
        result.candidates = std::move(candidates);
    }
    return result;
}

std::string DetectionLogText(const DetectCommandResult& result)
{
    const std::string code = "(Error Code: 0x" + FormatHex4(result.errorCode) + ")";
    if (!result.succeeded && DriverLacksDetection(result.errorCode))
        return "Detect Failed. " + code +
               " The driver does not offer chip type detection; the type is unchanged.";
    if (!result.succeeded)
        return "Detect Failed. " + code;
    std::string text =
        "Detect Succeeded.   Type: " + std::string(EffectiveEepromType(result.type).name) +
        "   Address bits: " + std::to_string(result.addressBits);
    if (result.alternative != 0)
        text += "   (a " + std::string(EffectiveEepromType(result.alternative).name) +
                " whose two halves hold the same words reads alike)";
    return text;
}

} // namespace pemrix
