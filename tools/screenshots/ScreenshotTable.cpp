#include "ScreenshotTable.h"

#include "tools/screenshots/InputShots.h"
#include "tools/screenshots/MainWindowShot.h"
#include "tools/screenshots/SampleDialog.h"
#include "ui/CEditDlg.h"
#include "ui/CEraseDlg.h"
#include "ui/CFailedDlg.h"
#include "ui/CReadDlg.h"
#include "ui/CSucceededDlg.h"
#include "ui/CWralDlg.h"
#include "ui/CWriteDlg.h"

#include <QWidget>

namespace pemrix {

namespace {

std::function<std::unique_ptr<QWidget>()> Sample(SampleDialog sample)
{
    return [sample = std::move(sample)] { return MakeSampleDialog(sample); };
}

} // namespace

// Each window that exists joins with one line: its file name and how to make it.
std::vector<Screenshot> Screenshots()
{
    return {
        {"CVelmoraDlg.png", [] { return MainWindowShot(true); }},
        {"CVelmoraDlg-watch-hidden.png", [] { return MainWindowShot(false); }},
        {"CReadDlg.png", [] { return InputDialogShot<CReadDlg>("002B", ""); }},
        {"CEraseDlg.png", [] { return InputDialogShot<CEraseDlg>("002B", ""); }},
        {"CWralDlg.png", [] { return InputDialogShot<CWralDlg>("", "FFFF"); }},
        {"CWriteDlg.png", [] { return InputDialogShot<CWriteDlg>("002B", "1234"); }},
        {"CEditDlg.png", [] { return InputDialogShot<CEditDlg>("002B", "1234"); }},
        {"CEditListCtrl.png", [] { return WatchListShot(true); }},
        {"CEditListCtrl-selected.png", [] { return WatchListShot(false); }},
        {"CSucceededDlg.png", [] { return std::make_unique<CSucceededDlg>(1, 0x2B, 0x1234); }},
        {"CFailedDlg.png", [] { return std::make_unique<CFailedDlg>(1, 0x8000); }},
        {"COptionsDlg.png", Sample({SkinWindow::Options,
                                    {{"label_220", {8, 47, 80, 18}}},
                                    {{{100, 42, 85, 27}, "3BC"}},
                                    {{"SELFONT", {15, 80}},
                                     {"DEFFONT", {91, 80}},
                                     {"OK", {15, 120}},
                                     {"CANCEL", {121, 120}}}})},
        {"CAboutDlg.png", Sample({SkinWindow::About,
                                  {{"picture_216", {5, 42, 272, 65}}},
                                  {},
                                  {{"Email1", {45, 115}}, {"WebSite", {75, 140}}}})},
    };
}

} // namespace pemrix
