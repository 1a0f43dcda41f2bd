#include "MainWindowHarness.h"

#include "settings/PortMachinePlatform.h"
#include "app/MainWindowControls.h"
#include "settings/ProfileKeys.h"
#include "ui/CEditListCtrl.h"
#include "ui/ReportList.h"
#include "ui/ResultDialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

namespace pemrix {

MainWindowHarness::MainWindowHarness() : m_profile(m_dir.filePath(QStringLiteral("pemrix.ini"))) {}

std::unique_ptr<CVelmoraDlg> MainWindowHarness::MakeWindow()
{
    return std::make_unique<CVelmoraDlg>(MainWindowServices{
        m_profile, m_interaction, *m_files, *m_driver, m_clock,
        [this] {
            if (m_makePortPlatform)
                return m_makePortPlatform();
            return std::unique_ptr<PortPlatform>(std::make_unique<PortMachinePlatform>(m_machine));
        },
        QStringLiteral("help/pemrix.html")});
}

std::unique_ptr<CVelmoraDlg> MainWindowHarness::StartWindow()
{
    std::unique_ptr<CVelmoraDlg> window = MakeWindow();
    if (!window->Initialise())
        return nullptr;
    window->show();
    return window;
}

ScriptedInteraction::DialogScript MainWindowHarness::TypeAndConfirm(const QString& address,
                                                                    const QString& data)
{
    return [address, data](QDialog& dialog) {
        if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("address")))
            edit->setText(address);
        if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("data")))
            edit->setText(data);
        if (auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("OK")))
            QTest::mouseClick(ok, Qt::LeftButton);
    };
}

ScriptedInteraction::DialogScript MainWindowHarness::NoteResult()
{
    return [this](QDialog& dialog) {
        const auto* result = qobject_cast<ResultDialog*>(&dialog);
        m_results.append(result ? QString::fromLatin1(dialog.metaObject()->className()) +
                                      QLatin1Char(' ') + result->Message()
                                : QStringLiteral("not a result dialog"));
        dialog.accept();
    };
}

void MainWindowHarness::Run(CVelmoraDlg& window, int id, const QString& address,
                            const QString& data)
{
    if (id == IDC_READ || id == IDC_WRITE || id == IDC_ERASE || id == IDC_WRAL || id == IDC_EDIT)
        m_interaction.QueueDialog(TypeAndConfirm(address, data));
    if (id != IDC_EDIT)
        m_interaction.QueueDialog(NoteResult());
    QTest::mouseClick(window.Button(id), Qt::LeftButton);
}

void MainWindowHarness::SetWatch(CVelmoraDlg& window, int row, const char* address,
                                 const char* type)
{
    WatchRow watch = window.WatchList()->Row(row);
    watch.strAddress = QString::fromLatin1(address);
    watch.strType = QString::fromLatin1(type);
    window.WatchList()->SetRow(row, watch);
}

QStringList MainWindowHarness::LastLogLine(const CVelmoraDlg& window)
{
    const ReportList& log = *window.LogList();
    const QTreeWidgetItem* item = log.topLevelItem(log.topLevelItemCount() - 1);
    return item ? QStringList{item->text(0), item->text(1)} : QStringList{};
}

std::uint32_t MainWindowHarness::StoredInt(const QString& key) const
{
    return m_profile.GetProfileInt(profile::kSection, key, 0);
}

} // namespace pemrix
