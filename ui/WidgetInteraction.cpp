#include "WidgetInteraction.h"

#include "ui/HelpViewer.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

namespace pemrix {

void WidgetInteraction::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                    MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, owner);
    box.exec();
}

QString WidgetInteraction::GetOpenFileName(QWidget* owner, const QStringList& filters)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString WidgetInteraction::GetSaveFileName(QWidget* owner, const QStringList& filters,
                                           const QString& defaultSuffix)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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
