#include "ScriptedInteraction.h"

#include <QDialog>
#include <QEventLoop>

namespace pemrix {

void ScriptedInteraction::ShowMessage(QWidget*, const QString& text, const QString& caption,
                                      MessageIcon icon)
{
    m_messages.append({text, caption, icon});
}

FileChoice ScriptedInteraction::GetOpenFileName(QWidget*, const QStringList& filters,
                                                const QStringList& defaultSuffixes)
{
    m_fileFilters.append(filters);
    m_defaultSuffixes.append(defaultSuffixes);
    if (m_fileNames.empty())
        return {};
    FileChoice choice = m_fileNames.front();
    m_fileNames.pop_front();
    return choice;
}

FileChoice ScriptedInteraction::GetSaveFileName(QWidget* owner, const QStringList& filters,
                                                const QStringList& defaultSuffixes)
{
    return GetOpenFileName(owner, filters, defaultSuffixes);
}

std::optional<FontChoice> ScriptedInteraction::ChooseFont(QWidget*)
{
    // An empty script and a queued cancel both answer as a cancelled chooser.
    FontChoice font;
    const bool chosen = !m_fonts.empty() && m_fonts.front().has_value();
    if (chosen)
        font = *m_fonts.front();
    if (!m_fonts.empty())
        m_fonts.pop_front();
    if (!chosen)
        return std::nullopt;
    return font;
}

void ScriptedInteraction::OpenUrl(const QUrl& url)
{
    m_openedUrls.append(url);
}

void ScriptedInteraction::ShowHelp(QWidget*, const QString& file, const QString& topic)
{
    m_helpTopics.append(file + QLatin1Char('#') + topic);
}

int ScriptedInteraction::RunModal(QDialog& dialog)
{
    m_dialogClasses.append(QString::fromLatin1(dialog.metaObject()->className()));
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!m_dialogs.empty()) {
        DialogScript script = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        script(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void ScriptedInteraction::RunProgress(QDialog& dialog)
{
    m_progressClasses.append(QString::fromLatin1(dialog.metaObject()->className()));
    dialog.show();
    if (!m_progressScripts.empty()) {
        DialogScript script = std::move(m_progressScripts.front());
        m_progressScripts.pop_front();
        script(dialog);
    }
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    if (dialog.isVisible())
        loop.exec();
}

} // namespace pemrix
