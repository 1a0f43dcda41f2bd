#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace pemrix {

// Lists each subcommand with its operands ("read FILE", "poke ADDR WORD"), as the help of
// other programmers' tools does, so the first screen of --help tells how to call each.
class OperandFormatter : public CLI::Formatter
{
public:
    std::string make_subcommand(const CLI::App* sub) const override;
};

} // namespace pemrix
