#include "RomFileCommands.h"

#include "files/FileErrorText.h"
#include "files/FileMessage.h"
#include "files/ImageFileDialogs.h"
#include "files/ImageFileOpen.h"
#include "files/ImageFileSave.h"
#include "settings/StoredEepromType.h"
#include "ui/UserInteraction.h"

#include <cerrno>

namespace pemrix {

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct DialogLists
{
    QStringList filters;
    QStringList defaultSuffixes;
};

DialogLists ToDialogLists(const std::vector<FileDialogFilter>& entries)
{
    DialogLists lists;
    for (const FileDialogFilter& entry : entries) {
        lists.filters.append(ToQString(entry.filter));
        lists.defaultSuffixes.append(ToQString(entry.defaultExtension));
    }
    return lists;
}

// The chosen file with its entry's extension added as the dialog itself would, for desktop
// dialogs that leave that to the program.
std::string ChosenPath(const FileChoice& choice, const std::vector<FileDialogFilter>& entries)
{
    const std::size_t filter = static_cast<std::size_t>(choice.nFilter);
    return WithDefaultExtension(choice.strPath.toStdString(),
                                filter < entries.size() ? entries[filter].defaultExtension
                                                        : entries.front().defaultExtension);
}

} // namespace

RomFileCommands::RomFileCommands(QWidget& owner, const ProfileStore& profile,
                                 UserInteraction& interaction, FileSystem& fileSystem)
    : m_owner(owner), m_profile(profile), m_interaction(interaction), m_fileSystem(fileSystem)
{
}

void RomFileCommands::Save(const MemoryImage& image)
{
    const EepromTypeInfo& selected = ReadStoredEepromType(m_profile);
    const std::vector<FileDialogFilter> entries = SaveDialogFilters(selected.organisation);
    const DialogLists lists = ToDialogLists(entries);
    const FileChoice choice =
        m_interaction.GetSaveFileName(&m_owner, lists.filters, lists.defaultSuffixes);
    if (choice.strPath.isEmpty())
        return;
    std::optional<FileMessage> failure;
    try {
        const std::string path = ChosenPath(choice, entries);
        failure = SaveImageFile(m_fileSystem, path, image, selected,
                                KindOfDialogChoice(static_cast<std::size_t>(choice.nFilter), path,
                                                   selected.organisation));
    } catch (...) {
        failure = CurrentExceptionMessage();
    }
    if (failure)
        Show(*failure);
}

RomOpenResult RomFileCommands::Open()
{
    const EepromTypeInfo& selected = ReadStoredEepromType(m_profile);
    const std::vector<FileDialogFilter> entries = OpenDialogFilters(selected.organisation);
    const DialogLists lists = ToDialogLists(entries);
    const FileChoice choice =
        m_interaction.GetOpenFileName(&m_owner, lists.filters, lists.defaultSuffixes);
    if (choice.strPath.isEmpty())
        return {};
    RomOpenResult result;
    try {
        // An existing file opens under the name chosen, even one without an extension.
        std::string path = choice.strPath.toStdString();
        if (m_fileSystem.FileSize(path).error == ENOENT)
            path = ChosenPath(choice, entries);
        result = OpenImageFile(m_fileSystem, path, selected,
                               KindOfDialogChoice(static_cast<std::size_t>(choice.nFilter), path,
                                                  selected.organisation));
    } catch (...) {
        // The new image was being built aside, so the window's image is as it was.
        result = RomOpenMessage(CurrentExceptionMessage());
    }
    if (result.outcome == RomOpenOutcome::Message)
        Show(result.message);
    return result;
}

void RomFileCommands::Show(const FileMessage& message)
{
    m_interaction.ShowMessage(&m_owner, QString::fromStdString(message.strText),
                              QString::fromStdString(message.strCaption),
                              message.icon == FileMessageIcon::Warning ? MessageIcon::Warning
                                                                       : MessageIcon::None);
}

} // namespace pemrix
