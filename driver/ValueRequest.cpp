#include "driver/ValueRequest.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void ValueRequest::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kValueOffset, value);
}

ValueRequest ValueRequest::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    ValueRequest request;
    request.value = LoadLe32(bytes, kValueOffset);
    return request;
}

} // namespace pemrix
