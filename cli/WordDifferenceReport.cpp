#include "WordDifferenceReport.h"

#include "core/HexText.h"
#include "core/WordDifferences.h"

#include <string>

namespace pemrix {

namespace {

// The text prints this many of the differing words; the JSON lists them all.
constexpr std::size_t kPrintedDifferences = 16;

} // namespace

std::vector<std::uint32_t> ReportWordDifferences(std::span<const std::uint32_t> first,
                                                 std::span<const std::uint32_t> second,
                                                 std::string_view firstLabel,
                                                 std::string_view secondLabel,
                                                 const EepromTypeInfo& type, CommandReport& report)
{
    const std::vector<std::uint32_t> differing = DifferingAddresses(first, second);
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < differing.size(); ++i) {
        const std::uint32_t address = differing[i];
        if (i < kPrintedDifferences)
            report.Line(FormatHex4(address) + ": " + std::string(firstLabel) + " " +
                        FormatHexDigits(first[address], CellDigitCount(type)) + ", " +
                        std::string(secondLabel) + " " +
                        FormatHexDigits(second[address], CellDigitCount(type)));
        JsonObject difference;
        difference.Add("address", JsonNumber(std::uint64_t{address}));
        difference.Add(firstLabel, JsonNumber(std::uint64_t{first[address]}));
        difference.Add(secondLabel, JsonNumber(std::uint64_t{second[address]}));
        listed.push_back(difference.Text());
    }
    if (differing.size() > kPrintedDifferences)
        report.Line("... and " + std::to_string(differing.size() - kPrintedDifferences) + " more.");
    report.Json().Add("differing_words", JsonNumber(std::uint64_t{differing.size()}));
    report.Json().Add("differences", JsonArray(listed));
    if (!differing.empty())
        report.Json().Add("first_difference", JsonNumber(std::uint64_t{differing.front()}));
    return differing;
}

} // namespace pemrix
