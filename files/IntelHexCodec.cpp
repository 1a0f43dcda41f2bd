#include "IntelHexCodec.h"

#include "core/HexText.h"
#include "files/BinaryImageCodec.h"
#include "files/RawImageMessages.h"
#include "files/RawImageWords.h"

#include <algorithm>
#include <cstdint>
#include <variant>
#include <vector>

namespace pemrix {

namespace {

enum RecordType : std::uint8_t
{
    kData = 0,
    kEndOfFile = 1,
    kExtendedSegment = 2,
    kStartSegment = 3,
    kExtendedLinear = 4,
    kStartLinear = 5,
};

constexpr std::size_t kRecordOverhead = 5; // count, two offset bytes, type, checksum
constexpr std::size_t kBytesPerWrittenRecord = 16;
constexpr std::string_view kLineEnd = "\r\n";

struct HexRecord
{
    std::uint32_t offset = 0;
    std::uint8_t type = 0;
    std::string_view data;
};

std::uint8_t ByteAt(std::string_view digits, std::size_t index)
{
    return static_cast<std::uint8_t>(ParseHexPrefix(digits.substr(2 * index, 2)));
}

// One line's record; `bytes` receives its bytes so the record's data can point into them.
std::variant<HexRecord, HexLineFault> ParseRecord(std::string_view line, std::string& bytes)
{
    if (line.empty() || line.front() != ':')
        return HexLineFault::NoColon;
    const std::string_view digits = line.substr(1);
    if (!AllHexDigits(digits))
        return HexLineFault::NotHexDigits;
    if (digits.size() % 2 != 0)
        return HexLineFault::OddDigits;
    bytes.clear();
    for (std::size_t i = 0; i < digits.size() / 2; ++i)
        bytes += static_cast<char>(ByteAt(digits, i));
    if (bytes.size() < kRecordOverhead ||
        bytes.size() != kRecordOverhead + static_cast<std::uint8_t>(bytes[0]))
        return HexLineFault::LengthMismatch;
    std::uint8_t sum = 0;
    for (const char byte : bytes)
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(byte));
    if (sum != 0)
        return HexLineFault::Checksum;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    return HexRecord{static_cast<std::uint32_t>(byte(1) << 8 | byte(2)), byte(3),
                     std::string_view(bytes).substr(4, byte(0))};
}

std::uint64_t LargestImageBytes()
{
    std::uint64_t largest = 0;
    for (const EepromTypeInfo& type : EepromTypes())
        largest = std::max<std::uint64_t>(largest, ImageByteCount(type));
    return largest;
}

// The bytes the file gives, each with the line that gave it (0 for none yet).
class HexImage
{
public:
    explicit HexImage(const EepromTypeInfo& selected)
        : m_selected(selected), m_bytes(LargestImageBytes(), '\0'), m_lines(LargestImageBytes())
    {
    }

    std::optional<FileMessage> Take(std::size_t line, const HexRecord& record)
    {
        switch (record.type) {
        case kData:
            return TakeData(line, record);
        case kEndOfFile:
            if (!record.data.empty())
                return Fault(line, HexLineFault::BadEndRecord);
            m_bEnded = true;
            return std::nullopt;
        case kExtendedSegment:
        case kExtendedLinear:
            if (record.data.size() != 2)
                return Fault(line, HexLineFault::BadAddressRecord);
            m_nBase = (std::uint64_t{static_cast<std::uint8_t>(record.data[0])} << 8 |
                       static_cast<std::uint8_t>(record.data[1]))
                      << (record.type == kExtendedSegment ? 4 : 16);
            return std::nullopt;
        case kStartSegment:
        case kStartLinear:
            if (record.data.size() != 4)
                return Fault(line, HexLineFault::BadAddressRecord);
            return std::nullopt;
        default:
            return Fault(line, HexLineFault::UnknownRecordType);
        }
    }

    bool Ended() const { return m_bEnded; }

