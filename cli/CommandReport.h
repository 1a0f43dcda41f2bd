#pragma once

#include "cli/JsonObject.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// How the command-line tool ends: the same meanings for every command.
enum CliExitCode : int
{
    kExitSuccess = 0,
    kExitChipFailure = 1, // the chip or the driver failed
    kExitUsage = 2,
    kExitDifferences = 3, // verify found words that differ
    kExitFileError = 4,
    kExitSignalBase = 128, // plus the number of the signal that stopped the command
};

// What one command has to say: result lines for stdout, problems for stderr, and the fields of
// its JSON object, printed together once the command ends.
class CommandReport
{
public:
    explicit CommandReport(std::string_view command);

    void Line(std::string text) { m_lines.push_back(std::move(text)); }
    void Problem(std::string text) { m_problems.push_back(std::move(text)); }
    JsonObject& Json() { return m_json; }
    // The command ended on a stop signal before the word at `address`.
    void Stopped(std::uint32_t address) { m_stoppedAt = address; }
    std::optional<std::uint32_t> StoppedAt() const { return m_stoppedAt; }

    // --json prints the object alone on stdout; --quiet keeps only the problems.
    void Print(int exitCode, bool json, bool quiet, std::FILE* out, std::FILE* err) const;

private:
    std::vector<std::string> m_lines;
    std::vector<std::string> m_problems;
    JsonObject m_json;
    std::optional<std::uint32_t> m_stoppedAt;
};

} // namespace pemrix
