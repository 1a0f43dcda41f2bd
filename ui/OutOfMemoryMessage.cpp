#include "OutOfMemoryMessage.h"

#include "files/FileErrorText.h"
#include "ui/UserInteraction.h"

#include <new>

namespace pemrix {

// When even the box cannot be made, the command has already ended with nothing of it kept, so
// the box is left out rather than ending the program.
void ShowOutOfMemory(UserInteraction& interaction, QWidget* owner)
{
    try {
        interaction.ShowMessage(
            owner, QString::fromLatin1(kOutOfMemoryText.data(), qsizetype(kOutOfMemoryText.size())),
            QString::fromLatin1(kFileErrorCaption.data(), qsizetype(kFileErrorCaption.size())),
            MessageIcon::Warning);
    } catch (const std::bad_alloc&) {
    }
}

} // namespace pemrix
