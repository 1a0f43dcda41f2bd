#include "HexInputDialog.h"

#include "core/HexText.h"
#include "settings/StoredEepromType.h"
#include "ui/UserInteraction.h"
#include "ui/skin/CBitmapButton.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace pemrix {

namespace {

// Fields stack from the top strip down, each with its label to the left; the buttons sit
// below the last field.
constexpr int kFieldTop = 42;
constexpr int kFieldStep = 40;
constexpr QRect kFirstEdit(70, kFieldTop, 114, 27);
constexpr QRect kFirstLabel(8, 47, 60, 18);
constexpr QPoint kFirstOk(15, 80);
constexpr QPoint kFirstCancel(121, 80);

const QString kAddressLabel = QStringLiteral("label_218");
const QString kDataLabel = QStringLiteral("label_219");

} // namespace

const QString HexInputDialog::kHexFieldMessage =
    QStringLiteral("Please type a 4-digit hexadecimal number.(e.g. 002B)");
const QString HexInputDialog::kByteFieldMessage =
    QStringLiteral("Please type a 2-digit hexadecimal number.(e.g. 2B)");
const QString HexInputDialog::kAddressRangeMessage = QStringLiteral("Please type a valid address.");
const QString HexInputDialog::kAddressCaption = QStringLiteral("Address Error");
const QString HexInputDialog::kDataCaption = QStringLiteral("Data error");

HexInputDialog::HexInputDialog(SkinWindow kind, HexInputFields fields, QString addressCaption,
                               const ProfileStore& profile, UserInteraction& interaction,
                               QWidget* parent)
    : CSkinDialog(kind, parent), m_profile(profile), m_interaction(interaction),
      m_strAddressCaption(std::move(addressCaption))
{
    const int fieldCount = fields == HexInputFields::AddressAndData ? 2 : 1;
    const QPoint buttonShift(0, kFieldStep * (fieldCount - 1));
    CBitmapButton* ok = AddBitmapButton(QStringLiteral("OK"), kFirstOk + buttonShift);
    CBitmapButton* cancel = AddBitmapButton(QStringLiteral("CANCEL"), kFirstCancel + buttonShift);
    connect(ok, &QAbstractButton::clicked, this, &HexInputDialog::accept);
    connect(cancel, &QAbstractButton::clicked, this, &HexInputDialog::reject);

    if (fields != HexInputFields::Data)
        m_addressEdit = AddField(QStringLiteral("address"), kAddressLabel, 0);
    if (fields != HexInputFields::Address)
        m_dataEdit = AddField(QStringLiteral("data"), kDataLabel, fieldCount - 1);

    // The keyboard order is OK, CANCEL, then the fields, and the focus starts on OK.
    QWidget* previous = cancel;
    setTabOrder(ok, cancel);
    for (QLineEdit* edit : {m_addressEdit, m_dataEdit}) {
        if (edit) {
            setTabOrder(previous, edit);
            previous = edit;
        }
    }
    ok->setFocus();
}

QLineEdit* HexInputDialog::AddField(const QString& name, const QString& labelImage, int index)
{
    const QPoint shift(0, kFieldStep * index);
    AddImageLabel(labelImage, kFirstLabel.translated(shift));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(kFirstEdit.translated(shift));
    return edit;
}

void HexInputDialog::accept()
{
    if (m_addressEdit)
        m_strAddress = m_addressEdit->text();
    if (m_dataEdit)
        m_strData = m_dataEdit->text();
    const EepromTypeInfo& type = ReadStoredEepromType(m_profile);
    m_nType = type.code;

    if (m_addressEdit) {
        if (!ParseField(m_strAddress, m_strAddressCaption, m_nAddress))
            return;
        if (m_nAddress > type.highestAddress) {
            Report(kAddressRangeMessage, m_strAddressCaption);
            return;
        }
    }
    if (m_dataEdit) {
        const QString& message =
            type.organisation == EepromOrganisation::Bytes8 ? kByteFieldMessage : kHexFieldMessage;
        if (!ParseField(m_strData, kDataCaption, m_nData, message))
            return;
        // A byte cell takes no more than two digits.
        if (m_strData.size() > static_cast<qsizetype>(CellDigitCount(type))) {
            Report(message, kDataCaption);
            return;
        }
    }
    m_pType = &type;
    OnInputAccepted(type);
    CSkinDialog::accept();
}

void HexInputDialog::OnInputAccepted(const EepromTypeInfo&) {}

// No button is a default button, so Enter in any field is the dialog's OK.
void HexInputDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

bool HexInputDialog::ParseField(const QString& text, const QString& caption, std::uint32_t& value,
                                const QString& message)
{
    const auto parsed = ParseHexField(text.toStdString());
    if (!parsed) {
        Report(message, caption);
        return false;
    }
    value = *parsed;
    return true;
}

void HexInputDialog::Report(const QString& text, const QString& caption)
{
    m_interaction.ShowMessage(this, text, caption, MessageIcon::None);
}

} // namespace pemrix
