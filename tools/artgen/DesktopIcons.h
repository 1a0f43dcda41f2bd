#pragma once

#include <QDir>

namespace pemrix {

// Writes the program's icon for the desktop's icon theme into `res`/icons: pemrix-N.png at
// the sizes menus, panels and docks ask for, and the scalable pemrix.svg. False when a file
// could not be written.
bool WriteDesktopIcons(const QDir& res);

} // namespace pemrix
