#include "IncludeRules.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pemrix {

namespace {

enum class QtUse
{
    None,
    NoWidgets,
    Any
};

struct FolderRule
{
    std::string_view folder;
    // Folders or single headers, from the root, that files here may include besides their own
    // folder's.
    std::vector<std::string_view> mayInclude;
    QtUse qt;
};

// The arrows point down: app -> ui -> files, driver, settings -> core. The built-in driver knows
// the driver's request records and the link it answers on, nothing of the chip commands above
// them. The providers at platform/ itself are the composition root's choice of link and port
// discovery, the one way the window and pemrix-cli reach them.
const std::array kRules{
    FolderRule{"core/", {}, QtUse::None},
    FolderRule{"driver/", {"core/"}, QtUse::None},
    FolderRule{"adapter/",
               {"core/", "driver/DriverLink.h", "driver/RequestCodes.h", "driver/RequestRecords.h"},
               QtUse::None},
    FolderRule{"settings/", {"core/"}, QtUse::NoWidgets},
    FolderRule{"files/", {"core/"}, QtUse::NoWidgets},
    FolderRule{"platform/linux/", {"settings/", "driver/", "core/"}, QtUse::NoWidgets},
    FolderRule{"platform/win32/", {"settings/", "driver/", "core/"}, QtUse::NoWidgets},
    FolderRule{"platform/",
               {"platform/linux/", "platform/win32/", "adapter/", "settings/", "driver/", "core/"},
               QtUse::NoWidgets},
    FolderRule{"ui/", {"files/", "driver/", "settings/", "core/"}, QtUse::Any},
    FolderRule{"app/",
               {"platform/PlatformProviders.h", "ui/", "files/", "driver/", "settings/", "core/"},
               QtUse::Any},
    // The command-line tool reports the built-in driver's statuses in words and names the
    // virtual adapter's port, as the window's help and port list do.
    FolderRule{"cli/",
               {"platform/PlatformProviders.h", "adapter/AdapterStatus.h",
                "adapter/virtual/VirtualAdapterAddress.h", "files/", "driver/", "settings/",
                "core/"},
               QtUse::NoWidgets},
    // The artwork generator, the screenshot renderer and the benchmarks stand above everything
    // they draw or measure.
    FolderRule{"tools/",
               {"app/", "ui/", "files/", "driver/", "settings/", "platform/", "adapter/", "core/"},
               QtUse::Any},
};

// The first folder of every include written from the repository's root.
constexpr std::array kLayers{"core", "driver", "adapter", "settings", "files", "platform",
                             "ui",   "app",    "cli",     "tools",    "tests"};

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

const FolderRule* RuleFor(std::string_view file)
{
    // The rows run from the deeper folder to its parent, so the first match is the closest.
    const auto* rule = std::find_if(kRules.begin(), kRules.end(), [&](const FolderRule& r) {
        return StartsWith(file, r.folder);
    });
    return rule == kRules.end() ? nullptr : rule;
}

bool IsProjectInclude(std::string_view target)
{
    const std::string_view first = target.substr(0, target.find('/'));
    return first.size() < target.size() &&
           std::find(kLayers.begin(), kLayers.end(), first) != kLayers.end();
}

bool IsQtHeader(std::string_view target)
{
    // <QString>, <QtWidgets/QDialog>, <QtWidgets>
    return StartsWith(target, "Qt") ||
           (target.size() > 1 && target[0] == 'Q' && target[1] >= 'A' && target[1] <= 'Z');
}

std::string_view FolderOf(std::string_view file)
{
    return file.substr(0, file.rfind('/') + 1);
}

} // namespace

std::optional<std::string> IncludeViolation(std::string_view file, SourceInclude include,
                                            const WidgetsHeaderTest& isWidgetsHeader)
{
    const FolderRule* rule = RuleFor(file);
    if (!rule)
        return "no layer rule for the folder of " + std::string(file);
    const std::string target(include.target);
    if (target.find("..") != std::string::npos)
        return "reaches out of its folder with \"" + target + "\"";
    if (include.angled) {
        if (!IsQtHeader(target) || rule->qt == QtUse::Any)
            return std::nullopt;
        if (rule->qt == QtUse::None)
            return "includes the Qt header <" + target + "> in a layer without Qt";
        if (isWidgetsHeader(target))
            return "includes the Qt Widgets header <" + target + "> below ui";
        return std::nullopt;
    }
    if (!IsProjectInclude(target))
        return std::nullopt; // beside the file itself
    if (StartsWith(target, FolderOf(file)) || StartsWith(target, rule->folder))
        return std::nullopt;
    for (std::string_view allowed : rule->mayInclude)
        if (StartsWith(target, allowed))
            return std::nullopt;
    return "includes \"" + target + "\", which " + std::string(rule->folder) + " may not use";
}

} // namespace pemrix
