#include "adapter/ports/gpiod/GpioWiring.h"

#include <algorithm>
#include <string_view>

namespace pemrix {

namespace {

// The labels of the header's gpiochip on the Raspberry Pi 1 to 3, 4 and 5.
constexpr std::string_view kHeaderLabels[] = {"pinctrl-bcm2835", "pinctrl-bcm2711", "pinctrl-rp1"};

} // namespace

std::vector<std::string_view> GpioWiring::Labels() const
{
    if (chip.empty())
        return {std::begin(kHeaderLabels), std::end(kHeaderLabels)};
    if (chip.starts_with('/'))
        return {};
    return {chip};
}

bool GpioWiring::Names(const GpioChipEntry& entry) const
{
    const std::vector<std::string_view> labels = Labels();
    return entry.path == chip ||
           std::find(labels.begin(), labels.end(), entry.label) != labels.end();
}

} // namespace pemrix
