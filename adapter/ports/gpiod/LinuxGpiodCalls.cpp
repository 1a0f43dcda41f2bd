#include "adapter/ports/gpiod/LinuxGpiodCalls.h"

#include <gpiod.h>

#include <cerrno>

namespace pemrix {

namespace {

constexpr const char* kConsumer = "pemrix";

// libgpiod v1 answers -1 and leaves the cause in errno.
int LastError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

LinuxGpiodCalls::~LinuxGpiodCalls()
{
    Release();
}

std::vector<GpioChipEntry> LinuxGpiodCalls::Chips()
{
    std::vector<GpioChipEntry> chips;
    gpiod_chip_iter* iter = gpiod_chip_iter_new();
    if (iter == nullptr)
        return chips;
    gpiod_chip* chip = nullptr;
    gpiod_foreach_chip(iter, chip)
    {
        chips.push_back({std::string("/dev/") + gpiod_chip_name(chip), gpiod_chip_label(chip),
                         gpiod_chip_num_lines(chip)});
    }
    gpiod_chip_iter_free(iter);
    return chips;
}

int LinuxGpiodCalls::Request(const std::string& path, const std::array<unsigned, 3>& outputs,
                             unsigned input)
{
    Release();
    errno = 0;
    m_chip = gpiod_chip_open(path.c_str());
    if (m_chip == nullptr)
        return LastError();
    gpiod_line_bulk bulk;
    std::array<unsigned, 3> offsets = outputs;
    const std::array<int, 3> low{};
    if (gpiod_chip_get_lines(m_chip, offsets.data(), 3, &bulk) != 0 ||
        gpiod_line_request_bulk_output(&bulk, kConsumer, low.data()) != 0) {
        const int error = LastError();
        Release();
        return error;
    }
    for (unsigned i = 0; i < 3; ++i)
        m_outputs[i] = gpiod_line_bulk_get_line(&bulk, i);
    m_bRequested = true;
    m_input = gpiod_chip_get_line(m_chip, input);
    if (m_input == nullptr || gpiod_line_request_input(m_input, kConsumer) != 0) {
        const int error = LastError();
        m_input = nullptr;
        Release();
        return error;
    }
    return 0;
}

int LinuxGpiodCalls::SetOutputs(const std::array<int, 3>& levels)
{
    if (!m_bRequested)
        return ENODEV;
    gpiod_line_bulk bulk;
    gpiod_line_bulk_init(&bulk);
    for (gpiod_line* line : m_outputs)
        gpiod_line_bulk_add(&bulk, line);
    errno = 0;
    return gpiod_line_set_value_bulk(&bulk, levels.data()) == 0 ? 0 : LastError();
}

int LinuxGpiodCalls::GetInput(int& level)
{
    if (m_input == nullptr)
        return ENODEV;
    errno = 0;
    const int value = gpiod_line_get_value(m_input);
    if (value < 0)
        return LastError();
    level = value;
    return 0;
}

void LinuxGpiodCalls::Release()
{
    if (m_input != nullptr)
        gpiod_line_release(m_input);
    if (m_bRequested) {
        for (gpiod_line* line : m_outputs)
            gpiod_line_release(line);
    }
    if (m_chip != nullptr)
        gpiod_chip_close(m_chip);
    m_chip = nullptr;
    m_outputs = {};
    m_input = nullptr;
    m_bRequested = false;
}

} // namespace pemrix
