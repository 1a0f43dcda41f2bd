#include "cli/OperandFormatter.h"

#include <sstream>

namespace pemrix {

std::string OperandFormatter::make_subcommand(const CLI::App* sub) const
{
    std::string usage = sub->get_name();
    for (const CLI::Option* operand :
         sub->get_options([](const CLI::Option* option) { return option->get_positional(); }))
        usage += " " + operand->get_name();
    std::stringstream out;
    CLI::detail::format_help(out, usage, sub->get_description(), get_column_width());
    return out.str();
}

} // namespace pemrix
