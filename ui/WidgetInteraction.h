#pragma once

#include "ui/UserInteraction.h"

#include <QPointer>

namespace pemrix {

class HelpViewer;

// The real widgets behind the user-interaction seam.
class WidgetInteraction : public UserInteraction
{
public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    FileChoice GetOpenFileName(QWidget* owner, const QStringList& filters,
                               const QStringList& defaultSuffixes) override;
    FileChoice GetSaveFileName(QWidget* owner, const QStringList& filters,
                               const QStringList& defaultSuffixes) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner) override;
    void OpenUrl(const QUrl& url) override;
    void ShowHelp(QWidget* owner, const QString& file, const QString& topic) override;
    int RunModal(QDialog& dialog) override;
    void RunProgress(QDialog& dialog) override;

private:
    QPointer<HelpViewer> m_helpViewer;
};

} // namespace pemrix
