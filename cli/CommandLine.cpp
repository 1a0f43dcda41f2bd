#include "CommandLine.h"

#include "adapter/virtual/VirtualAdapterAddress.h"
#include "cli/ChipCommandLine.h"
#include "cli/ChipMarking.h"
#include "cli/CommandReport.h"
#include "cli/FileCompareCommand.h"
#include "cli/OperandFormatter.h"
#include "cli/PortChoice.h"
#include "cli/StopSignals.h"
#include "cli/WindowProfile.h"
#include "core/HexText.h"
#include "driver/DriverLink.h"
#include "files/FileErrorText.h"
#include "files/ImageFileKind.h"
#include "files/NativeFileSystem.h"
#include "files/StandardStreamPath.h"
#include "platform/PlatformProviders.h"
#include "settings/PortPlatform.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace pemrix {

namespace {

constexpr std::string_view kUsageLine =
    "Usage: pemrix-cli [-p PORT] [-c CHIP] [--org 8|16] [-f FORMAT] [--byte-order le|be] [-q] "
    "[--json] COMMAND [ARGS]\n"
    "       pemrix-cli [-p PORT] [-c CHIP] ... -r FILE | -w FILE | -v FILE | -E";

constexpr const char* kFooter = R"(Examples:
  pemrix-cli list
  pemrix-cli -p virtual -c 93c66 read backup.bin --byte-order be
  pemrix-cli -p LPT1 -c 93c46 write board.hex && pemrix-cli -p LPT1 -c 93c46 verify board.hex
  pemrix-cli -p LPT1 detect
  pemrix-cli -p LPT1 -c 93c46 -r backup.bin
  pemrix-cli -c 93c66 compare before.e2p after.bin
  pemrix-cli -p LPT1 -c 93lc66a read bytes.bin

Without -p and -c the port and chip type are the ones the window used last.
FORMAT follows FILE's extension (.ROM, .bin, .hex, .e2p); -f gives it for any other name and
may not contradict the extension. FILE - is the standard output for read, the standard input
for write and verify. Binary and Intel HEX images hold 16-bit words little-endian unless
--byte-order be is given; those of an 8-bit chip hold its bytes in address order.
ADDR and WORD are 1 to 4 hexadecimal digits, with or without 0x; WORD of an 8-bit chip is 1 or
2.

The first Ctrl-C (SIGINT) or SIGTERM stops a whole-chip command at its next word, as the
window's Stop does, and exits with 128 plus the signal's number (130 for Ctrl-C); a second
one ends pemrix-cli at once.

Exit status: 0 success, 1 chip or driver failure, 2 usage error, 3 verify or compare
found differences, 4 file error, 130 stopped by Ctrl-C.)";

// A usage error found after parsing: the text and the usage line, exit code 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Arguments
{
    std::string port;
    std::string chip;
    std::string organisation;
    std::string format;
    std::string byteOrder;
    bool quiet = false;
    bool json = false;
    std::string file;
    std::string file2;
    std::string address;
    std::string word;
};

std::uint32_t HexOperand(std::string_view name, std::string_view text, std::uint32_t limit)
{
    std::string_view digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    const std::optional<std::uint32_t> value = ParseHexField(digits);
    if (!value)
        throw UsageError(std::string(name) + " must be 1 to 4 hexadecimal digits, not \"" +
                         std::string(text) + "\".");
    if (*value >= limit)
        throw UsageError(std::string(name) + " " + FormatHex4(*value) + " lies beyond the last " +
                         "address " + FormatHex4(limit - 1) + ".");
    return *value;
}

// A data operand: a word, or in 8-bit organisation a byte, which a third digit would overflow.
std::uint32_t DataOperand(std::string_view text, const EepromTypeInfo& type)
{
    const std::uint32_t value = HexOperand("WORD", text, 0x10000);
    if (value >> type.cellBits != 0)
        throw UsageError("WORD must be 1 or 2 hexadecimal digits for an 8-bit chip, not \"" +
                         std::string(text) + "\".");
    return value;
}

const EepromTypeInfo& ChosenType(const Arguments& arguments, const WindowProfile& profile)
{
    const std::optional<EepromOrganisation> asked =
        arguments.organisation.empty()  ? std::nullopt
        : arguments.organisation == "8" ? std::optional(EepromOrganisation::Bytes8)
                                        : std::optional(EepromOrganisation::Words16);
    if (arguments.chip.empty())
        return *FindEepromType(EffectiveEepromType(profile.type).code,
                               asked.value_or(profile.organisation));
    const std::optional<ChipMarking> marking = ReadChipMarking(arguments.chip);
    if (!marking)
        throw UsageError("Unknown chip type \"" + arguments.chip + "\".");
    if (marking->organisation && asked && *asked != *marking->organisation)
        throw UsageError("The part " + arguments.chip + " is " +
                         (*marking->organisation == EepromOrganisation::Bytes8 ? "8" : "16") +
                         "-bit; --org " + arguments.organisation + " does not fit it.");
    // A part with an ORG pin left open is 16-bit: its pull-up holds the pin high.
    return *FindEepromType(
        marking->code, marking->organisation.value_or(asked.value_or(EepromOrganisation::Words16)));
}

