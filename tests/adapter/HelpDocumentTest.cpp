#include "adapter/AdapterStatus.h"
#include "adapter/ports/ppdev/CableProfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace pemrix {
namespace {

// The help document tells the user what each status means; it must know every one the
// driver can give, under its code, and every cable the settings file accepts.
std::string HelpDocument()
{
    std::ifstream file(PEMRIX_HELP_FILE);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The help as a reader sees it: no tags, one space for every run of white space.
std::string ReadableText(const std::string& html)
{
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    return std::regex_replace(text, std::regex("&amp;"), "&");
}

TEST(HelpDocument, ListsEveryDriverStatusWithItsMeaningAndRemedyAndEveryCable)
{
    const std::string help = HelpDocument();
    ASSERT_FALSE(help.empty());
    const std::string readable = ReadableText(help);
    for (const AdapterStatusInfo& info : AdapterStatuses()) {
        const std::uint32_t code = StatusCode(info.status);
        char row[128];
        std::snprintf(row, sizeof row, "<td>%u &mdash; %.*s</td><td>%04X / %04X</td>", code,
                      static_cast<int>(info.name.size()), info.name.data(), code, code * 16);
        EXPECT_NE(help.find(row), std::string::npos) << row;
        EXPECT_NE(readable.find(info.meaning), std::string::npos) << info.meaning;
        EXPECT_NE(readable.find(info.remedy), std::string::npos) << info.remedy;
    }
    for (const CableProfile& cable : CableProfiles())
        EXPECT_NE(help.find("<td>" + std::string(cable.name) + " ("), std::string::npos)
            << cable.name;
}

} // namespace
} // namespace pemrix
