#include "CVelmoraDlg.h"

#include "app/MainWindowControls.h"
#include "core/Clock.h"
#include "core/DumpText.h"
#include "core/WordDifferences.h"
#include "driver/VersionCheck.h"
#include "settings/PortComboPlan.h"
#include "settings/PortDiscovery.h"
#include "settings/PortPlatform.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "settings/StoredEepromType.h"
#include "ui/CAboutDlg.h"
#include "ui/CEditDlg.h"
#include "ui/CEditListCtrl.h"
#include "ui/COptionsDlg.h"
#include "ui/DumpFontSettings.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"
#include "ui/UserInteraction.h"
#include "ui/WatchListRows.h"
#include "ui/skin/CBitmapButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>

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
    : CSkinDialog(SkinWindow::Main, parent), m_services(services), m_profile(services.profile),
      m_romFiles(*this, services.profile, services.interaction, services.fileSystem),
      m_chipCommands(*this, m_services, *this)
{
    CreateControls();
    SetTabOrder();
    BindCommands();
}

CVelmoraDlg::~CVelmoraDlg() = default;

void CVelmoraDlg::CreateControls()
{
    for (const MainButton& entry : kMainButtons) {
        CBitmapButton* button = AddBitmapButton(QString::fromLatin1(entry.caption), entry.place);
        button->setObjectName(QString::fromLatin1(entry.caption));
        m_buttons.insert(entry.id, button);
    }
    for (const MainGroupBox& entry : kMainGroupBoxes) {
        AddGroupBox(QString::fromLatin1(entry.text), entry.rect)->lower();
    }
    m_dumpView = new DumpView(this);
    m_watchList = new CEditListCtrl([this]() -> const MemoryImage& { return m_image; }, this);
    m_watchList->setObjectName(QStringLiteral("watchList"));
    m_portCombo = new CPortCombo(this);
    m_portCombo->setObjectName(QStringLiteral("portCombo"));
    m_portCombo->setEditable(false);
    // The 10 pixels of the port row are the height of the dropped list's closed state in
    // dialog terms; the closed combo itself needs its own height to show its text.
    m_portCombo->setGeometry(QRect(
        kPortComboRect.topLeft(), QSize(kPortComboRect.width(), m_portCombo->sizeHint().height())));
    m_logList = MakeReportList(this, QStringLiteral("logList"), kLogRect);
    m_informationList = MakeReportList(this, QStringLiteral("informationList"), kInformationRect);
    // In the type box's free corner, beside the size buttons: dark red on amber, as a warning.
    m_organisationLabel = new QLabel(QStringLiteral("8-bit\nORG low"), this);
    m_organisationLabel->setObjectName(QStringLiteral("organisationLabel"));
    m_organisationLabel->setGeometry(kOrganisationLabelRect);
    m_organisationLabel->setAlignment(Qt::AlignCenter);
    m_organisationLabel->setStyleSheet(
        QStringLiteral("QLabel { color: #800000; background: #FFC860; border: 2px solid #C00000; "
                       "font-weight: bold; }"));
    m_organisationLabel->hide();
}

