#pragma once

#include "ui/skin/CSkinDialog.h"

class QLabel;

namespace pemrix {

// What both result dialogs share: the OK button and the centred message under the title.
class ResultDialog : public CSkinDialog
{
    Q_OBJECT

public:
    QString Message() const { return m_strMessage; }

protected:
    explicit ResultDialog(SkinWindow kind, QWidget* parent);

    void SetMessage(const QString& message);

private:
    QString m_strMessage;
    QLabel* m_message;
};

} // namespace pemrix
