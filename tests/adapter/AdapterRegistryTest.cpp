#include "adapter/ports/AdapterRegistry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace pemrix {
namespace {

std::string FileText(const char* path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The help's section that starts at the anchor, up to the next heading.
std::string HelpSection(const std::string& help, std::string_view anchor)
{
    const std::size_t start = help.find("<a name=\"" + std::string(anchor) + "\"></a>");
    if (start == std::string::npos)
        return {};
    const std::size_t end = help.find("<h", start + 1);
    return help.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(AdapterRegistry, UdevRuleAndItsCopyInTheHelpGiveEveryUsableAdapter)
{
    const std::vector<std::string> expected = UdevRuleLines();
    std::vector<std::string> rule;
    for (const std::string& line : Lines(FileText(PEMRIX_UDEV_RULE))) {
        if (!line.empty() && line[0] != '#')
            rule.push_back(line);
    }
    EXPECT_EQ(rule, expected);

    const std::string help = FileText(PEMRIX_HELP_FILE);
    const std::size_t block = help.find("<pre>", help.find("<a name=\"udev\">"));
    ASSERT_NE(block, std::string::npos);
    const std::size_t end = help.find("</pre>", block);
    EXPECT_EQ(Lines(help.substr(block + 5, end - block - 5)), expected);
}

// Each kind's page names every USB product it answers as, its driver.conf keys, and every
// status only it gives; each such status is one kind's and in the driver's status table.
TEST(AdapterRegistry, HelpPagesAndStatusTableKnowEveryKind)
{
    const std::string help = FileText(PEMRIX_HELP_FILE);
    std::map<AdapterStatus, std::string_view> owners;
    for (const AdapterKind& kind : AdapterKinds()) {
        SCOPED_TRACE(std::string(kind.family));
        const std::string page = HelpSection(help, kind.helpAnchor);
        ASSERT_FALSE(page.empty()) << kind.helpAnchor;
        for (const UsbAdapterModel& model : kind.usbModels) {
            char id[16];
            std::snprintf(id, sizeof id, "%04x:%04x", model.vendor, model.product);
            EXPECT_NE(page.find(id), std::string::npos) << id;
            EXPECT_NE(page.find(model.name), std::string::npos) << model.name;
        }
        for (const std::string_view key : kind.settingKeys)
            EXPECT_NE(page.find("<code>" + std::string(key)), std::string::npos) << key;
        for (const AdapterStatus status : kind.statuses) {
            EXPECT_NE(FindAdapterStatus(StatusCode(status)), nullptr);
            EXPECT_TRUE(owners.emplace(status, kind.family).second)
                << StatusCode(status) << " is " << owners[status] << "'s";
            EXPECT_NE(help.find("<td>" + std::to_string(StatusCode(status)) + " &mdash; "),
                      std::string::npos);
        }
    }
}

} // namespace
} // namespace pemrix
