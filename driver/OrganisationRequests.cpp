#include "driver/OrganisationRequests.h"

#include "core/EnumOrderedTable.h"
#include "driver/ReplyCheck.h"
#include "driver/RequestCodes.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<OrganisationRequests, 2> kRequests{{
    {EepromOrganisation::Words16, REQ_READ, REQ_WRITE_ENABLE, REQ_WRITE_DISABLE, REQ_WRITE,
     REQ_ERASE, REQ_WRAL, REQ_ERAL, REQ_READ_ALL, REQ_WRITE_ALL},
    {EepromOrganisation::Bytes8, REQ_READ_X8, REQ_WRITE_ENABLE_X8, REQ_WRITE_DISABLE_X8,
     REQ_WRITE_X8, REQ_ERASE_X8, REQ_WRAL_X8, REQ_ERAL_X8, REQ_READ_ALL_X8, REQ_WRITE_ALL_X8},
}};

static_assert(RowsFollowTheEnum<&OrganisationRequests::organisation>(kRequests));

} // namespace

const OrganisationRequests& RequestsOf(EepromOrganisation organisation)
{
    return kRequests[static_cast<std::size_t>(organisation)];
}

std::uint32_t ErasedCell(EepromOrganisation organisation)
{
    return organisation == EepromOrganisation::Bytes8 ? 0xFF : 0xFFFF;
}

bool DriverLacksRequest(const DriverResult& result)
{
    if (result.succeeded)
        return false;
    const StepErrorCodes main = ErrorCodesOf(DriverStep::MainRequest);
    return result.errorCode == main.callFailed || result.errorCode == main.wrongByteCount ||
           result.errorCode == ErrorCodesOf(DriverStep::WriteEnable).callFailed;
}

} // namespace pemrix
