#include "WidgetInteraction.h"

#include "ui/HelpViewer.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

namespace pemrix {

void WidgetInteraction::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                    MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, owner);
    box.exec();
}

namespace {

// The default suffix follows the chosen filter entry, so a name typed under a binary entry
// becomes a .bin file and the dialog asks about that very name before replacing it.
FileChoice RunFileDialog(QFileDialog& dialog, const QStringList& filters,
                         const QStringList& defaultSuffixes)
{
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffixes.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(defaultSuffixes.value(filters.indexOf(filter)));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(),
            std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))};
}

} // namespace

FileChoice WidgetInteraction::GetOpenFileName(QWidget* owner, const QStringList& filters,
                                              const QStringList& defaultSuffixes)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return RunFileDialog(dialog, filters, defaultSuffixes);
}

FileChoice WidgetInteraction::GetSaveFileName(QWidget* owner, const QStringList& filters,
                                              const QStringList& defaultSuffixes)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return RunFileDialog(dialog, filters, defaultSuffixes);
}

std::optional<FontChoice> WidgetInteraction::ChooseFont(QWidget* owner)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, owner);
    if (!ok)
        return std::nullopt;
    return FontChoice{font.family(), qRound(font.pointSizeF() * 10)};
}

void WidgetInteraction::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void WidgetInteraction::ShowHelp(QWidget* owner, const QString& file, const QString& topic)
{
    // One viewer for the whole run, brought forward again on the next Help.
    if (!m_helpViewer)
        m_helpViewer = new HelpViewer(owner);
    m_helpViewer->ShowTopic(file, topic);
}

int WidgetInteraction::RunModal(QDialog& dialog)
{
    return dialog.exec();
}

void WidgetInteraction::RunProgress(QDialog& dialog)
{
    dialog.exec();
}

} // namespace pemrix
