#include "WordProgressBar.h"

#include "cli/StopSignals.h"

#include <algorithm>

namespace pemrix {

namespace {

constexpr int kBarWidth = 30;

// A terminal is drawn on at most this often, however fast the words go.
constexpr std::chrono::milliseconds kDrawInterval{50};

} // namespace

WordProgressBar::WordProgressBar(DriverLink& driver, std::FILE* stream, std::string label,
                                 std::uint32_t wordsInAll)
    : m_driver(driver), m_stream(wordsInAll > 0 ? stream : nullptr), m_strLabel(std::move(label)),
      m_progress(wordsInAll)
{
    m_driver.WatchProgress(this);
}

WordProgressBar::~WordProgressBar()
{
    m_driver.WatchProgress(nullptr);
    if (m_bDrawn)
        std::fputs("\r\033[K", m_stream);
}

bool WordProgressBar::BeforeWord(std::uint32_t address, std::uint32_t words)
{
    if (StopSignals::Received() != 0)
        m_progress.RequestStop();
    const bool goOn = m_progress.BeforeWord(address, words);
    const auto now = std::chrono::steady_clock::now();
    if (m_stream && (!m_bDrawn || now - m_lastDrawn >= kDrawInterval)) {
        m_lastDrawn = now;
        Draw();
    }
    return goOn;
}

void WordProgressBar::Draw()
{
    const std::uint32_t all = m_progress.WordsInAll();
    const std::uint32_t done = std::min(m_progress.WordsDone().value_or(0), all);
    const int filled = static_cast<int>(std::uint64_t{kBarWidth} * done / all);
    std::fprintf(m_stream, "\r%s [%s%s] %u/%u words", m_strLabel.c_str(),
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), done, all);
    std::fflush(m_stream);
    m_bDrawn = true;
}

} // namespace pemrix
