#include "CEditDlg.h"

#include "core/EepromTypeInfo.h"
#include "core/HexText.h"

#include <QLineEdit>

namespace pemrix {

namespace {

const QString kEditAddressCaption = QStringLiteral("Address error");

QString PadToDigits(const QString& text, std::size_t digits)
{
    return QString::fromStdString(ZeroPad(text.toStdString(), digits));
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

// The data text goes into the dump text as it stands, so it must be the cell's upper-case
// digits: four, or two in 8-bit organisation.
void CEditDlg::OnInputAccepted(const EepromTypeInfo& type)
{
    m_strData = PadToDigits(QString::fromStdString(ToUpperAscii(m_strData.toStdString())),
                            CellDigitCount(type));
    m_strAddress = PadToDigits(m_strAddress, 4);
    AddressEdit()->setText(m_strAddress);
    DataEdit()->setText(m_strData);
}

} // namespace pemrix
