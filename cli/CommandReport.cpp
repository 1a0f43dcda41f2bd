#include "CommandReport.h"

namespace pemrix {

CommandReport::CommandReport(std::string_view command)
{
    m_json.Add("command", JsonString(command));
}

void CommandReport::Print(int exitCode, bool json, bool quiet, std::FILE* out, std::FILE* err) const
{
    // What the command did comes first, so a problem after it (a file not saved, the words
    // verify found differing) reads as its conclusion.
    if (!json && !quiet)
        for (const std::string& line : m_lines)
            std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
    for (const std::string& problem : m_problems)
        std::fprintf(err, "%s\n", problem.c_str());
    if (json) {
        JsonObject object = m_json;
        std::vector<std::string> problems;
        for (const std::string& problem : m_problems)
            problems.push_back(JsonString(problem));
        object.Add("problems", JsonArray(problems));
        object.Add("exit_code", JsonNumber(static_cast<std::uint64_t>(exitCode)));
        std::fprintf(out, "%s\n", object.Text().c_str());
    }
}

} // namespace pemrix
