#pragma once

#include "app/ChipCommandRunner.h"
#include "app/ChipCommandHost.h"
#include "app/MainWindowServices.h"
#include "app/RomFileCommands.h"

#include "ui/CPortCombo.h"
#include "ui/skin/CSkinDialog.h"

#include <QHash>

#include <cstdint>
#include <string>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace pemrix {

class CEditListCtrl;
class MainWindowMenu;
class DumpView;
class ReportList;
struct EepromTypeInfo;

// The main window: owns every control, the dump text (the memory image) and the data
// exchange between the dump text and the dump view.
class CVelmoraDlg : public CSkinDialog, private ChipCommandHost
{
    Q_OBJECT

public:
    // End results as the program reports them: through OK (Exit, Close) or Cancel (Escape).
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit CVelmoraDlg(const MainWindowServices& services, QWidget* parent = nullptr);
    ~CVelmoraDlg() override;

    // The start-up sequence. Returns false when the program must end before the window is
    // ever shown.
    bool Initialise();

    // The two directions of the data exchange: the port combo into the members, and the
    // members back into the combo and the image rendered into the view. The view is
    // read-only, so it only ever shows what the image holds.
    void PullDump();
    void PushDump();

    // A type button: the size, in the organisation chosen.
    void SelectEepromType(std::uint32_t code);

    std::string DumpText() const;
    ReportList* LogList() const { return m_logList; }
    ReportList* InformationList() const { return m_informationList; }
    QAbstractButton* Button(int id) const { return m_buttons.value(id); }
    DumpView* DumpViewControl() const { return m_dumpView; }
    QComboBox* PortCombo() const { return m_portCombo; }
    QLabel* OrganisationLabel() const { return m_organisationLabel; }
    CEditListCtrl* WatchList() const { return m_watchList; }
    MainWindowMenu* Menu() const { return m_menu; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void BindCommands();
    void ApplyStoredDumpFont();
    bool CheckDriver();
    const MemoryImage& CurrentImage() const override { return m_image; }
    void RebuildDump(const EepromTypeInfo& type, std::span<const std::uint32_t> words) override;
    void SelectChipType(const EepromTypeInfo& type) override;
    void SelectOrganisation(bool bytes8);
    void AppendLogLine(std::time_t time, const std::string& text, bool scroll) override;
    void MarkSelectedType(const EepromTypeInfo& selected);
    void OnExit();
    void FillPortCombo();
    void ReadPortsAgain();
    void OnPortChange(int index);
    void OnAbout();
    void OnHelp();
    void OnOptions();
    void OnWatch();
    void OnEdit();
    void OnOpen();
    void OnSave();
    void OnCompare();

    const MainWindowServices m_services;
    const ProfileStore& m_profile;
    RomFileCommands m_romFiles;

    QHash<int, QAbstractButton*> m_buttons;
    DumpView* m_dumpView = nullptr;
    CEditListCtrl* m_watchList = nullptr;
    MainWindowMenu* m_menu = nullptr;
    CPortCombo* m_portCombo = nullptr;
    // The discovered ports at the top of the combo; the custom ports follow them.
    int m_nDiscoveredPorts = 0;
    ReportList* m_logList = nullptr;
    ReportList* m_informationList = nullptr;
    // Shown only while 8-bit organisation is chosen.
    QLabel* m_organisationLabel = nullptr;

    MemoryImage m_image;
    QString m_strPortText;
    // Made last: it works on the controls above.
    ChipCommandRunner m_chipCommands;
};

} // namespace pemrix