void CVelmoraDlg::SetTabOrder()
{
    QList<QWidget*> order;
    for (const MainButton& entry : kMainButtons) {
        order.append(m_buttons.value(entry.id));
        if (entry.id == IDC_SAVE)
            order << m_dumpView << m_portCombo;
        else if (entry.id == IDC_EDIT)
            order << m_informationList;
        else if (entry.id == IDC_93C57)
            order << m_logList << m_watchList;
    }
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CVelmoraDlg::BindCommands()
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        connect(m_buttons.value(type.buttonId), &QAbstractButton::clicked, this,
                [this, code = type.code] { SelectEepromType(code); });
    }
    // Only the user's own choice stores a port, never a programmatic selection.
    connect(m_portCombo, &QComboBox::activated, this, &CVelmoraDlg::OnPortChange);
    connect(m_portCombo, &CPortCombo::aboutToShowPopup, this, &CVelmoraDlg::ReadPortsAgain);
    const std::pair<int, void (ChipCommandRunner::*)()> chipCommands[] = {
        {IDC_READ, &ChipCommandRunner::Read},         {IDC_WRITE, &ChipCommandRunner::Write},
        {IDC_ERASE, &ChipCommandRunner::Erase},       {IDC_READALL, &ChipCommandRunner::ReadAll},
        {IDC_WRITEALL, &ChipCommandRunner::WriteAll}, {IDC_WRAL, &ChipCommandRunner::Wral},
        {IDC_ERAL, &ChipCommandRunner::Eral},
    };
    for (const auto& [id, command] : chipCommands) {
        connect(m_buttons.value(id), &QAbstractButton::clicked, this,
                [this, command = command] { (m_chipCommands.*command)(); });
    }
    const std::pair<int, void (CVelmoraDlg::*)()> windowCommands[] = {
        {IDC_EXIT, &CVelmoraDlg::OnExit},       {IDC_CLOSE, &CVelmoraDlg::OnExit},
        {IDC_ABOUT, &CVelmoraDlg::OnAbout},     {ID_HELP, &CVelmoraDlg::OnHelp},
        {IDC_OPTIONS, &CVelmoraDlg::OnOptions}, {IDC_EDIT, &CVelmoraDlg::OnEdit},
        {IDC_WATCH, &CVelmoraDlg::OnWatch},     {IDC_OPEN, &CVelmoraDlg::OnOpen},
        {IDC_SAVE, &CVelmoraDlg::OnSave},       {IDC_MIN, &CVelmoraDlg::showMinimized},
    };
    for (const auto& [id, command] : windowCommands)
        connect(m_buttons.value(id), &QAbstractButton::clicked, this, command);
    m_menu = new MainWindowMenu(*this);
    connect(m_menu, &MainWindowMenu::AboutRequested, this, &CVelmoraDlg::OnAbout);
    connect(m_menu, &MainWindowMenu::DetectTypeRequested, this,
            [this] { m_chipCommands.DetectType(); });
    connect(m_menu, &MainWindowMenu::CompareRequested, this, &CVelmoraDlg::OnCompare);
    connect(m_menu, &MainWindowMenu::OrganisationRequested, this, &CVelmoraDlg::SelectOrganisation);
    // A list header that changes a column asks for the whole watch list to be drawn anew.
    for (QTreeWidget* list :
         {static_cast<QTreeWidget*>(m_logList), static_cast<QTreeWidget*>(m_informationList),
          static_cast<QTreeWidget*>(m_watchList)})
        connect(list->header(), &QHeaderView::sectionResized, m_watchList,
                &CEditListCtrl::RedrawAll);
}

bool CVelmoraDlg::Initialise()
{
    PushDump();
    m_informationList->AddColumn(QStringLiteral("Informations"), 177);
    m_logList->AddColumn(QStringLiteral("Time"), 80);
    m_logList->AddColumn(QStringLiteral("Result"), 476);
    PlaceStoredWatchWindow(*m_dumpView, *m_watchList, kWatchWindowRects, m_profile);
    LoadWatchRows(*m_watchList, m_profile);
    const EepromTypeInfo& type = ReadStoredEepromType(m_profile);
    ApplyStoredDumpFont();
    // The stored type is selected as a click would, but without storing it again.
    MarkSelectedType(type);
    ResetImage(m_image, type);
    ResetWatchData(*m_watchList, m_image.Cell(0));
    PushDump();
    FillPortCombo();
    if (!CheckDriver())
        return false;
    m_buttons.value(ID_HELP)->setFocus();
    return true;
}

void CVelmoraDlg::ApplyStoredDumpFont()
{
    m_dumpView->ApplyDumpFont(
        m_profile.GetProfileString(profile::kSection, profile::kFontFace,
                                   profile::kDefaultFontFace),
        m_profile.GetProfileInt(profile::kSection, profile::kFontSize, profile::kDefaultFontSize));
}

