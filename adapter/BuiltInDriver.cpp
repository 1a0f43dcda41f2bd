#include "adapter/BuiltInDriver.h"

#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <array>
#include <span>

namespace pemrix {

namespace {

using Bytes = std::span<std::uint8_t>;

void AnswerVersion(ChipSession&, Bytes bytes)
{
    EncodeRecord(BuiltInDriver::kVersion, bytes);
}

// The 4-byte requests hand their one value to the session and answer nothing.
template <void (ChipSession::*operation)(std::uint32_t)>
void AnswerValue(ChipSession& session, Bytes bytes)
{
    (session.*operation)(DecodeRecord<ValueRequest>(bytes).value);
}

// The record requests come back as they went in, with the outcome in their status field.
template <typename Record, AdapterStatus (*operation)(ChipSession&, Record&)>
void AnswerRecord(ChipSession& session, Bytes bytes)
{
    Record record = DecodeRecord<Record>(bytes);
    record.status = StatusCode(operation(session, record));
    EncodeRecord(record, bytes);
}

AdapterStatus Read(ChipSession& session, WordRecord& record)
{
    return session.Read(record.type, record.address, record.data);
}

AdapterStatus Write(ChipSession& session, WordRecord& record)
{
    return session.Write(record.type, record.address, record.data);
}

AdapterStatus Erase(ChipSession& session, EraseRecord& record)
{
    return session.Erase(record.type, record.address);
}

AdapterStatus Wral(ChipSession& session, FillRecord& record)
{
    return session.Fill(record.type, record.data);
}

AdapterStatus Eral(ChipSession& session, EralRecord& record)
{
    return session.EraseAll(record.type);
}

AdapterStatus ReadAll(ChipSession& session, ImageRecord& record)
{
    return session.ReadImage(record.type, record.words);
}

AdapterStatus WriteAll(ChipSession& session, ImageRecord& record)
{
    return session.WriteImage(record.type, record.words);
}

AdapterStatus DetectType(ChipSession& session, DetectRecord& record)
{
    ChipTypeDetection detection;
    const AdapterStatus status = session.DetectType(record.type, detection);
    record.type = detection.type;
    record.addressBits = detection.addressBits;
    record.alternative = detection.alternative;
    return status;
}

// Each request with the size of what it carries in and whether that record also comes back.
struct RequestRoute
{
    std::uint32_t code;
    std::uint32_t size;
    bool returnsRecord;
    void (*answer)(ChipSession&, Bytes);
};

constexpr std::array<RequestRoute, 12> kRoutes{{
    {REQ_GET_VERSION, VersionRecord::kSize, true, AnswerVersion},
    {REQ_SET_PORT, ValueRequest::kSize, false, AnswerValue<&ChipSession::SetPort>},
    {REQ_READ, WordRecord::kSize, true, AnswerRecord<WordRecord, Read>},
    {REQ_WRITE_ENABLE, ValueRequest::kSize, false, AnswerValue<&ChipSession::EnableWrite>},
    {REQ_WRITE_DISABLE, ValueRequest::kSize, false, AnswerValue<&ChipSession::DisableWrite>},
    {REQ_WRITE, WordRecord::kSize, true, AnswerRecord<WordRecord, Write>},
    {REQ_ERASE, EraseRecord::kSize, true, AnswerRecord<EraseRecord, Erase>},
    {REQ_WRAL, FillRecord::kSize, true, AnswerRecord<FillRecord, Wral>},
    {REQ_ERAL, EralRecord::kSize, true, AnswerRecord<EralRecord, Eral>},
    {REQ_READ_ALL, ImageRecord::kSize, true, AnswerRecord<ImageRecord, ReadAll>},
    {REQ_WRITE_ALL, ImageRecord::kSize, true, AnswerRecord<ImageRecord, WriteAll>},
    {REQ_DETECT_TYPE, DetectRecord::kSize, true, AnswerRecord<DetectRecord, DetectType>},
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
    m_session->WatchWords(m_progress);
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

void BuiltInDriver::WatchProgress(DriverProgress* progress)
{
    m_progress = progress;
    if (m_session)
        m_session->WatchWords(progress);
}

void BuiltInDriver::Close(DriverHandle handle)
{
    if (!m_session || handle != m_nOpenHandle)
        return;
    m_session.reset();
    m_nOpenHandle = kInvalidDriverHandle;
}

} // namespace pemrix