std::uint32_t ChosenPort(const Arguments& arguments, const WindowProfile& profile)
{
    if (arguments.port.empty() && profile.port)
        return *profile.port;
    const std::unique_ptr<PortPlatform> platform = MakePortPlatform();
    const std::vector<ListedPort> listed = ListPorts(*platform, profile.customPort);
    // Before the window has run, the port it would start with: the virtual adapter on a
    // machine without parallel ports.
    if (arguments.port.empty())
        return listed.empty() ? kVirtualAdapterBase : listed.front().address;
    const std::optional<std::uint32_t> port = ChoosePort(arguments.port, listed);
    if (!port)
        throw UsageError("Unknown port \"" + arguments.port +
                         "\": give virtual, an address such as 0x378, or a name from list.");
    return *port;
}

// A file's extension says its kind, as in the window; -f names the kind of a file whose name
// says none (a stream, a device, another extension) and may not contradict one that does.
const ImageFileKind& ChosenKind(const Arguments& arguments, const std::string& path,
                                const EepromTypeInfo& type)
{
    static const std::map<std::string, ImageFileFormat> kFormats{{"rom", ImageFileFormat::Rom},
                                                                 {"bin", ImageFileFormat::Binary},
                                                                 {"hex", ImageFileFormat::IntelHex},
                                                                 {"e2p", ImageFileFormat::E2p}};
    const std::optional<ImageFileFormat> named = ImageFileFormatOfPath(path);
    std::optional<ImageFileFormat> format = named;
    if (!arguments.format.empty()) {
        format = kFormats.at(arguments.format);
        if (named && *named != *format)
            throw UsageError("-f " + arguments.format + " contradicts the extension of " + path +
                             ": give a name with the format's extension.");
    }
    if (!format)
        throw UsageError("The format of " + path +
                         " does not follow from its extension: give -f rom, bin, hex or e2p.");
    if (!HasChosenByteOrder(*format) && !arguments.byteOrder.empty())
        throw UsageError("--byte-order is for bin and hex files; ROM files hold words as text "
                         "and .e2p files high byte first.");
    if (type.organisation == EepromOrganisation::Bytes8 && !arguments.byteOrder.empty())
        throw UsageError("--byte-order is for 16-bit images; an 8-bit image is stored byte for "
                         "byte.");
    return FindImageFileKind(*format,
                             arguments.byteOrder == "be" ? WordByteOrder::BigEndian
                                                         : WordByteOrder::LittleEndian,
                             type.organisation);
}

// "-" is the standard output for read and the standard input for every command that reads a
// file (write, verify, compare).
std::string FilePath(const std::string& name, const std::string& file)
{
    if (file != "-")
        return file;
    return name == "read" ? "/dev/stdout" : "/dev/stdin";
}

int ListCommand(const WindowProfile& profile, CommandReport& report)
{
    const std::unique_ptr<PortPlatform> platform = MakePortPlatform();
    std::vector<std::string> listed;
    for (const ListedPort& port : ListPorts(*platform, profile.customPort)) {
        const std::string address = "0x" + FormatHex4(port.address);
        report.Line(address + "  " + port.text + (port.address == profile.port ? "  *" : ""));
        JsonObject entry;
        entry.Add("port", JsonString(address));
        entry.Add("text", JsonString(port.text));
        entry.Add("last_used", JsonBool(port.address == profile.port));
        listed.push_back(entry.Text());
    }
    report.Json().Add("ports", JsonArray(listed));
    return kExitSuccess;
}

using SubcommandRun = std::function<int(const ChipCommandContext&, CommandReport&)>;

struct Subcommand
{
    const char* name;
    const char* description;
    const char* operands; // "FILE", "WORD", "ADDR", "ADDR WORD" or ""
};

constexpr Subcommand kSubcommands[] = {
    {"list", "List the ports, as the window lists them (* marks the last used)", ""},
    {"read", "Read the whole chip into FILE (ReadAll, read twice and compared)", "FILE"},
    {"write", "Write FILE into the chip (WriteAll, verified by reading back)", "FILE"},
    {"verify", "Read the chip and compare it with FILE", "FILE"},
    {"erase", "Erase the whole chip (ERAL)", ""},
    {"fill", "Write WORD into every word of the chip (WRAL)", "WORD"},
    {"peek", "Read the word at ADDR (READ)", "ADDR"},
    {"poke", "Write WORD at ADDR (WRITE)", "ADDR WORD"},
    {"clear", "Erase the word at ADDR (ERASE)", "ADDR"},
    {"detect", "Tell the chip's type from its own answer, reading only", ""},
    {"compare", "Compare FILE1 with FILE2 word by word, without a chip", "FILE1 FILE2"},
};

