#pragma once

#include "ui/UserInteraction.h"

#include <QList>
#include <QUrl>

#include <deque>
#include <functional>

namespace pemrix {

// Answers the user-interaction seam from a script and records what was shown.
class ScriptedInteraction : public UserInteraction
{
public:
    struct Message
    {
        QString strText;
        QString strCaption;
        MessageIcon icon;
    };
    // Plays the user inside a modal dialog; returns nothing, the dialog's own buttons decide.
    using DialogScript = std::function<void(QDialog&)>;

    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    FileChoice GetOpenFileName(QWidget* owner, const QStringList& filters,
                               const QStringList& defaultSuffixes) override;
    FileChoice GetSaveFileName(QWidget* owner, const QStringList& filters,
                               const QStringList& defaultSuffixes) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner) override;
    void OpenUrl(const QUrl& url) override;
    void ShowHelp(QWidget* owner, const QString& file, const QString& topic) override;
    // Shows the dialog, runs the next dialog script on it, and returns its result; with no
    // script left the dialog is rejected, as if the user pressed Escape.
    int RunModal(QDialog& dialog) override;
    // Shows the dialog, runs the next progress script on it, if any, and waits for the dialog
    // to close itself; the scripts of the other dialogs are kept for them.
    void RunProgress(QDialog& dialog) override;

    // The file a dialog gives back, chosen under its filter entry `filter`.
    void QueueFileName(const QString& path, qsizetype filter = 0)
    {
        m_fileNames.push_back({path, filter});
    }
    void QueueFont(std::optional<FontChoice> font) { m_fonts.push_back(std::move(font)); }
    void QueueDialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }
    void QueueProgress(DialogScript script) { m_progressScripts.push_back(std::move(script)); }

    QList<Message> m_messages;
    QList<QUrl> m_openedUrls;
    QStringList m_helpTopics;
    QList<QStringList> m_fileFilters;
    QList<QStringList> m_defaultSuffixes;
    QStringList m_dialogClasses;
    QStringList m_progressClasses;

private:
    std::deque<FileChoice> m_fileNames;
    std::deque<std::optional<FontChoice>> m_fonts;
    std::deque<DialogScript> m_dialogs;
    std::deque<DialogScript> m_progressScripts;
};

} // namespace pemrix