// The version lines are listed as soon as the driver answers, before its version is judged;
// a failure is told once and the window is never shown.
bool CVelmoraDlg::CheckDriver()
{
    const DriverVersionCheck check = CheckDriverVersion(m_services.driver);
    if (check.versionRead) {
        m_informationList->AppendRow({QString::fromStdString(ProductVersionLine())}, false);
        m_informationList->AppendRow({QString::fromStdString(DriverVersionLine(check.version))},
                                     false);
    }
    if (check.failureText.empty())
        return true;
    m_services.interaction.ShowMessage(this, QString::fromStdString(check.failureText),
                                       QStringLiteral("Kestrova"), MessageIcon::None);
    done(kResultOk);
    return false;
}

void CVelmoraDlg::RebuildDump(const EepromTypeInfo& type, std::span<const std::uint32_t> words)
{
    PullDump();
    LoadImageWords(m_image, type, words, [this](std::uint32_t address, std::uint32_t value) {
        RefreshWatchAddress(*m_watchList, address, value);
    });
    PushDump();
}

void CVelmoraDlg::AppendLogLine(std::time_t time, const std::string& text, bool scroll)
{
    m_logList->AppendRow(
        {QString::fromStdString(FormatTimeOfDay(time)), QString::fromStdString(text)}, scroll);
}

void CVelmoraDlg::FillPortCombo()
{
    const std::unique_ptr<PortPlatform> platform = m_services.makePortPlatform();
    const PortComboPlan plan = pemrix::FillPortCombo(*platform, m_profile);
    for (const PortComboEntry& entry : plan.m_entries)
        m_portCombo->addItem(entry.m_strText, entry.m_nAddress);
    m_portCombo->setCurrentIndex(plan.m_nCurrentIndex);
    m_nDiscoveredPorts = static_cast<int>(plan.m_parallelPortWrites.size());
}

