#include "ResultDialog.h"

#include "ui/skin/CBitmapButton.h"

#include <QLabel>

namespace pemrix {

ResultDialog::ResultDialog(SkinWindow kind, QWidget* parent)
    : CSkinDialog(kind, parent), m_message(new QLabel(this))
{
    CBitmapButton* ok = AddBitmapButton(QStringLiteral("OK"), QPoint(68, 120));
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    ok->setFocus();
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setGeometry(15, 42, 170, 70);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
}

void ResultDialog::SetMessage(const QString& message)
{
    m_strMessage = message;
    m_message->setText(message);
}

} // namespace pemrix
