#include "adapter/BuiltInDriver.h"

#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <algorithm>
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

constexpr auto kWords16 = EepromOrganisation::Words16;
constexpr auto kBytes8 = EepromOrganisation::Bytes8;

AdapterStatus ReadAllBytes(ChipSession& session, ByteImageRecord& record)
{
    std::array<std::uint32_t, ByteImageRecord::kByteSlots> cells{};
    const AdapterStatus status = session.ReadImage(record.type, cells);
    if (status == AdapterStatus::Ok)
        std::copy(cells.begin(), cells.end(), record.bytes.begin());
    return status;
}

AdapterStatus WriteAllBytes(ChipSession& session, ByteImageRecord& record)
{
    std::array<std::uint32_t, ByteImageRecord::kByteSlots> cells{};
    std::copy(record.bytes.begin(), record.bytes.end(), cells.begin());
    return session.WriteImage(record.type, cells);
}

AdapterStatus DetectOrganisation(ChipSession& session, OrganisationDetectRecord& record)
{
    // The organisation of the socket it names travels in the record.
    session.UseOrganisation(record.organisation == kOrganisationBytes8
                                ? EepromOrganisation::Bytes8
                                : EepromOrganisation::Words16);
    ChipOrganisationDetection detection;
    const AdapterStatus status = session.DetectOrganisation(record.type, detection);
    record.addressBits = detection.addressBits;
    record.type = detection.type ? detection.type->code : 0;
    record.organisation = detection.type ? detection.type->cellBits : 0;
    record.candidates = 0;
    for (const EepromTypeInfo* candidate : detection.candidates)
        record.candidates |= ChipTypeBit(candidate->code, candidate->cellBits);
    return status;
}

// Each request with the size of what it carries in, whether that record also comes back, and
// the organisation its type code names.
struct RequestRoute
{
    std::uint32_t code;
    std::uint32_t size;
    bool returnsRecord;
    EepromOrganisation organisation;
    void (*answer)(ChipSession&, Bytes);
};

constexpr std::array<RequestRoute, 22> kRoutes{{
    {REQ_GET_VERSION, VersionRecord::kSize, true, kWords16, AnswerVersion},
    {REQ_SET_PORT, ValueRequest::kSize, false, kWords16, AnswerValue<&ChipSession::SetPort>},
    {REQ_READ, WordRecord::kSize, true, kWords16, AnswerRecord<WordRecord, Read>},
    {REQ_WRITE_ENABLE, ValueRequest::kSize, false, kWords16,
     AnswerValue<&ChipSession::EnableWrite>},
    {REQ_WRITE_DISABLE, ValueRequest::kSize, false, kWords16,
     AnswerValue<&ChipSession::DisableWrite>},
    {REQ_WRITE, WordRecord::kSize, true, kWords16, AnswerRecord<WordRecord, Write>},
    {REQ_ERASE, EraseRecord::kSize, true, kWords16, AnswerRecord<EraseRecord, Erase>},
    {REQ_WRAL, FillRecord::kSize, true, kWords16, AnswerRecord<FillRecord, Wral>},
    {REQ_ERAL, EralRecord::kSize, true, kWords16, AnswerRecord<EralRecord, Eral>},
    {REQ_READ_ALL, ImageRecord::kSize, true, kWords16, AnswerRecord<ImageRecord, ReadAll>},
    {REQ_WRITE_ALL, ImageRecord::kSize, true, kWords16, AnswerRecord<ImageRecord, WriteAll>},
    {REQ_DETECT_TYPE, DetectRecord::kSize, true, kWords16, AnswerRecord<DetectRecord, DetectType>},
    {REQ_READ_X8, WordRecord::kSize, true, kBytes8, AnswerRecord<WordRecord, Read>},
    {REQ_WRITE_ENABLE_X8, ValueRequest::kSize, false, kBytes8,
     AnswerValue<&ChipSession::EnableWrite>},
    {REQ_WRITE_DISABLE_X8, ValueRequest::kSize, false, kBytes8,
     AnswerValue<&ChipSession::DisableWrite>},
    {REQ_WRITE_X8, WordRecord::kSize, true, kBytes8, AnswerRecord<WordRecord, Write>},
    {REQ_ERASE_X8, EraseRecord::kSize, true, kBytes8, AnswerRecord<EraseRecord, Erase>},
    {REQ_WRAL_X8, FillRecord::kSize, true, kBytes8, AnswerRecord<FillRecord, Wral>},
    {REQ_ERAL_X8, EralRecord::kSize, true, kBytes8, AnswerRecord<EralRecord, Eral>},
    {REQ_READ_ALL_X8, ByteImageRecord::kSize, true, kBytes8,
     AnswerRecord<ByteImageRecord, ReadAllBytes>},
    {REQ_WRITE_ALL_X8, ByteImageRecord::kSize, true, kBytes8,
     AnswerRecord<ByteImageRecord, WriteAllBytes>},
    {REQ_DETECT_ORGANISATION, OrganisationDetectRecord::kSize, true, kWords16,
     AnswerRecord<OrganisationDetectRecord, DetectOrganisation>},
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
    m_session->UseOrganisation(route->organisation);
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
