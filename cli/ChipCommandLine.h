#pragma once

#include "cli/CommandReport.h"
#include "core/EepromTypeInfo.h"
#include "files/ImageFileKind.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace pemrix {

class DriverLink;
class FileSystem;

// Everything a chip command of the command-line tool works with.
struct ChipCommandContext
{
    DriverLink& driver;
    FileSystem& files;
    std::uint32_t port;
    const EepromTypeInfo& type;
    std::FILE* progress; // where the progress bar goes, or null for none
};

// A FILE operand and the kind of file it is read or written as.
struct ImageFileOperand
{
    std::string path;
    const ImageFileKind& kind;
};

// The words of an image file for `type`, or nothing with the file's problem in the report.
std::optional<std::vector<std::uint32_t>> ReadImageFileWords(FileSystem& files,
                                                             const EepromTypeInfo& type,
                                                             const ImageFileOperand& file,
                                                             CommandReport& report);

// Each runs one subcommand through the window's requests and checks, fills `report` and
// returns the exit code. A file is read before the chip is touched, so a file error leaves
// the chip as it was.
int RunReadCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                   CommandReport& report);
int RunWriteCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                    CommandReport& report);
int RunVerifyCommand(const ChipCommandContext& context, const ImageFileOperand& file,
                     CommandReport& report);
// Detection takes the selected type only to name the socket, where an adapter has one per type.
int RunDetectCommand(const ChipCommandContext& context, CommandReport& report);
int RunEraseCommand(const ChipCommandContext& context, CommandReport& report);
int RunFillCommand(const ChipCommandContext& context, std::uint32_t data, CommandReport& report);
int RunPeekCommand(const ChipCommandContext& context, std::uint32_t address, CommandReport& report);
int RunPokeCommand(const ChipCommandContext& context, std::uint32_t address, std::uint32_t data,
                   CommandReport& report);
int RunClearCommand(const ChipCommandContext& context, std::uint32_t address,
                    CommandReport& report);

} // namespace pemrix
