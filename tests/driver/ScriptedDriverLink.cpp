#include "tests/driver/ScriptedDriverLink.h"

#include <algorithm>

#include "core/EepromTypeInfo.h"
#include "driver/RequestRecords.h"
#include "driver/RecordBytes.h"
#include "driver/RequestCodes.h"

namespace pemrix {

struct ScriptedDriverLink::RequestShape
{
    std::uint32_t code;
    // What a healthy driver returns; 0 for the 4-byte requests.
    std::uint32_t replySize;
    std::optional<std::size_t> statusOffset;
    // The record names one word address, which must lie within the chip.
    bool addressed = false;
};

namespace {

constexpr std::uint32_t kErased = 0xFFFF;

} // namespace

const ScriptedDriverLink::RequestShape* ScriptedDriverLink::FindShape(std::uint32_t code)
{
    static const std::array<RequestShape, 11> kShapes{{
        {REQ_GET_VERSION, VersionRecord::kSize, std::nullopt},
        {REQ_SET_PORT, 0, std::nullopt},
        {REQ_READ, WordRecord::kSize, OffsetOf(&WordRecord::status), true},
        {REQ_WRITE_ENABLE, 0, std::nullopt},
        {REQ_WRITE_DISABLE, 0, std::nullopt},
        {REQ_WRITE, WordRecord::kSize, OffsetOf(&WordRecord::status), true},
        {REQ_ERASE, EraseRecord::kSize, OffsetOf(&EraseRecord::status), true},
        {REQ_WRAL, FillRecord::kSize, OffsetOf(&FillRecord::status)},
        {REQ_ERAL, EralRecord::kSize, OffsetOf(&EralRecord::status)},
        {REQ_READ_ALL, ImageRecord::kSize, OffsetOf(&ImageRecord::status)},
        {REQ_WRITE_ALL, ImageRecord::kSize, OffsetOf(&ImageRecord::status)},
    }};
    const auto it = std::find_if(kShapes.begin(), kShapes.end(),
                                 [code](const RequestShape& shape) { return shape.code == code; });
    return it == kShapes.end() ? nullptr : &*it;
}

std::array<std::uint32_t, ImageRecord::kWordSlots> ScriptedDriverLink::ErasedWords()
{
    std::array<std::uint32_t, ImageRecord::kWordSlots> words;
    words.fill(kErased);
    return words;
}

DriverHandle ScriptedDriverLink::Open(std::uint32_t attributes)
{
    const DriverHandle handle = m_bOpenFails ? kInvalidDriverHandle : kScriptedHandle;
    m_calls.push_back({.kind = LinkCall::Kind::Open, .attributes = attributes, .handle = handle});
    if (handle != kInvalidDriverHandle)
        ++m_nOpenHandles;
    return handle;
}

void ScriptedDriverLink::Close(DriverHandle handle)
{
    m_calls.push_back({.kind = LinkCall::Kind::Close, .handle = handle});
    --m_nOpenHandles;
}

void ScriptedDriverLink::Script(std::uint32_t code, int occurrence, ScriptedReply reply)
{
    m_script[{code, occurrence}] = std::move(reply);
}

bool ScriptedDriverLink::Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                                 std::uint32_t inSize, std::uint32_t outSize,
                                 std::uint32_t& bytesReturned)
{
    m_calls.push_back({.kind = LinkCall::Kind::Control,
                       .handle = handle,
                       .code = code,
                       .input = std::vector<std::uint8_t>(buffer, buffer + inSize),
                       .inSize = inSize,
                       .outSize = outSize});
    bytesReturned = 0;
    const ScriptedReply reply = [&] {
        const auto it = m_script.find({code, ++m_requestCounts[code]});
        return it == m_script.end() ? ScriptedReply{} : it->second;
    }();
    const RequestShape* shape = FindShape(code);
    const bool callResult = reply.callResult.value_or(shape && handle == kScriptedHandle);
    if (!callResult) {
        bytesReturned = reply.bytesReturned.value_or(0);
        return false;
    }

    const std::uint32_t replySize = shape ? shape->replySize : 0;
    std::vector<std::uint8_t> bytes(std::max(replySize, ValueRequest::kSize), 0);
    std::copy_n(buffer, std::min<std::size_t>(inSize, bytes.size()), bytes.begin());
    if (shape)
        AnswerHealthily(*shape, bytes);
    if (reply.status && shape && shape->statusOffset)
        StoreLe32(bytes, *shape->statusOffset, *reply.status);
    if (reply.patch)
        reply.patch(bytes);

    const std::uint32_t copied = std::min(outSize, replySize);
    std::copy_n(bytes.begin(), copied, buffer);
    bytesReturned = reply.bytesReturned.value_or(copied);
    return true;
}

