#include "files/BinaryImageCodec.h"
#include "files/E2pFileCodec.h"
#include "files/IntelHexCodec.h"
#include "files/RomFileDecoder.h"

#include "core/DumpText.h"
#include "core/HexText.h"
#include "files/RomFileEncoder.h"
#include "files/RomFileLayout.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

namespace pemrix {
namespace {

// A broken promise of the decoder is a crash, so libFuzzer keeps the input that showed it.
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A dump row is its label "0000H" and eight cells of a blank and the cell's digits; rows are
// joined by line ends.
std::size_t DumpLength(const EepromTypeInfo& type)
{
    return (6 + 8 * (1 + CellDigitCount(type))) * type.rows - 1;
}

void CheckAccepted(std::string_view file, const EepromTypeInfo& type, const RomOpenResult& result)
{
    Require(file.size() == RomFileSize(type));
    Require(result.image && RenderDump(*result.image).size() == DumpLength(type));
    Require(result.refreshes.size() == type.words);
    for (std::uint32_t address = 0; address < type.words; ++address) {
        const RomWordRefresh& refresh = result.refreshes[address];
        Require(refresh.nAddress == address);
        const std::size_t digits = CellDigitCount(type);
        Require(refresh.strText == file.substr(kRomHeaderLength + digits * address, digits));
        Require(result.image->CellDigits(address) == refresh.strText);
        Require(GetImageWord(*result.image, address) == ParseHexPrefix(refresh.strText));
    }
    // Saving what was opened gives the file back, the header aside.
    const std::optional<std::string> saved = EncodeRomFile(*result.image, type);
    Require(saved && saved->substr(kRomHeaderLength) == file.substr(kRomHeaderLength));
}

// Every outcome but acceptance leaves nothing to install and says why.
void CheckRefused(const RomOpenResult& result)
{
    Require(result.outcome == RomOpenOutcome::Message);
    Require(!result.message.strText.empty() && result.message.strCaption == "Open File Error");
    Require(!result.image && result.refreshes.empty());
}

// An accepted raw image holds every word once, in order, and saving it gives back what reads
// as the same image.
void CheckRawImage(const RomOpenResult& result, const EepromTypeInfo& type,
                   const std::function<std::optional<std::string>(const MemoryImage&)>& encode,
                   const std::function<RomOpenResult(std::string_view)>& decode)
{
    if (result.outcome != RomOpenOutcome::Accepted)
        return CheckRefused(result);
    Require(result.image && RenderDump(*result.image).size() == DumpLength(type));
    Require(result.refreshes.size() == type.words);
    for (std::uint32_t address = 0; address < type.words; ++address) {
        Require(result.refreshes[address].nAddress == address);
        Require(GetImageWord(*result.image, address) ==
                ParseHexPrefix(result.refreshes[address].strText));
    }
    const std::optional<std::string> saved = encode(*result.image);
    Require(saved.has_value());
    const RomOpenResult again = decode(*saved);
    Require(again.outcome == RomOpenOutcome::Accepted &&
            RenderDump(*again.image) == RenderDump(*result.image));
}

void CheckRawDecoders(std::string_view file, const EepromTypeInfo& selected)
{
    const EepromTypeInfo& type = selected;
    for (const WordByteOrder order : {WordByteOrder::LittleEndian, WordByteOrder::BigEndian}) {
        const auto binary = [&](std::string_view bytes) {
            return DecodeBinaryImage(bytes, bytes.size(), selected, order);
        };
        CheckRawImage(
            binary(file), type,
            [&](const MemoryImage& image) { return EncodeBinaryImage(image, selected, order); },
            binary);
        const auto hex = [&](std::string_view text) {
            return DecodeIntelHex(text, selected, order);
        };
        CheckRawImage(
            hex(file), type,
            [&](const MemoryImage& image) { return EncodeIntelHex(image, selected, order); }, hex);
    }
    const auto e2p = [&](std::string_view bytes) {
        return DecodeE2pFile(bytes, bytes.size(), selected);
    };
    CheckRawImage(
        e2p(file), type,
        [&](const MemoryImage& image) { return EncodeE2pFile(image, selected, 0); }, e2p);
}

void CheckDecode(std::string_view file, const EepromTypeInfo& type)
{
    const RomOpenResult result = DecodeRomFile(file, type);
    switch (result.outcome) {
    case RomOpenOutcome::Accepted:
        CheckAccepted(file, type, result);
        break;
    case RomOpenOutcome::Ignored:
        Require(file.size() != RomFileSize(type));
        Require(!result.image && result.refreshes.empty());
        break;
    case RomOpenOutcome::Message:
        CheckRefused(result);
        break;
    }
}

} // namespace
} // namespace pemrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    for (const pemrix::EepromTypeInfo& selected : pemrix::AllEepromTypes()) {
        pemrix::CheckDecode(file, selected);
        pemrix::CheckRawDecoders(file, selected);
    }
    return 0;
}
