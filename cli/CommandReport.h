#pragma once

#include "cli/JsonObject.h"

#include <cstdio>
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

    // --json prints the object alone on stdout; --quiet keeps only the problems.
    void Print(int exitCode, bool json, bool quiet, std::FILE* out, std::FILE* err) const;

private:
    std::vector<std::string> m_lines;
    std::vector<std::string> m_problems;
    JsonObject m_json;
};

} // namespace pemrix
