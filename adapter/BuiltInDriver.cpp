#include "adapter/BuiltInDriver.h"

#include "driver/EralRecord.h"
#include "driver/EraseRecord.h"
#include "driver/FillRecord.h"
#include "driver/ImageRecord.h"
#include "driver/RequestCodes.h"
#include "driver/ValueRequest.h"
#include "driver/WordRecord.h"

#include <array>
#include <span>

namespace pemrix {

namespace {

using Bytes = std::span<std::uint8_t>;

void AnswerVersion(ChipSession&, Bytes bytes)
{
    BuiltInDriver::kVersion.EncodeTo(bytes);
}

void AnswerSetPort(ChipSession& session, Bytes bytes)
{
    session.SetPort(ValueRequest::DecodeFrom(bytes).value);
}

void AnswerWriteEnable(ChipSession& session, Bytes bytes)
{
    session.EnableWrite(ValueRequest::DecodeFrom(bytes).value);
}

void AnswerWriteDisable(ChipSession& session, Bytes bytes)
{
    session.DisableWrite(ValueRequest::DecodeFrom(bytes).value);
}

void AnswerRead(ChipSession& session, Bytes bytes)
{
    WordRecord record = WordRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.Read(record.type, record.address, record.data));
    record.EncodeTo(bytes);
}

void AnswerWrite(ChipSession& session, Bytes bytes)
{
    WordRecord record = WordRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.Write(record.type, record.address, record.data));
    record.EncodeTo(bytes);
}

void AnswerErase(ChipSession& session, Bytes bytes)
{
    EraseRecord record = EraseRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.Erase(record.type, record.address));
    record.EncodeTo(bytes);
}

void AnswerWral(ChipSession& session, Bytes bytes)
{
    FillRecord record = FillRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.Fill(record.type, record.data));
    record.EncodeTo(bytes);
}

void AnswerEral(ChipSession& session, Bytes bytes)
{
    EralRecord record = EralRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.EraseAll(record.type));
    record.EncodeTo(bytes);
}

void AnswerReadAll(ChipSession& session, Bytes bytes)
{
    ImageRecord record = ImageRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.ReadImage(record.type, record.words));
    record.EncodeTo(bytes);
}

void AnswerWriteAll(ChipSession& session, Bytes bytes)
{
    ImageRecord record = ImageRecord::DecodeFrom(bytes);
    record.status = StatusCode(session.WriteImage(record.type, record.words));
    record.EncodeTo(bytes);
}

// Each request with the size of what it carries in and whether that record also comes back.
struct RequestRoute
{
    std::uint32_t code;
    std::uint32_t size;
    bool returnsRecord;
    void (*answer)(ChipSession&, Bytes);
};

constexpr std::array<RequestRoute, 11> kRoutes{{
    {REQ_GET_VERSION, VersionRecord::kSize, true, AnswerVersion},
    {REQ_SET_PORT, ValueRequest::kSize, false, AnswerSetPort},
    {REQ_READ, WordRecord::kSize, true, AnswerRead},
    {REQ_WRITE_ENABLE, ValueRequest::kSize, false, AnswerWriteEnable},
    {REQ_WRITE_DISABLE, ValueRequest::kSize, false, AnswerWriteDisable},
    {REQ_WRITE, WordRecord::kSize, true, AnswerWrite},
    {REQ_ERASE, EraseRecord::kSize, true, AnswerErase},
    {REQ_WRAL, FillRecord::kSize, true, AnswerWral},
    {REQ_ERAL, EralRecord::kSize, true, AnswerEral},
    {REQ_READ_ALL, ImageRecord::kSize, true, AnswerReadAll},
    {REQ_WRITE_ALL, ImageRecord::kSize, true, AnswerWriteAll},
}};

const RequestRoute* FindRoute(std::uint32_t code)
{
    for (const RequestRoute& route : kRoutes) {
        if (route.code == code)
            return &route;
    }
    return nullptr;
}

} // namespace

BuiltInDriver::BuiltInDriver(std::shared_ptr<PortConnector> connector)
    : m_connector(std::move(connector))
{
}

DriverHandle BuiltInDriver::Open(std::uint32_t)
{
    if (m_session)
        return kInvalidDriverHandle;
    m_session = std::make_unique<ChipSession>(*m_connector);
    m_nOpenHandle = ++m_nLastHandle;
    return m_nOpenHandle;
}

bool BuiltInDriver::Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                            std::uint32_t inSize, std::uint32_t outSize,
                            std::uint32_t& bytesReturned)
{
    bytesReturned = 0;
    const RequestRoute* route = FindRoute(code);
    if (!m_session || handle != m_nOpenHandle || !route || !buffer || inSize < route->size)
        return false;
    if (route->returnsRecord && outSize < route->size)
        return false;
    route->answer(*m_session, Bytes(buffer, route->size));
    if (route->returnsRecord)
        bytesReturned = route->size;
    return true;
}

void BuiltInDriver::Close(DriverHandle handle)
{
    if (!m_session || handle != m_nOpenHandle)
        return;
    m_session.reset();
    m_nOpenHandle = kInvalidDriverHandle;
}

} // namespace pemrix