SubcommandRun ChipRun(const std::string& name, const Arguments& arguments,
                      const EepromTypeInfo& type)
{
    if (name == "read" || name == "write" || name == "verify") {
        const ImageFileOperand file{FilePath(name, arguments.file),
                                    ChosenKind(arguments, arguments.file, type)};
        const auto run = name == "read"    ? RunReadCommand
                         : name == "write" ? RunWriteCommand
                                           : RunVerifyCommand;
        return
            [run, file](const ChipCommandContext& c, CommandReport& r) { return run(c, file, r); };
    }
    if (name == "erase")
        return RunEraseCommand;
    if (name == "detect")
        return RunDetectCommand;
    if (name == "fill") {
        const std::uint32_t data = DataOperand(arguments.word, type);
        return [data](const ChipCommandContext& c, CommandReport& r) {
            return RunFillCommand(c, data, r);
        };
    }
    const std::uint32_t address = HexOperand("ADDR", arguments.address, type.words);
    if (name == "peek")
        return [address](const ChipCommandContext& c, CommandReport& r) {
            return RunPeekCommand(c, address, r);
        };
    if (name == "clear")
        return [address](const ChipCommandContext& c, CommandReport& r) {
            return RunClearCommand(c, address, r);
        };
    const std::uint32_t data = DataOperand(arguments.word, type);
    return [address, data](const ChipCommandContext& c, CommandReport& r) {
        return RunPokeCommand(c, address, data, r);
    };
}

// The whole-chip commands as other programmer tools spell them, for hands used to those.
struct ActionOption
{
    const char* flags;
    const char* longName;
    const char* subcommand;
    bool takesFile;
};

constexpr ActionOption kActionOptions[] = {
    {"-r,--read", "--read", "read", true},
    {"-w,--write", "--write", "write", true},
    {"-v,--verify", "--verify", "verify", true},
    {"-E,--erase", "--erase", "erase", false},
};

void AddActionOptions(CLI::App& app, Arguments& arguments)
{
    for (const ActionOption& action : kActionOptions) {
        const std::string text =
            std::string("the same as ") + action.subcommand + (action.takesFile ? " FILE" : "");
        if (action.takesFile)
            app.add_option(action.flags, arguments.file, text)->type_name("FILE");
        else
            app.add_flag(action.flags, text);
    }
}

// The one command given, as a subcommand or as one of the action options.
std::string ChosenCommand(const CLI::App& app)
{
    std::vector<std::string> chosen;
    for (const CLI::App* sub : app.get_subcommands())
        chosen.push_back(sub->get_name());
    for (const ActionOption& action : kActionOptions)
        if (app.count(action.longName) > 0)
            chosen.push_back(action.subcommand);
    if (chosen.size() != 1)
        throw UsageError("Give one command: a subcommand such as read or detect, or one of -r, "
                         "-w, -v and -E.");
    return chosen.front();
}

void AddOptions(CLI::App& app, Arguments& arguments)
{
    app.add_option("-p,--port", arguments.port,
                   "virtual, an I/O address such as 0x378, or a name from list\n"
                   "(default: the port the window used last, else the top of list)")
        ->type_name("PORT");
    app.add_option("-c,--chip", arguments.chip,
                   "93C46, 93C56, 93C57, 93C66, 93C76, 93C86 or a part marking such as\n"
                   "93LC66C, AT93C66, 93AA46A, letters in any case (default: the window's type)")
        ->type_name("CHIP");
    app.add_option("--org", arguments.organisation,
                   "organisation: 8 (ORG low, bytes) or 16 (words); an A part is 8, a B part 16,\n"
                   "any other 16 unless given (default: the window's choice without -c)")
        ->type_name("ORG")
        ->check(CLI::IsMember({"8", "16"}));
    app.add_option("-f,--format", arguments.format, "file format (default: from FILE's extension)")
        ->type_name("FORMAT")
        ->transform(CLI::IsMember({"rom", "bin", "hex", "e2p"}, CLI::ignore_case));
    app.add_option("--byte-order", arguments.byteOrder,
                   "byte order of words in bin and hex files (default: le)")
        ->type_name("ORDER")
        ->transform(CLI::IsMember({"le", "be"}, CLI::ignore_case));
    app.add_flag("-q,--quiet", arguments.quiet, "print nothing but errors");
    app.add_flag("--json", arguments.json,
                 "print one JSON object with the words, codes and timings");
    AddActionOptions(app, arguments);
}

