#pragma once

class QWidget;

namespace pemrix {

class UserInteraction;

// The framework's own error box for memory that ran out in the middle of a command: the
// application's name as caption, as the file commands' boxes have.
void ShowOutOfMemory(UserInteraction& interaction, QWidget* owner);

} // namespace pemrix
