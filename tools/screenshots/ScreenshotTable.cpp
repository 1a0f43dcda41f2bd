#include "ScreenshotTable.h"

#include "app/MainWindowControls.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "tools/screenshots/InputShots.h"
#include "app/CVelmoraDlg.h"
#include "tools/screenshots/MainWindowShot.h"
#include "tools/screenshots/WindowMenuShot.h"
#include "ui/CAboutDlg.h"
#include "ui/CEditDlg.h"
#include "ui/CEraseDlg.h"
#include "ui/CFailedDlg.h"
#include "ui/COptionsDlg.h"
#include "ui/CProgressDlg.h"
#include "driver/CommandProgress.h"
#include "ui/CReadDlg.h"
#include "ui/CSucceededDlg.h"
#include "ui/CWralDlg.h"
#include "ui/CWriteDlg.h"
#include "driver/ResultTexts.h"
#include "ui/HelpViewer.h"

#include <QWidget>

namespace pemrix {

namespace {

// The Options dialog as it opens with a custom port stored.
std::unique_ptr<QWidget> OptionsDialogShot()
{
    ScreenshotProfile().WriteProfileInt(profile::kSection, profile::kCustomPort, 0x3BC);
    return std::make_unique<COptionsDlg>(ScreenshotProfile(), ScreenshotInteraction());
}

// A WriteAll of a 93C86 a third of the way through its writing.
std::unique_ptr<QWidget> ProgressShot()
{
    static CommandProgress progress(2048);
    progress.BeforeWord(683, 1024);
    return std::make_unique<CProgressDlg>(kWriteAllResultKind, progress, [] { return false; });
}

// The help document as the Help button opens it, at the main window's topic or another.
std::unique_ptr<QWidget> HelpShot(const QString& topic)
{
    auto viewer = std::make_unique<HelpViewer>();
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);
    viewer->ShowTopic(QStringLiteral(PEMRIX_HELP_FILE), topic);
    return viewer;
}

} // namespace

// Each window that exists joins with one line: its file name and how to make it.
std::vector<Screenshot> Screenshots()
{
    return {
        {"CVelmoraDlg.png", [] { return MainWindowShot(true); }},
        {"CVelmoraDlg-watch-hidden.png", [] { return MainWindowShot(false); }},
        {"CVelmoraDlg-compare.png", [] { return CompareShot(); }},
        {"CVelmoraDlg-8-bit.png", [] { return MainWindowShot(true, true); }},
        {"CReadDlg.png", [] { return InputDialogShot<CReadDlg>("002B", ""); }},
        {"CEraseDlg.png", [] { return InputDialogShot<CEraseDlg>("002B", ""); }},
        {"CWralDlg.png", [] { return InputDialogShot<CWralDlg>("", "FFFF"); }},
        {"CWriteDlg.png", [] { return InputDialogShot<CWriteDlg>("002B", "1234"); }},
        {"CEditDlg.png", [] { return InputDialogShot<CEditDlg>("002B", "1234"); }},
        {"CEditListCtrl.png", [] { return WatchListShot(true); }},
        {"CEditListCtrl-selected.png", [] { return WatchListShot(false); }},
        {"CSucceededDlg.png", [] { return std::make_unique<CSucceededDlg>(1, 0x2B, 0x1234); }},
        {"CFailedDlg.png", [] { return std::make_unique<CFailedDlg>(1, 0x8000); }},
        {"COptionsDlg.png", [] { return OptionsDialogShot(); }},
        {"CProgressDlg.png", [] { return ProgressShot(); }},
        {"CAboutDlg.png", [] { return std::make_unique<CAboutDlg>(ScreenshotInteraction()); }},
        {"CVelmoraDlg-window-menu.png", [] { return WindowMenuShot(); }},
        {"HelpViewer.png", [] { return HelpShot(kMainWindowHelpTopic); }},
        {"HelpViewer-errors.png", [] { return HelpShot(QStringLiteral("errors")); }},
        {"HelpViewer-driver.png", [] { return HelpShot(QStringLiteral("driver")); }},
    };
}

} // namespace pemrix
