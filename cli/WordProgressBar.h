#pragma once

#include "driver/CommandProgress.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace pemrix {

// Watches one chip command's requests for as long as it lives: counts the words the driver
// reports, as the window's progress does, draws them as a bar on a terminal's stderr, and
// asks the driver to stop at the next word once a stop signal has come.
class WordProgressBar : public DriverProgress
{
public:
    // `stream` is null when nothing is to be drawn; `wordsInAll` is 0 for a command that moves
    // no words one by one.
    WordProgressBar(DriverLink& driver, std::FILE* stream, std::string label,
                    std::uint32_t wordsInAll);
    ~WordProgressBar() override;
    WordProgressBar(const WordProgressBar&) = delete;
    WordProgressBar& operator=(const WordProgressBar&) = delete;

    bool BeforeWord(std::uint32_t address, std::uint32_t words) override;

    // The address of the first word left undone, once the command stopped on a signal.
    std::optional<std::uint32_t> StoppedAt() const { return m_progress.StoppedAt(); }

private:
    void Draw();

    DriverLink& m_driver;
    std::FILE* m_stream;
    std::string m_strLabel;
    CommandProgress m_progress;
    std::chrono::steady_clock::time_point m_lastDrawn{};
    bool m_bDrawn = false;
};

} // namespace pemrix
