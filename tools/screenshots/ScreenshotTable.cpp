#include "ScreenshotTable.h"

#include "tools/screenshots/SampleDialog.h"

#include <QWidget>

namespace pemrix {

namespace {

const SampleDialog::Image kAddressLabel{"label_218", {8, 47, 60, 18}};
const SampleDialog::Image kDataLabel{"label_219", {8, 87, 60, 18}};
const SampleDialog::Image kDataLabelAlone{"label_219", {8, 47, 60, 18}};
const SampleDialog::Field kAddressField{{70, 42, 114, 27}, "002B"};
const SampleDialog::Field kDataField{{70, 82, 114, 27}, "1234"};
const SampleDialog::Field kDataFieldAlone{{70, 42, 114, 27}, "FFFF"};
const std::vector<SampleDialog::Button> kShortButtons{{"OK", {15, 80}}, {"CANCEL", {121, 80}}};
const std::vector<SampleDialog::Button> kTallButtons{{"OK", {15, 120}}, {"CANCEL", {121, 120}}};
const std::vector<SampleDialog::Button> kResultButton{{"OK", {68, 120}}};

std::function<std::unique_ptr<QWidget>()> Sample(SampleDialog sample)
{
    return [sample = std::move(sample)] { return MakeSampleDialog(sample); };
}

} // namespace

// Each window that exists joins with one line: its file name and how to make it.
std::vector<Screenshot> Screenshots()
{
    return {
        // The main window, CVelmoraDlg.png, joins here once it is built on the skin.
        {"CReadDlg.png",
         Sample({SkinWindow::Read, {kAddressLabel}, {kAddressField}, kShortButtons})},
        {"CEraseDlg.png",
         Sample({SkinWindow::Erase, {kAddressLabel}, {kAddressField}, kShortButtons})},
        {"CWralDlg.png",
         Sample({SkinWindow::Wral, {kDataLabelAlone}, {kDataFieldAlone}, kShortButtons})},
        {"CWriteDlg.png", Sample({SkinWindow::Write,
                                  {kAddressLabel, kDataLabel},
                                  {kAddressField, kDataField},
                                  kTallButtons})},
        {"CEditDlg.png", Sample({SkinWindow::Edit,
                                 {kAddressLabel, kDataLabel},
                                 {kAddressField, kDataField},
                                 kTallButtons})},
        {"CSucceededDlg.png", Sample({SkinWindow::Succeeded,
                                      {},
                                      {},
                                      kResultButton,
                                      "Read Succeeded.\n\nAddress: 002B\nData: 1234"})},
        {"CFailedDlg.png",
         Sample({SkinWindow::Failed, {}, {}, kResultButton, "Read Failed.(Error Code: 8000)"})},
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
