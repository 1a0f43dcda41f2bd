#include "SkinWindow.h"

#include <array>

namespace pemrix {

namespace {

constexpr QRect Corners(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The main window and the Wral dialog put their frame's top edge at y 0, two pixels above
// the others'; that difference is kept.
constexpr std::array<SkinWindowLayout, 11> kLayouts{{
    {SkinWindow::Main,
     "CVelmoraDlg",
     {0, 0, 800, 530},
     Corners(2, 0, 799, 529),
     "title_198",
     false},
    {SkinWindow::Read,
     "CReadDlg",
     {100, 100, 200, 120},
     Corners(2, 2, 199, 119),
     "title_203",
     false},
    {SkinWindow::Erase,
     "CEraseDlg",
     {100, 100, 200, 120},
     Corners(2, 2, 199, 119),
     "title_206",
     false},
    {SkinWindow::Wral,
     "CWralDlg",
     {100, 100, 200, 120},
     Corners(2, 0, 199, 119),
     "title_205",
     false},
    {SkinWindow::Write,
     "CWriteDlg",
     {100, 100, 200, 160},
     Corners(2, 2, 199, 159),
     "title_204",
     false},
    {SkinWindow::Edit,
     "CEditDlg",
     {100, 100, 200, 160},
     Corners(2, 2, 199, 159),
     "title_210",
     false},
    {SkinWindow::Succeeded,
     "CSucceededDlg",
     {100, 100, 200, 160},
     Corners(2, 2, 199, 159),
     "title_212",
     false},
    {SkinWindow::Failed,
     "CFailedDlg",
     {100, 100, 200, 160},
     Corners(2, 2, 199, 159),
     "title_211",
     false},
    {SkinWindow::Options,
     "COptionsDlg",
     {100, 100, 200, 160},
     Corners(2, 2, 199, 159),
     "title_207",
     false},
    {SkinWindow::About,
     "CAboutDlg",
     {100, 100, 290, 170},
     Corners(2, 2, 289, 169),
     "title_208",
     true},
    {SkinWindow::Progress,
     "CProgressDlg",
     {100, 100, 200, 120},
     Corners(2, 2, 199, 119),
     "title_progress",
     false},
}};

// Lookup by kind indexes the table, so its rows must follow the order of the enum.
static_assert([] {
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        if (static_cast<std::size_t>(kLayouts[i].kind) != i)
            return false;
    }
    return true;
}());

} // namespace

std::span<const SkinWindowLayout> SkinWindowLayouts()
{
    return kLayouts;
}

const SkinWindowLayout& SkinWindowLayoutOf(SkinWindow kind)
{
    return kLayouts[static_cast<std::size_t>(kind)];
}

} // namespace pemrix