void AddSubcommands(CLI::App& app, Arguments& arguments)
{
    for (const Subcommand& sub : kSubcommands) {
        CLI::App* command = app.add_subcommand(sub.name, sub.description);
        const std::string operands = sub.operands;
        if (operands == "FILE")
            command->add_option("FILE", arguments.file, "ROM, binary, Intel HEX or .e2p file")
                ->required();
        if (operands == "FILE1 FILE2") {
            command->add_option("FILE1", arguments.file, "The first image file")->required();
            command->add_option("FILE2", arguments.file2, "The second image file")->required();
        }
        if (operands.starts_with("ADDR"))
            command->add_option("ADDR", arguments.address, "Word address, hexadecimal")->required();
        if (operands.ends_with("WORD"))
            command->add_option("WORD", arguments.word, "Data word, hexadecimal")->required();
    }
}

int Run(const std::string& name, const Arguments& arguments)
{
    const WindowProfile profile = ReadWindowProfile(WindowProfilePath(std::getenv));
    CommandReport report(name);
    // An image read to the standard output leaves it to the image alone.
    const bool imageOnStandardOutput =
        name == "read" && InheritedDescriptor(FilePath(name, arguments.file)) == STDOUT_FILENO;
    std::FILE* const out = imageOnStandardOutput ? stderr : stdout;
    int exitCode = kExitSuccess;
    if (name == "list") {
        exitCode = ListCommand(profile, report);
    } else if (name == "compare") {
        const EepromTypeInfo& type = ChosenType(arguments, profile);
        const ImageFileOperand first{FilePath(name, arguments.file),
                                     ChosenKind(arguments, arguments.file, type)};
        const ImageFileOperand second{FilePath(name, arguments.file2),
                                      ChosenKind(arguments, arguments.file2, type)};
        NativeFileSystem files;
        exitCode = RunCompareCommand(files, type, first, second, report);
    } else {
        const EepromTypeInfo& type = ChosenType(arguments, profile);
        const SubcommandRun run = ChipRun(name, arguments, type);
        const std::uint32_t port = ChosenPort(arguments, profile);
        // What driver.conf set otherwise than written is said before the command's output.
        std::vector<std::string> notices;
        const std::unique_ptr<DriverLink> driver = MakeDriverLink(&notices);
        for (const std::string& notice : notices)
            if (!arguments.quiet)
                std::fprintf(stderr, "%s\n", notice.c_str());
        NativeFileSystem files;
        const bool drawProgress = !arguments.quiet && !arguments.json && ::isatty(STDERR_FILENO);
        const StopSignals stopSignals;
        exitCode = run({*driver, files, port, type, drawProgress ? stderr : nullptr}, report);
        // Stopped as asked: the shell's code for a command its signal ended.
        if (report.StoppedAt() && StopSignals::Received() != 0)
            exitCode = kExitSignalBase + StopSignals::Received();
    }
    report.Print(exitCode, arguments.json, arguments.quiet, out, stderr);
    return exitCode;
}

// A command that could not run: its text on stderr, and for --json the object a script
// expects from every command; a usage error adds the usage line.
int Refuse(const CLI::App& app, const std::string& text, int exitCode)
{
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    CommandReport report(chosen.empty() ? "" : chosen.front()->get_name());
    report.Problem(text);
    report.Print(exitCode, app.count("--json") > 0, true, stdout, stderr);
    if (exitCode == kExitUsage)
        std::fprintf(stderr, "%s\n", kUsageLine.data());
    return exitCode;
}

} // namespace

int RunCommandLine(int argc, char** argv)
{
    CLI::App app{"Reads, writes and erases 93C46/56/57/66/76/86 Microwire EEPROMs (x16) "
                 "through a programming adapter.",
                 "pemrix-cli"};
    app.set_version_flag("-V,--version", "pemrix-cli 2.0");
    app.formatter(std::make_shared<OperandFormatter>());
    app.footer(kFooter);
    app.require_subcommand(0, 1);
    app.fallthrough();
    Arguments arguments;
    AddOptions(app, arguments);
    AddSubcommands(app, arguments);
    try {
        app.parse(argc, argv);
        return Run(ChosenCommand(app), arguments);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0)
            return app.exit(error); // --help or --version
        return Refuse(app, error.what(), kExitUsage);
    } catch (const UsageError& error) {
        return Refuse(app, error.what(), kExitUsage);
    } catch (...) {
        return Refuse(app, CurrentExceptionMessage().strText, kExitChipFailure);
    }
}

} // namespace pemrix
