#include "RomFileCommands.h"

#include "files/FileMessage.h"
#include "files/RomFileDialogs.h"
#include "files/RomFileOpen.h"
#include "files/RomFileSave.h"
#include "settings/StoredEepromType.h"
#include "ui/UserInteraction.h"

namespace pemrix {

namespace {

template <std::size_t N> QStringList ToFilters(const std::array<std::string_view, N>& filters)
{
    QStringList list;
    for (std::string_view filter : filters)
        list.append(QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())));
    return list;
}

} // namespace

RomFileCommands::RomFileCommands(QWidget& owner, const ProfileStore& profile,
                                 UserInteraction& interaction, FileSystem& fileSystem)
    : m_owner(owner), m_profile(profile), m_interaction(interaction), m_fileSystem(fileSystem)
{
}

void RomFileCommands::Save(const std::string& dump)
{
    const QString chosen = m_interaction.GetSaveFileName(
        &m_owner, ToFilters(kSaveRomDialogFilters),
        QString::fromUtf8(kRomDefaultExtension.data(),
                          static_cast<qsizetype>(kRomDefaultExtension.size())));
    if (chosen.isEmpty())
        return;
    const std::string path = WithRomDefaultExtension(chosen.toStdString());
    if (const auto failure =
            SaveRomFile(m_fileSystem, path, dump, ReadStoredEepromType(m_profile).code))
        Show(*failure);
}

RomOpenResult RomFileCommands::Open()
{
    const EepromType selected = ReadStoredEepromType(m_profile).code;
    const QString chosen =
        m_interaction.GetOpenFileName(&m_owner, ToFilters(kOpenRomDialogFilters));
    if (chosen.isEmpty())
        return {};
    RomOpenResult result = OpenRomFile(m_fileSystem, chosen.toStdString(), selected);
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