void CVelmoraDlg::ReadPortsAgain()
{
    // Nothing is stored: the port in use stays the user's choice, and a USB adapter unplugged
    // since leaves the combo without a selection while its commands fail as not plugged in.
    const QString current = m_portCombo->currentText();
    const std::unique_ptr<PortPlatform> platform = m_services.makePortPlatform();
    const PortComboPlan plan = PlanPortCombo(DiscoverPorts(*platform), 0);
    for (; m_nDiscoveredPorts > 0; --m_nDiscoveredPorts)
        m_portCombo->removeItem(0);
    for (const PortComboEntry& entry : plan.m_entries)
        m_portCombo->insertItem(m_nDiscoveredPorts++, entry.m_strText, entry.m_nAddress);
    m_portCombo->setCurrentIndex(
        m_portCombo->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CVelmoraDlg::OnPortChange(int index)
{
    StoreChosenPort(m_profile, m_portCombo->itemData(index).toUInt());
    // The next push re-selects this text, so the combo keeps showing the port in use.
    m_strPortText = m_portCombo->itemText(index);
}

std::string CVelmoraDlg::DumpText() const
{
    return RenderDump(m_image);
}

void CVelmoraDlg::PullDump()
{
    m_strPortText = m_portCombo->currentText();
}

void CVelmoraDlg::PushDump()
{
    m_dumpView->PushText(QString::fromStdString(RenderDump(m_image)));
    SelectPortText(*m_portCombo, m_strPortText);
}

// A type button chooses the size; the organisation stays as chosen in the window menu.
void CVelmoraDlg::SelectEepromType(std::uint32_t code)
{
    SelectChipType(
        *FindEepromType(EffectiveEepromType(code).code, ReadStoredOrganisation(m_profile)));
}

void CVelmoraDlg::SelectOrganisation(bool bytes8)
{
    const EepromTypeInfo& selected = ReadStoredEepromType(m_profile);
    SelectChipType(*FindEepromType(selected.code, bytes8 ? EepromOrganisation::Bytes8
                                                         : EepromOrganisation::Words16));
}

void CVelmoraDlg::SelectChipType(const EepromTypeInfo& type)
{
    MarkSelectedType(type);
    m_profile.WriteProfileInt(profile::kSection, profile::kEepromType, type.code);
    StoreOrganisation(m_profile, type.organisation);
    ResetImage(m_image, type);
    ResetWatchData(*m_watchList, m_image.Cell(0));
    PushDump();
}

// The selected type's button is disabled, which shows its selected image and keeps it from
// being chosen again; the organisation shows in the menu and, for 8-bit, in the window.
void CVelmoraDlg::MarkSelectedType(const EepromTypeInfo& selected)
{
    for (const EepromTypeInfo& type : EepromTypes())
        m_buttons.value(type.buttonId)->setEnabled(type.code != selected.code);
    const bool bytes8 = selected.organisation == EepromOrganisation::Bytes8;
    m_menu->ShowOrganisation(bytes8);
    m_organisationLabel->setVisible(bytes8);
}

void CVelmoraDlg::OnExit()
{
    SaveWatchRows(*m_watchList, m_profile);
    PullDump();
    done(kResultOk);
}

void CVelmoraDlg::OnAbout()
{
    CAboutDlg::Run(m_services.interaction, this);
}

void CVelmoraDlg::OnHelp()
{
    m_services.interaction.ShowHelp(this, m_services.helpFile, kMainWindowHelpTopic);
}

void CVelmoraDlg::OnOptions()
{
    const bool hadSelection = m_portCombo->currentIndex() >= 0;
    COptionsDlg::Run(m_profile, m_services.interaction, *m_portCombo, *m_dumpView, this);
    // An empty combo selects the first entry it is given, so a custom entry added to it is
    // shown as the port in use; it then becomes that port, as if the user had chosen it.
    if (!hadSelection && m_portCombo->currentIndex() >= 0)
        OnPortChange(m_portCombo->currentIndex());
}

void CVelmoraDlg::OnWatch()
{
    ToggleWatchWindow(*m_dumpView, *m_watchList, kWatchWindowRects, m_profile);
}

void CVelmoraDlg::OnEdit()
{
    CEditDlg dialog(m_profile, m_services.interaction, this);
    if (m_services.interaction.RunModal(dialog) != QDialog::Accepted)
        return;
    PullDump();
    SetImageWord(m_image, dialog.m_nAddress, dialog.m_strData.toStdString());
    RefreshWatchAddress(*m_watchList, dialog.m_nAddress, dialog.m_nData);
    PushDump();
}

void CVelmoraDlg::OnOpen()
{
    RomOpenResult result = m_romFiles.Open();
    if (result.outcome != RomOpenOutcome::Accepted)
        return;
    // Moved, not copied: no allocation can fail between the checks and the new image.
    m_image = std::move(*result.image);
    for (const RomWordRefresh& refresh : result.refreshes)
        RefreshWatchAddressText(*m_watchList, refresh.nAddress, refresh.strText);
    PushDump();
}

void CVelmoraDlg::OnSave()
{
    m_romFiles.Save(m_image);
}

// The image against a file of any kind Open reads, for the selected type: the differing cells
// are marked until the image changes, and the chip is not touched.
void CVelmoraDlg::OnCompare()
{
    const RomOpenResult result = m_romFiles.Open();
    if (result.outcome != RomOpenOutcome::Accepted)
        return;
    const EepromTypeInfo& type = ReadStoredEepromType(m_profile);
    const std::vector<std::uint32_t> differing =
        DifferingAddresses(m_image.Cells(), result.image->Cells());
    m_dumpView->MarkWords(differing, CellDigitCount(type));
    AppendLogLine(m_services.clock.Now(), CompareLogText(differing, type), true);
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
