#pragma once

#include "ui/UserInteraction.h"

namespace pemrix {

// The real widgets behind the user-interaction seam.
class WidgetInteraction : public UserInteraction
{
public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    QString GetOpenFileName(QWidget* owner, const QStringList& filters) override;
    QString GetSaveFileName(QWidget* owner, const QStringList& filters,
                            const QString& defaultSuffix) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner) override;
    void OpenUrl(const QUrl& url) override;
    int RunModal(QDialog& dialog) override;
};

} // namespace pemrix
