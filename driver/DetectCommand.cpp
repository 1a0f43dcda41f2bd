#include "driver/DetectCommand.h"

#include "core/HexText.h"
#include "driver/DriverSession.h"
#include "driver/RequestRecords.h"

namespace pemrix {

namespace {

bool DriverLacksDetection(std::uint32_t errorCode)
{
    const StepErrorCodes codes = ErrorCodesOf(DriverStep::MainRequest);
    return errorCode == codes.callFailed || errorCode == codes.wrongByteCount;
}

} // namespace

DetectCommandResult DetectChipType(DriverLink& link, std::uint32_t portAddress,
                                   EepromType selected)
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

std::string DetectionLogText(const DetectCommandResult& result)
{
    const std::string code = "(Error Code: 0x" + FormatHex4(result.errorCode) + ")";
    if (!result.succeeded && DriverLacksDetection(result.errorCode))
        return "Detect Failed. " + code +
               " The driver does not offer chip type detection; the type is unchanged.";
    if (!result.succeeded)
        return "Detect Failed. " + code;
    std::string text = "Detect Succeeded.   Type: " + std::string(EffectiveEepromType(result.type).name) +
                       "   Address bits: " + std::to_string(result.addressBits);
    if (result.alternative != 0)
        text += "   (a " + std::string(EffectiveEepromType(result.alternative).name) +
                " whose two halves hold the same words reads alike)";
    return text;
}

} // namespace pemrix
