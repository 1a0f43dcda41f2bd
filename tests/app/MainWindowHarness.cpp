#include "MainWindowHarness.h"

#include "settings/PortMachinePlatform.h"
#include "settings/ProfileKeys.h"
#include "ui/ResultDialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

namespace pemrix {

MainWindowHarness::MainWindowHarness() : m_profile(m_dir.filePath(QStringLiteral("pemrix.ini"))) {}

std::unique_ptr<CVelmoraDlg> MainWindowHarness::MakeWindow()
{
    return std::make_unique<CVelmoraDlg>(MainWindowServices{
        m_profile, m_interaction, m_fileSystem, *m_driver, m_clock,
        [this] {
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

std::uint32_t MainWindowHarness::StoredInt(const QString& key) const
{
    return m_profile.GetProfileInt(profile::kSection, key, 0);
}

} // namespace pemrix
