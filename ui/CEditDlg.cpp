#include "CEditDlg.h"

#include "core/HexText.h"

#include <QLineEdit>

namespace pemrix {

namespace {

const QString kEditAddressCaption = QStringLiteral("Address error");

QString PadToWord(const QString& text)
{
    return QString::fromStdString(ZeroPad(text.toStdString(), 4));
}

} // namespace

CEditDlg::CEditDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : HexInputDialog(SkinWindow::Edit, HexInputFields::AddressAndData, kEditAddressCaption, profile,
                     interaction, parent)
{
}

void CEditDlg::showEvent(QShowEvent* event)
{
    HexInputDialog::showEvent(event);
    AddressEdit()->setCursorPosition(0);
}

// The data text goes into the dump text as it stands, so it must be four upper-case digits.
void CEditDlg::OnInputAccepted(const EepromTypeInfo&)
{
    m_strData = PadToWord(QString::fromStdString(ToUpperAscii(m_strData.toStdString())));
    m_strAddress = PadToWord(m_strAddress);
    AddressEdit()->setText(m_strAddress);
    DataEdit()->setText(m_strData);
}

} // namespace pemrix