    // Once every line is in: the image, or why the bytes given are not the selected chip's.
    RomOpenResult Finish(WordByteOrder order) const
    {
        const std::uint64_t expected = ImageByteCount(m_selected);
        const auto given = [&](std::size_t at) { return m_lines[at] != 0; };
        const std::size_t firstGap = static_cast<std::size_t>(
            std::find(m_lines.begin(), m_lines.end(), 0) - m_lines.begin());
        const auto count = static_cast<std::size_t>(
            std::count_if(m_lines.begin(), m_lines.end(), [](std::size_t l) { return l != 0; }));
        if (count == firstGap && count != expected)
            if (const EepromTypeInfo* matched = TypeOfImageBytes(count, m_selected))
                return RomOpenMessage(RawImageTypeMessage("Intel HEX file", *matched));
        for (std::size_t at = expected; at < m_lines.size(); ++at)
            if (given(at))
                return RomOpenMessage(
                    HexLineMessage(m_lines[at], HexLineFault::BeyondChip, at, m_selected));
        if (firstGap < expected)
            return RomOpenMessage(HexUncoveredMessage(firstGap, m_selected));
        return AcceptedImage(m_selected, BytesToCells(std::string_view(m_bytes).substr(0, expected),
                                                      m_selected, order));
    }

private:
    std::optional<FileMessage> TakeData(std::size_t line, const HexRecord& record)
    {
        for (std::size_t i = 0; i < record.data.size(); ++i) {
            // The offset wraps within its 64 KiB segment, as the format defines.
            const std::uint64_t at = m_nBase + ((record.offset + i) & 0xFFFF);
            if (at >= m_lines.size())
                return HexLineMessage(line, HexLineFault::BeyondChip, at, m_selected);
            if (m_lines[at] != 0)
                return HexLineMessage(line, HexLineFault::ByteTwice, at, m_selected);
            m_lines[at] = line;
            m_bytes[at] = record.data[i];
        }
        return std::nullopt;
    }

    FileMessage Fault(std::size_t line, HexLineFault fault) const
    {
        return HexLineMessage(line, fault, 0, m_selected);
    }

    const EepromTypeInfo& m_selected;
    std::string m_bytes;
    std::vector<std::size_t> m_lines;
    std::uint64_t m_nBase = 0;
    bool m_bEnded = false;
};

void AppendRecord(std::string& file, std::uint32_t offset, RecordType type, std::string_view data)
{
    std::string bytes;
    bytes += static_cast<char>(data.size());
    bytes += static_cast<char>(offset >> 8);
    bytes += static_cast<char>(offset & 0xFF);
    bytes += static_cast<char>(type);
    bytes += data;
    std::uint8_t sum = 0;
    for (const char byte : bytes)
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(byte));
    bytes += static_cast<char>(-sum);
    file += ':';
    for (const char byte : bytes)
        file += FormatHex4(static_cast<std::uint8_t>(byte)).substr(2);
    file += kLineEnd;
}

} // namespace

RomOpenResult DecodeIntelHex(std::string_view file, const EepromTypeInfo& selected,
                             WordByteOrder order)
{
    if (file.size() > kLargestIntelHexFile)
        return RomOpenMessage(HexTooLargeMessage());
    HexImage image(selected);
    std::string bytes;
    std::size_t line = 0;
    while (!file.empty()) {
        const std::size_t end = std::min(file.find('\n'), file.size());
        std::string_view text = file.substr(0, end);
        file.remove_prefix(std::min(end + 1, file.size()));
        ++line;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        // Blank lines after the end carry nothing; anything else there is refused.
        if (image.Ended() && text.empty())
            continue;
        if (image.Ended())
            return RomOpenMessage(HexLineMessage(line, HexLineFault::AfterEnd, 0, selected));
        const auto parsed = ParseRecord(text, bytes);
        const std::optional<FileMessage> fault =
            std::holds_alternative<HexLineFault>(parsed)
                ? HexLineMessage(line, std::get<HexLineFault>(parsed), 0, selected)
                : image.Take(line, std::get<HexRecord>(parsed));
        if (fault)
            return RomOpenMessage(*fault);
    }
    if (!image.Ended())
        return RomOpenMessage(HexNoEndMessage());
    return image.Finish(order);
}

std::optional<std::string> EncodeIntelHex(const MemoryImage& image, const EepromTypeInfo& selected,
                                          WordByteOrder order)
{
    // The records carry the very bytes of the binary image.
    const std::optional<std::string> bytes = EncodeBinaryImage(image, selected, order);
    if (!bytes)
        return std::nullopt;
    std::string file;
    for (std::size_t at = 0; at < bytes->size(); at += kBytesPerWrittenRecord)
        AppendRecord(file, static_cast<std::uint32_t>(at), kData,
                     std::string_view(*bytes).substr(at, kBytesPerWrittenRecord));
    AppendRecord(file, 0, kEndOfFile, {});
    return file;
}

} // namespace pemrix
