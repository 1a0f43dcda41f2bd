#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string_view>

namespace pemrix {

// The calls into the world of a kind of adapter that has calls of its own (GPIO lines through
// libgpiod), beside the ppdev and USB calls the built-in driver holds for every kind. Its row
// makes the production ones and takes its own type back from them.
class AdapterCalls
{
public:
    virtual ~AdapterCalls() = default;
};

// Those calls by the family of their kind's row.
using AdapterCallsByFamily = std::map<std::string_view, std::shared_ptr<AdapterCalls>, std::less<>>;

} // namespace pemrix
