#include "CVelmoraDlg.h"

#include "app/MainWindowControls.h"
#include "core/DumpText.h"
#include "settings/PortComboPlan.h"
#include "settings/PortPlatform.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/DumpView.h"
#include "ui/ReportList.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

namespace pemrix {

namespace {

ReportList* MakeReportList(QWidget* parent, const QString& name, const QRect& rect)
{
    auto* list = new ReportList(parent);
    list->setObjectName(name);
    list->setGeometry(rect);
    return list;
}

// Re-selects the entry showing `text`: the one with exactly that text, else the first that
// begins with it (two custom entries may share a prefix, such as 37 and 378). An empty text
// leaves the selection alone.
void SelectPortText(QComboBox& combo, const QString& text)
{
    if (text.isEmpty())
        return;
    int index = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = combo.findText(text, Qt::MatchStartsWith | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo.setCurrentIndex(index);
}

} // namespace

CVelmoraDlg::CVelmoraDlg(const MainWindowServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services),
      m_profile(services.profile),
      m_romFiles(*this, services.profile, services.interaction, services.fileSystem)
{
    setObjectName(QStringLiteral("CVelmoraDlg"));
    CreateControls();
    SetTabOrder();
    BindCommands();
}

CVelmoraDlg::~CVelmoraDlg() = default;

void CVelmoraDlg::CreateControls()
{
    for (const MainButton& spec : kMainButtons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QString::fromLatin1(spec.caption));
        button->setAutoDefault(false);
        button->setGeometry(QRect(spec.place, QSize(64, 27)));
        m_buttons.insert(spec.id, button);
    }
    for (const MainGroupBox& spec : kMainGroupBoxes) {
        auto* group = new QGroupBox(QString::fromLatin1(spec.text), this);
        group->setGeometry(spec.rect);
        group->lower();
    }
    m_dumpView = new DumpView(this);
    m_portCombo = new QComboBox(this);
    m_portCombo->setObjectName(QStringLiteral("portCombo"));
    m_portCombo->setEditable(false);
    m_portCombo->setGeometry(kPortComboRect);
    m_logList = MakeReportList(this, QStringLiteral("logList"), kLogRect);
    m_informationList = MakeReportList(this, QStringLiteral("informationList"), kInformationRect);
}

void CVelmoraDlg::SetTabOrder()
{
    QList<QWidget*> order;
    for (const MainButton& spec : kMainButtons) {
        order.append(m_buttons.value(spec.id));
        if (spec.id == IDC_SAVE)
            order << m_dumpView << m_portCombo;
        else if (spec.id == IDC_EDIT)
            order << m_informationList;
        else if (spec.id == IDC_93C57)
            order << m_logList;
    }
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CVelmoraDlg::BindCommands()
{
    const std::pair<int, std::uint32_t> typeButtons[] = {
        {IDC_93C46, 1}, {IDC_93C56, 2}, {IDC_93C57, 3},
        {IDC_93C66, 4}, {IDC_93C76, 5}, {IDC_93C86, 6},
    };
    for (const auto& [id, code] : typeButtons) {
        connect(m_buttons.value(id), &QAbstractButton::clicked, this,
                [this, code = code] { SelectEepromType(code); });
    }
    connect(m_buttons.value(IDC_EXIT), &QAbstractButton::clicked, this, &CVelmoraDlg::OnExit);
    connect(m_buttons.value(IDC_CLOSE), &QAbstractButton::clicked, this, &CVelmoraDlg::OnExit);
    // Only the user's own choice stores a port, never a programmatic selection.
    connect(m_portCombo, &QComboBox::activated, this, &CVelmoraDlg::OnPortChange);
    connect(m_buttons.value(IDC_OPEN), &QAbstractButton::clicked, this, &CVelmoraDlg::OnOpen);
    connect(m_buttons.value(IDC_SAVE), &QAbstractButton::clicked, this, &CVelmoraDlg::OnSave);
    connect(m_buttons.value(IDC_MIN), &QAbstractButton::clicked, this,
            &QWidget::showMinimized);
}

bool CVelmoraDlg::Initialise()
{
    PushDump();
    setGeometry(kMainWindowRect);
    setFixedSize(kMainWindowRect.size());
    m_informationList->AddColumn(QStringLiteral("Informations"), 177);
    m_logList->AddColumn(QStringLiteral("Time"), 80);
    m_logList->AddColumn(QStringLiteral("Result"), 476);
    PlaceDumpAndWatch(m_profile.GetProfileInt(profile::kSection, profile::kWatchWindow,
                                              profile::kDefaultWatchWindow) != 0);
    const std::uint32_t storedType =
        m_profile.GetProfileInt(profile::kSection, profile::kEepromType, kDefaultEepromType);
    ApplyStoredDumpFont();
    // The stored type is selected as a click would, but without storing it again.
    const EepromTypeInfo& type = EffectiveEepromType(storedType);
    MarkSelectedType(type);
    ResetImage(m_strDump, type.code);
    PushDump();
    FillPortCombo();
    m_buttons.value(ID_HELP)->setFocus();
    return true;
}

void CVelmoraDlg::PlaceDumpAndWatch(bool watchShown)
{
    m_dumpView->setGeometry(watchShown ? kDumpShownRect : kDumpHiddenRect);
}

void CVelmoraDlg::ApplyStoredDumpFont()
{
    m_dumpView->ApplyDumpFont(
        m_profile.GetProfileString(profile::kSection, profile::kFontFace,
                                   profile::kDefaultFontFace),
        m_profile.GetProfileInt(profile::kSection, profile::kFontSize,
                                profile::kDefaultFontSize));
}

void CVelmoraDlg::FillPortCombo()
{
    const std::unique_ptr<PortPlatform> platform = m_services.makePortPlatform();
    const PortComboPlan plan = pemrix::FillPortCombo(*platform, m_profile);
    for (const PortComboEntry& entry : plan.m_entries)
        m_portCombo->addItem(entry.m_strText, entry.m_nAddress);
    m_portCombo->setCurrentIndex(plan.m_nCurrentIndex);
}

void CVelmoraDlg::OnPortChange(int index)
{
    StoreChosenPort(m_profile, m_portCombo->itemData(index).toUInt());
    // The next push re-selects this text, so the combo keeps showing the port in use.
    m_strPortText = m_portCombo->itemText(index);
}

void CVelmoraDlg::PullDump()
{
    m_strDump = m_dumpView->PullText().toStdString();
    m_strPortText = m_portCombo->currentText();
}

void CVelmoraDlg::PushDump()
{
    m_dumpView->PushText(QString::fromStdString(m_strDump));
    SelectPortText(*m_portCombo, m_strPortText);
}

void CVelmoraDlg::SelectEepromType(std::uint32_t code)
{
    const EepromTypeInfo& type = EffectiveEepromType(code);
    MarkSelectedType(type);
    m_profile.WriteProfileInt(profile::kSection, profile::kEepromType, type.code);
    ResetImage(m_strDump, type.code);
    PushDump();
}

// The selected type's button is disabled, which shows its selected image and keeps it from
// being chosen again.
void CVelmoraDlg::MarkSelectedType(const EepromTypeInfo& selected)
{
    for (const EepromTypeInfo& type : EepromTypes())
        m_buttons.value(type.buttonId)->setEnabled(type.code != selected.code);
}

void CVelmoraDlg::OnExit()
{
    PullDump();
    done(kResultOk);
}

void CVelmoraDlg::OnOpen()
{
    const RomOpenResult result = m_romFiles.Open();
    if (result.outcome != RomOpenOutcome::Accepted)
        return;
    m_strDump = result.strDump;
    PushDump();
}

void CVelmoraDlg::OnSave()
{
    m_romFiles.Save(m_strDump);
}

void CVelmoraDlg::reject()
{
    done(kResultCancel);
}

void CVelmoraDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter is bound to nothing in the main window; Escape ends it through Cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace pemrix
