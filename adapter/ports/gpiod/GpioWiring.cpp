#include "adapter/ports/gpiod/GpioWiring.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace pemrix {

namespace {

// The labels of the header's gpiochip on the Raspberry Pi 1 to 3, 4 and 5.
constexpr std::string_view kHeaderLabels[] = {"pinctrl-bcm2835", "pinctrl-bcm2711", "pinctrl-rp1"};

// Four offsets: CS, SK, DI and DO.
void ReadGpioLines(std::string_view value, GpioWiring& wiring, std::vector<std::string>& notices)
{
    std::array<unsigned, 4> offsets{};
    std::size_t count = 0;
    bool valid = true;
    for (std::string_view rest = value; valid; ++count) {
        const std::size_t comma = rest.find(',');
        const std::string_view field = TrimmedSetting(rest.substr(0, comma));
        valid = count < offsets.size() && !field.empty();
        if (valid) {
            const auto [end, error] =
                std::from_chars(field.data(), field.data() + field.size(), offsets[count]);
            valid = error == std::errc() && end == field.data() + field.size();
        }
        if (comma == std::string_view::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    if (valid && count + 1 == offsets.size()) {
        wiring.outputs = {offsets[0], offsets[1], offsets[2]};
        wiring.dataOut = offsets[3];
        return;
    }
    notices.push_back(DriverSettingText(kGpioLinesKey, value) +
                      " is not four line offsets for CS, SK, DI and DO; " +
                      std::to_string(wiring.outputs[0]) + "," + std::to_string(wiring.outputs[1]) +
                      "," + std::to_string(wiring.outputs[2]) + "," +
                      std::to_string(wiring.dataOut) + " is used");
}

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

GpioWiring ReadGpioWiring(std::span<const DriverSettingLine> lines,
                          std::vector<std::string>& notices)
{
    GpioWiring wiring;
    for (const DriverSettingLine& line : lines) {
        if (line.key == kGpioChipKey)
            wiring.chip = line.value;
        else if (line.key == kGpioLinesKey)
            ReadGpioLines(line.value, wiring, notices);
    }
    return wiring;
}

} // namespace pemrix
