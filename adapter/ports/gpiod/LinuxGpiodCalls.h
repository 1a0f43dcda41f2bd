#pragma once

#include "adapter/ports/gpiod/GpiodCalls.h"

struct gpiod_chip;
struct gpiod_line;

namespace pemrix {

// The GPIO calls through libgpiod v1.
class LinuxGpiodCalls : public GpiodCalls
{
public:
    LinuxGpiodCalls() = default;
    ~LinuxGpiodCalls() override;
    LinuxGpiodCalls(const LinuxGpiodCalls&) = delete;
    LinuxGpiodCalls& operator=(const LinuxGpiodCalls&) = delete;

    std::vector<GpioChipEntry> Chips() override;
    int Request(const std::string& path, const std::array<unsigned, 3>& outputs,
                unsigned input) override;
    int SetOutputs(const std::array<int, 3>& levels) override;
    int GetInput(int& level) override;
    void Release() override;

private:
    gpiod_chip* m_chip = nullptr;
    std::array<gpiod_line*, 3> m_outputs{};
    gpiod_line* m_input = nullptr;
    bool m_bRequested = false;
};

} // namespace pemrix
