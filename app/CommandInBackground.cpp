#include "CommandInBackground.h"

#include "ui/BusyCursor.h"
#include "ui/CProgressDlg.h"
#include "ui/UserInteraction.h"

namespace pemrix {

namespace {

// A command that ends sooner shows no dialog at all, only the wait cursor.
constexpr std::chrono::milliseconds kQuietTime{500};

} // namespace

void WaitForCommand(UserInteraction& interaction, QWidget& owner, int kind,
                    CommandProgress& progress,
                    const std::function<bool(std::chrono::milliseconds)>& finishedWithin)
{
    {
        const BusyCursor busy;
        if (finishedWithin(kQuietTime))
            return;
    }
    CProgressDlg dialog(
        kind, progress, [&finishedWithin] { return finishedWithin({}); }, &owner);
    interaction.RunProgress(dialog);
}

} // namespace pemrix
