#pragma once

#include <memory>

class QWidget;

namespace pemrix {

// The main window after start-up on a machine with one parallel port, with the watch list
// shown or hidden.
std::unique_ptr<QWidget> MainWindowShot(bool watchShown);

} // namespace pemrix