std::uint32_t ScriptedDriverLink::ChipWords(std::uint32_t type) const
{
    const EepromTypeInfo* info = FindEepromType(type);
    return info ? info->words : 0;
}

void ScriptedDriverLink::AnswerHealthily(const RequestShape& shape, std::span<std::uint8_t> reply)
{
    // Every record starts with its type code, and the single-word ones follow it with the
    // address, so one look serves all of them.
    const std::uint32_t words = ChipWords(LoadLe32(reply, 0));
    const std::uint32_t address = LoadLe32(reply, OffsetOf(&WordRecord::address));
    if (shape.statusOffset && (words == 0 || (shape.addressed && address >= words))) {
        StoreLe32(reply, *shape.statusOffset, kRefusedStatus);
        return;
    }
    switch (shape.code) {
    case REQ_GET_VERSION:
        EncodeRecord(m_version, reply);
        break;
    case REQ_SET_PORT:
        m_nPort = DecodeRecord<ValueRequest>(reply).value;
        break;
    case REQ_WRITE_ENABLE:
    case REQ_WRITE_DISABLE:
        m_bWriteEnabled = shape.code == REQ_WRITE_ENABLE && words != 0;
        break;
    case REQ_READ:
        StoreLe32(reply, OffsetOf(&WordRecord::data), m_words[address]);
        break;
    case REQ_WRITE:
        Program(address, 1, LoadLe32(reply, OffsetOf(&WordRecord::data)));
        break;
    case REQ_ERASE:
        Program(address, 1, kErased);
        break;
    case REQ_WRAL:
        Program(0, words, LoadLe32(reply, OffsetOf(&FillRecord::data)));
        break;
    case REQ_ERAL:
        Program(0, words, kErased);
        break;
    case REQ_READ_ALL:
        for (std::uint32_t i = 0; i < words; ++i)
            StoreLe32(reply, ImageRecord::WordOffset(i), m_words[i]);
        break;
    case REQ_WRITE_ALL:
        for (std::uint32_t i = 0; i < words; ++i)
            Program(i, 1, LoadLe32(reply, ImageRecord::WordOffset(i)));
        break;
    default:
        break;
    }
}

void ScriptedDriverLink::Program(std::uint32_t first, std::uint32_t count, std::uint32_t value)
{
    // A chip ignores programming instructions until it is write-enabled.
    if (m_bWriteEnabled)
        std::fill_n(m_words.begin() + first, count, value & 0xFFFF);
}

std::vector<std::uint32_t> ScriptedDriverLink::ControlCodes() const
{
    std::vector<std::uint32_t> codes;
    for (const LinkCall& call : m_calls) {
        if (call.kind == LinkCall::Kind::Control)
            codes.push_back(call.code);
    }
    return codes;
}

std::function<void(std::span<std::uint8_t>)> ScriptedDriverLink::ReplyData(std::uint32_t data)
{
    return [data](std::span<std::uint8_t> bytes) {
        StoreLe32(bytes, OffsetOf(&WordRecord::data), data);
    };
}

std::function<void(std::span<std::uint8_t>)> ScriptedDriverLink::ReplyImageWord(std::size_t slot,
                                                                                std::uint32_t value)
{
    return [slot, value](std::span<std::uint8_t> bytes) {
        StoreLe32(bytes, ImageRecord::WordOffset(slot), value);
    };
}

} // namespace pemrix
