#include "COptionsDlg.h"

#include "core/HexText.h"
#include "settings/PortComboEntry.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/DumpView.h"
#include "ui/UserInteraction.h"
#include "ui/skin/CBitmapButton.h"

#include <QByteArray>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <optional>
#include <string_view>

namespace pemrix {

namespace {

constexpr QRect kLabelRect(8, 47, 80, 18);
constexpr QRect kCustomPortRect(100, 42, 85, 27);
constexpr QPoint kSelectFontPos(15, 80);
constexpr QPoint kDefaultFontPos(91, 80);
constexpr QPoint kOkPos(15, 120);
constexpr QPoint kCancelPos(121, 120);

// 0xFFFF and above is no port address the driver takes.
constexpr std::uint32_t kCustomPortLimit = 0xFFFF;

// The value OK stores: only a text made wholly of hex digits and below the limit; 0 counts,
// because it removes the custom port at the next start.
std::optional<std::uint32_t> StorableCustomPort(const QString& text)
{
    // Characters beyond ASCII become bytes that are no hex digit, so such a text is refused.
    const QByteArray bytes = text.toUtf8();
    const std::string_view digits(bytes.constData(), bytes.size());
    if (digits.empty() || !AllHexDigits(digits))
        return std::nullopt;
    const std::uint32_t value = ParseHexPrefix(digits);
    if (value >= kCustomPortLimit)
        return std::nullopt;
    return value;
}

} // namespace

COptionsDlg::COptionsDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : CSkinDialog(SkinWindow::Options, parent), m_profile(profile), m_interaction(interaction),
      m_font(ReadDumpFont(profile))
{
    AddImageLabel(QStringLiteral("label_220"), kLabelRect);
    m_customPortEdit = new QLineEdit(this);
    m_customPortEdit->setObjectName(QStringLiteral("customPort"));
    m_customPortEdit->setGeometry(kCustomPortRect);

    CBitmapButton* selectFont = AddBitmapButton(QStringLiteral("SELFONT"), kSelectFontPos);
    CBitmapButton* defaultFont = AddBitmapButton(QStringLiteral("DEFFONT"), kDefaultFontPos);
    CBitmapButton* ok = AddBitmapButton(QStringLiteral("OK"), kOkPos);
    CBitmapButton* cancel = AddBitmapButton(QStringLiteral("CANCEL"), kCancelPos);
    connect(selectFont, &QAbstractButton::clicked, this, &COptionsDlg::OnSelectFont);
    connect(defaultFont, &QAbstractButton::clicked, this, &COptionsDlg::OnDefaultFont);
    connect(ok, &QAbstractButton::clicked, this, &COptionsDlg::accept);
    connect(cancel, &QAbstractButton::clicked, this, &COptionsDlg::reject);
    setTabOrder(m_customPortEdit, selectFont);
    setTabOrder(selectFont, defaultFont);
    setTabOrder(defaultFont, ok);
    setTabOrder(ok, cancel);

    const std::uint32_t storedPort = m_profile.GetProfileInt(
        profile::kSection, profile::kCustomPort, profile::kDefaultCustomPort);
    if (storedPort != 0)
        m_strCustomPort = QString::number(storedPort, 16).toUpper();
    m_customPortEdit->setText(m_strCustomPort);
    m_customPortEdit->setFocus();
}

int COptionsDlg::Run(const ProfileStore& profile, UserInteraction& interaction,
                     QComboBox& portCombo, DumpView& dumpView, QWidget* owner)
{
    COptionsDlg dialog(profile, interaction, owner);
    const int result = interaction.RunModal(dialog);
    if (result == QDialog::Accepted)
        dialog.ApplyAfterOk(portCombo, dumpView);
    return result;
}

void COptionsDlg::ApplyAfterOk(QComboBox& portCombo, DumpView& dumpView) const
{
    if (!m_strCustomPort.isEmpty()) {
        const PortComboEntry entry = TypedCustomPortEntry(m_strCustomPort);
        portCombo.addItem(entry.m_strText, entry.m_nAddress);
    }
    StoreDumpFont(m_profile, m_font);
    dumpView.ApplyDumpFont(m_font.strFace, m_font.nSizeTwips);
}

void COptionsDlg::accept()
{
    m_strCustomPort = m_customPortEdit->text();
    if (const std::optional<std::uint32_t> port = StorableCustomPort(m_strCustomPort))
        m_profile.WriteProfileInt(profile::kSection, profile::kCustomPort, *port);
    CSkinDialog::accept();
}

// No button is a default button, so Enter anywhere in the dialog is its OK.
void COptionsDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

void COptionsDlg::OnSelectFont()
{
    const std::optional<FontChoice> choice = m_interaction.ChooseFont(this);
    if (!choice)
        return;
    m_font.strFace = choice->strFace.isEmpty() ? profile::kDefaultFontFace
                                               : choice->strFace.left(DumpView::kMaxFaceLength);
    // A chooser that reports no size in points leaves the size as it was rather than
    // handing the dump view a height it cannot draw.
    if (choice->nTenthsOfPoint > 0)
        m_font.nSizeTwips = static_cast<std::uint32_t>(choice->nTenthsOfPoint) * 2;
}

void COptionsDlg::OnDefaultFont()
{
    m_font = DumpFontSettings{profile::kDefaultFontFace, profile::kDefaultFontSize};
}

} // namespace pemrix
