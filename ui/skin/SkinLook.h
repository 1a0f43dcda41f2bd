#pragma once

#include <QFont>

namespace pemrix {

// The face the skin's fixed layout was measured with: every list, field and label of the
// windows is sized for its height, the watch list's twenty rows included.
QFont SkinFont();

// Gives the whole application the skin's light palette and its font, over whatever a desktop
// theme brings: the windows, and also what opens as a window of its own (the port list's
// popup, message boxes, the file and font dialogs, menus). Called once the application
// object exists.
void ApplySkinLook();

} // namespace pemrix
