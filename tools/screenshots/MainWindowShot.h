#pragma once

#include <memory>

namespace pemrix {

class CVelmoraDlg;

// The main window after start-up on a machine with one parallel port, with the watch list
// shown or hidden, in 16-bit or 8-bit organisation.
std::unique_ptr<CVelmoraDlg> MainWindowShot(bool watchShown, bool bytes8 = false);

// The main window after Compare with file found words differing from the sample image.
std::unique_ptr<CVelmoraDlg> CompareShot();

} // namespace pemrix
