#include "ChipCommandLine.h"

#include "adapter/AdapterStatus.h"
#include "cli/WordDifferenceReport.h"
#include "cli/WordProgressBar.h"
#include "core/DumpText.h"
#include "core/HexText.h"
#include "driver/ChipDetection.h"
#include "driver/ResultTexts.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "files/ImageFileOpen.h"
#include "files/ImageFileSave.h"

#include <chrono>
#include <functional>
#include <optional>

namespace pemrix {

namespace {

std::string Hex(std::uint32_t value)
{
    return "0x" + FormatHex4(value);
}

// A status the driver put in a reply: a main request's as it is, a verification's shifted
// left by four; the program's own codes are neither.
const AdapterStatusInfo* DriverStatusOf(std::uint32_t errorCode)
{
    if (const AdapterStatusInfo* status = FindAdapterStatus(errorCode))
        return status;
    return errorCode % 16 == 0 ? FindAdapterStatus(errorCode / 16) : nullptr;
}

// Runs `command` behind the progress bar, `wordsInAll` being the words its requests move one
// by one, and notes how long it took. A command a stop signal ended fails with the code the
// window's Stop gives, and the report keeps the address it stopped at.
template <class Result>
Result Timed(const ChipCommandContext& context, std::string_view label, std::uint32_t wordsInAll,
             CommandReport& report, const std::function<Result(DriverLink&)>& command)
{
    const auto start = std::chrono::steady_clock::now();
    std::optional<Result> result;
    {
        WordProgressBar bar(context.driver, context.progress, std::string(label), wordsInAll);
        result = command(context.driver);
        if (!result->succeeded && bar.StoppedAt()) {
            result->errorCode = kStoppedCode;
            report.Stopped(*bar.StoppedAt());
        }
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    report.Json().Add("seconds", JsonNumber(seconds.count()));
    return *result;
}

void AddTarget(const ChipCommandContext& context, CommandReport& report)
{
    report.Json().Add("port", JsonString(Hex(context.port)));
    report.Json().Add("chip", JsonString(context.type.name));
}

// A failed command's text, then the driver status's meaning and remedy. Returns the exit code.
int Fail(const DriverResult& result, std::string text, CommandReport& report)
{
    report.Json().Add("error_code", JsonNumber(std::uint64_t{result.errorCode}));
    if (const std::optional<std::uint32_t> stoppedAt = report.StoppedAt()) {
        text += "   Stopped at address " + FormatHex4(*stoppedAt);
        report.Json().Add("stopped_at", JsonNumber(std::uint64_t{*stoppedAt}));
    }
    report.Problem(std::move(text));
    if (const AdapterStatusInfo* status = DriverStatusOf(result.errorCode)) {
        report.Problem(std::string(status->name) + ": " + std::string(status->meaning));
        report.Problem("Remedy: " + std::string(status->remedy));
        report.Json().Add("status", JsonString(status->name));
    }
    return kExitChipFailure;
}

// The window's log text of a finished command. Returns the exit code.
int Conclude(const DriverResult& result, int kind, std::uint32_t address, std::uint32_t data,
             CommandReport& report, unsigned dataDigits = 4)
{
    report.Json().Add("succeeded", JsonBool(result.succeeded));
    if (!result.succeeded)
        return Fail(result, FailureLogText(kind, result.errorCode), report);
    report.Line(SuccessLogText(kind, address, data, dataDigits));
    return kExitSuccess;
}

std::optional<std::vector<std::uint32_t>> ReadImageFile(const ChipCommandContext& context,
                                                        const ImageFileOperand& file,
                                                        CommandReport& report)
{
    report.Json().Add("file", JsonString(file.path));
    return ReadImageFileWords(context.files, context.type, file, report);
}

ImageCommandResult ReadChip(const ChipCommandContext& context, CommandReport& report)
{
    return Timed<ImageCommandResult>(
        context, "ReadAll", 2 * context.type.words, report,
        [&](DriverLink& link) { return ReadAllCells(link, context.port, context.type); });
}

int ConcludeWords(const ChipCommandContext& context, const ImageCommandResult& result, int kind,
                  std::uint32_t data, CommandReport& report)
{
    AddTarget(context, report);
    if (result.succeeded)
        report.Json().Add("words", JsonNumbers(result.words));
    return Conclude(result, kind, 0, data, report, CellDigitCount(context.type));
}

int ConcludeWord(const ChipCommandContext& context, const WordCommandResult& result, int kind,
                 CommandReport& report)
{
    AddTarget(context, report);
    if (result.succeeded) {
        report.Json().Add("address", JsonNumber(std::uint64_t{result.logAddress}));
        report.Json().Add("data", JsonNumber(std::uint64_t{result.logData}));
    }
    return Conclude(result, kind, result.logAddress, result.logData, report,
                    CellDigitCount(context.type));
}

} // namespace

std::optional<std::vector<std::uint32_t>> ReadImageFileWords(FileSystem& files,
                                                             const EepromTypeInfo& type,
                                                             const ImageFileOperand& file,
                                                             CommandReport& report)
{
    const RomOpenResult opened = OpenImageFile(files, file.path, type, file.kind);
    if (opened.outcome == RomOpenOutcome::Accepted)
        return opened.image->Cells();
    report.Problem(opened.outcome == RomOpenOutcome::Message
                       ? opened.message.strText
                       : "The ROM file's size does not match the " + ChipTypeName(type) + ".");
    return std::nullopt;
}

int RunReadCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                   CommandReport& report)
{
    const ImageCommandResult result = ReadChip(context, report);
    const int exitCode = ConcludeWords(context, result, kReadAllResultKind, 0, report);
    report.Json().Add("file", JsonString(file.path));
    if (exitCode != kExitSuccess)
        return exitCode;
    MemoryImage image;
    LoadImageWords(image, context.type, result.words);
    if (const auto failure =
            SaveImageFile(context.files, file.path, image, context.type, file.kind)) {
        report.Problem(failure->strText);
        return kExitFileError;
    }
    report.Line(CellCountText(context.type, result.words.size()) + " saved to " + file.path + ".");
    return kExitSuccess;
}

int RunWriteCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                    CommandReport& report)
{
    const std::optional<std::vector<std::uint32_t>> words = ReadImageFile(context, file, report);
    if (!words)
        return kExitFileError;
    const DriverResult result = Timed<DriverResult>(
        context, "WriteAll", 2 * context.type.words, report,
        [&](DriverLink& link) { return WriteAllCells(link, context.port, context.type, *words); });
    AddTarget(context, report);
    return Conclude(result, kWriteAllResultKind, 0, 0, report);
}

int RunVerifyCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                     CommandReport& report)
{
    const std::optional<std::vector<std::uint32_t>> words = ReadImageFile(context, file, report);
    if (!words)
        return kExitFileError;
    const ImageCommandResult chip = ReadChip(context, report);
    AddTarget(context, report);
    if (!chip.succeeded)
        return Conclude(chip, kReadAllResultKind, 0, 0, report);
    const std::vector<std::uint32_t> differing =
        ReportWordDifferences(chip.words, *words, "chip", "file", context.type, report);
    // Succeeded as the text says it: the chip holds the file's words.
    report.Json().Add("succeeded", JsonBool(differing.empty()));
    if (differing.empty()) {
        report.Line("Verify Succeeded: all " + CellCountText(context.type, context.type.words) +
                    " match " + file.path + ".");
        return kExitSuccess;
    }
    report.Problem("Verify found " + CellCountText(context.type, differing.size()) +
                   " differing from " + file.path + ", the first at address " +
                   FormatHex4(differing.front()) + ".");
    return kExitDifferences;
}

int RunDetectCommand(const ChipCommandContext& context, CommandReport& report)
{
    const DetectedChip result =
        Timed<DetectedChip>(context, "Detect", 0, report, [&](DriverLink& link) {
            return DetectChip(link, context.port, context.type);
        });
    report.Json().Add("port", JsonString(Hex(context.port)));
    report.Json().Add("succeeded", JsonBool(result.succeeded));
    if (!result.succeeded)
        return Fail(result, result.logText, report);
    report.Json().Add("chip", JsonString(result.type->name));
    report.Json().Add("address_bits", JsonNumber(std::uint64_t{result.addressBits}));
    report.Json().Add("organisation", JsonNumber(std::uint64_t{result.type->cellBits}));
    if (result.candidates.size() > 1)
        report.Json().Add("or_chip", JsonString(ChipTypeName(*result.candidates[1])));
    report.Line(result.logText);
    return kExitSuccess;
}

int RunEraseCommand(const ChipCommandContext& context, CommandReport& report)
{
    const ImageCommandResult result = Timed<ImageCommandResult>(
        context, "ERAL", context.type.words, report,
        [&](DriverLink& link) { return EralCells(link, context.port, context.type); });
    return ConcludeWords(context, result, kEralResultKind, 0, report);
}

int RunFillCommand(const ChipCommandContext& context, std::uint32_t data, CommandReport& report)
{
    const FillCommandResult result = Timed<FillCommandResult>(
        context, "WRAL", context.type.words, report,
        [&](DriverLink& link) { return WralCells(link, context.port, context.type, data); });
    return ConcludeWords(context, result, kWralResultKind, result.data, report);
}

int RunPeekCommand(const ChipCommandContext& context, std::uint32_t address, CommandReport& report)
{
    const WordCommandResult result =
        Timed<WordCommandResult>(context, "READ", 0, report, [&](DriverLink& link) {
            return ReadCell(link, context.port, context.type, address);
        });
    return ConcludeWord(context, result, kReadResultKind, report);
}

int RunPokeCommand(const ChipCommandContext& context, std::uint32_t address, std::uint32_t data,
                   CommandReport& report)
{
    const WordCommandResult result =
        Timed<WordCommandResult>(context, "WRITE", 0, report, [&](DriverLink& link) {
            return WriteCell(link, context.port, context.type, address, data);
        });
    return ConcludeWord(context, result, kWriteResultKind, report);
}

int RunClearCommand(const ChipCommandContext& context, std::uint32_t address, CommandReport& report)
{
    const WordCommandResult result =
        Timed<WordCommandResult>(context, "ERASE", 0, report, [&](DriverLink& link) {
            return EraseCell(link, context.port, context.type, address);
        });
    return ConcludeWord(context, result, kEraseResultKind, report);
}

} // namespace pemrix
