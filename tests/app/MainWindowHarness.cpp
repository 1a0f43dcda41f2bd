#include "MainWindowHarness.h"

#include "settings/PortMachinePlatform.h"
#include "settings/ProfileKeys.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

namespace pemrix {

MainWindowHarness::MainWindowHarness() : m_profile(m_dir.filePath(QStringLiteral("pemrix.ini"))) {}

std::unique_ptr<CVelmoraDlg> MainWindowHarness::StartWindow()
{
    auto window = std::make_unique<CVelmoraDlg>(MainWindowServices{
        m_profile, m_interaction, m_fileSystem, [this] {
            return std::unique_ptr<PortPlatform>(std::make_unique<PortMachinePlatform>(m_machine));
        }});
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

std::uint32_t MainWindowHarness::StoredInt(const QString& key) const
{
    return m_profile.GetProfileInt(profile::kSection, key, 0);
}

} // namespace pemrix
