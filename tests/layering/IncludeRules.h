#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// What a file of the program may include, by the folder it lives in: the layers below it as the
// arrows of the design run, and how much of Qt. An include is one `#include` line's target, with
// whether it was written in angle brackets.
struct SourceInclude
{
    std::string_view target;
    bool angled;
};

// Whether a Qt header belongs to Qt Widgets; the caller knows where Qt's headers are.
using WidgetsHeaderTest = std::function<bool(std::string_view header)>;

// Why `file` (a path from the repository's root, "ui/CLogDlg.cpp") may not include `include`, or
// nothing when it may. A file in a folder no rule names is refused too, so a new folder gets its
// row before its code grows.
std::optional<std::string> IncludeViolation(std::string_view file, SourceInclude include,
                                            const WidgetsHeaderTest& isWidgetsHeader);

} // namespace pemrix
