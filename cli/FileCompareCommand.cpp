#include "FileCompareCommand.h"

#include "cli/WordDifferenceReport.h"
#include "core/HexText.h"

namespace pemrix {

int RunCompareCommand(FileSystem& files, const EepromTypeInfo& type, const ImageFileOperand& first,
                      const ImageFileOperand& second, CommandReport& report)
{
    report.Json().Add("chip", JsonString(type.name));
    report.Json().Add("file1", JsonString(first.path));
    report.Json().Add("file2", JsonString(second.path));
    const std::optional<std::vector<std::uint32_t>> firstWords =
        ReadImageFileWords(files, type, first, report);
    const std::optional<std::vector<std::uint32_t>> secondWords =
        firstWords ? ReadImageFileWords(files, type, second, report) : std::nullopt;
    if (!secondWords) {
        report.Json().Add("succeeded", JsonBool(false));
        return kExitFileError;
    }
    const std::vector<std::uint32_t> differing =
        ReportWordDifferences(*firstWords, *secondWords, "file1", "file2", type, report);
    report.Json().Add("succeeded", JsonBool(differing.empty()));
    if (differing.empty()) {
        report.Line("Compare Succeeded: all " + CellCountText(type, type.words) + " of " +
                    first.path + " match " + second.path + ".");
        return kExitSuccess;
    }
    report.Problem("Compare found " + CellCountText(type, differing.size()) +
                   " differing between " + first.path + " and " + second.path +
                   ", the first at address " + FormatHex4(differing.front()) + ".");
    return kExitDifferences;
}

} // namespace pemrix
