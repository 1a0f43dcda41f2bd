#pragma once

#include "driver/DriverLink.h"
#include "driver/CommandProgress.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>

class QWidget;

namespace pemrix {

class UserInteraction;

// How a command run in the background ended: its result, and where the driver stopped when
// the user asked it to.
template <typename Result> struct BackgroundOutcome
{
    Result result;
    std::optional<std::uint32_t> stoppedAt;
};

// Waits for a running command: under the wait cursor for as long as a short command takes,
// then in the progress dialog, until `finishedWithin` says it has finished.
void WaitForCommand(UserInteraction& interaction, QWidget& owner, int kind,
                    CommandProgress& progress,
                    const std::function<bool(std::chrono::milliseconds)>& finishedWithin);

// Runs `work` (the driver's requests of one chip command) on a thread of its own, so the
// window keeps drawing and its Stop can be pressed, and returns once it has finished. The
// driver reports its progress there meanwhile. An exception of `work` is rethrown here.
template <typename Work>
auto RunInBackground(DriverLink& driver, UserInteraction& interaction, QWidget& owner, int kind,
                     std::uint32_t wordsInAll, Work work)
{
    using Result = decltype(work());
    CommandProgress progress(wordsInAll);
    struct Watch
    {
        DriverLink& driver;
        ~Watch() { driver.WatchProgress(nullptr); }
    } watch{driver};
    driver.WatchProgress(&progress);
    // Declared after the watch: leaving early waits here for the thread before the driver
    // stops reporting to `progress`.
    std::future<Result> running = std::async(std::launch::async, std::move(work));
    WaitForCommand(interaction, owner, kind, progress, [&running](std::chrono::milliseconds time) {
        return running.wait_for(time) == std::future_status::ready;
    });
    BackgroundOutcome<Result> outcome{running.get(), std::nullopt};
    if (!outcome.result.succeeded && progress.StoppedAt()) {
        outcome.result.errorCode = kStoppedCode;
        outcome.stoppedAt = progress.StoppedAt();
    }
    return outcome;
}

} // namespace pemrix
