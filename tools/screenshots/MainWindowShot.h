#pragma once

#include <memory>

namespace pemrix {

class CVelmoraDlg;

// The main window after start-up on a machine with one parallel port, with the watch list
// shown or hidden.
std::unique_ptr<CVelmoraDlg> MainWindowShot(bool watchShown);

} // namespace pemrix
