#include "app/CVelmoraDlg.h"

#include "MainWindowHarness.h"
#include "app/HelpFileLocation.h"
#include "app/MainWindowControls.h"
#include "driver/RequestCodes.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"
#include "core/DumpText.h"
#include "settings/ProfileKeys.h"
#include "settings/DescribedPorts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace pemrix {

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> m_harness;
    const ProfileStore* m_profile = nullptr;

    std::unique_ptr<CVelmoraDlg> StartWindow() { return m_harness->StartWindow(); }
    std::uint32_t StoredType() const { return m_harness->StoredInt(profile::kEepromType); }
    std::uint32_t StoredPort() const { return m_harness->StoredInt(profile::kParallelPort); }

private slots:
    void init()
    {
        m_harness = std::make_unique<MainWindowHarness>();
        m_profile = &m_harness->m_profile;
    }

    void EmptyProfileStartsWithAnErased93C56()
    {
        auto window = StartWindow();
        QVERIFY(window);
        const QString text = window->DumpViewControl()->PullText();
        const QStringList rows = text.split(QLatin1Char('\n'));
        QCOMPARE(rows.size(), 16);
        QCOMPARE(rows.first(), QStringLiteral("0000H FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF"));
        QVERIFY(rows.last().startsWith(QStringLiteral("0078H ")));
        QVERIFY(!window->Button(IDC_93C56)->isEnabled());
        QVERIFY(window->Button(IDC_93C46)->isEnabled());
        // Selecting at start-up does not store the type.
        QCOMPARE(StoredType(), 0u);
        QCOMPARE(window->geometry(), QRect(0, 0, 800, 530));
    }

    void StoredTypeOutsideTheTableStartsAs93C56()
    {
        m_profile->WriteProfileInt(profile::kSection, profile::kEepromType, 9);
        auto window = StartWindow();
        QCOMPARE(window->DumpViewControl()->PullText().count(QLatin1Char('\n')), 15);
        QVERIFY(!window->Button(IDC_93C56)->isEnabled());
    }

    void TypeButtonStoresDisablesAndResets()
    {
        auto window = StartWindow();
        window->PullDump();
        std::string patched = window->DumpText();
        patched.replace(WordTextOffset(0), 4, "1234");
        window->DumpViewControl()->PushText(QString::fromStdString(patched));

        QTest::mouseClick(window->Button(IDC_93C86), Qt::LeftButton);
        QCOMPARE(StoredType(), 6u);
        QVERIFY(!window->Button(IDC_93C86)->isEnabled());
        for (int id : {IDC_93C46, IDC_93C56, IDC_93C57, IDC_93C66, IDC_93C76})
            QVERIFY(window->Button(id)->isEnabled());
        const QString text = window->DumpViewControl()->PullText();
        QCOMPARE(text.size(), 5887);
        QVERIFY(!text.contains(QStringLiteral("1234")));
        QCOMPARE(text.mid(46 * 127, 5), QStringLiteral("03F8H"));
    }

    void HiddenTypeButtonIsOutsideTheWindowButSelectable()
    {
        auto window = StartWindow();
        QAbstractButton* hidden = window->Button(IDC_93C57);
        QVERIFY(hidden->geometry().left() >= 800);
        QVERIFY(hidden->focusPolicy() & Qt::TabFocus);
        hidden->click();
        QCOMPARE(StoredType(), 3u);
    }

    void FocusStartsOnHelpAndTabFollowsTheKeyboardOrder()
    {
        auto window = StartWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), window->Button(ID_HELP));
        QCOMPARE(window->Button(ID_HELP)->nextInFocusChain(), window->Button(IDC_ABOUT));
        QCOMPARE(window->Button(IDC_SAVE)->nextInFocusChain(),
                 static_cast<QWidget*>(window->DumpViewControl()));
    }

    void EnterDoesNothingAndEscapeEndsThroughCancel()
    {
        auto window = StartWindow();
        QTest::keyClick(window.get(), Qt::Key_Return);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), CVelmoraDlg::kResultCancel);
    }

    void ExitAndCloseEndThroughOk()
    {
        for (int id : {IDC_EXIT, IDC_CLOSE}) {
            auto window = StartWindow();
            QTest::mouseClick(window->Button(id), Qt::LeftButton);
            QVERIFY(!window->isVisible());
            QCOMPARE(window->result(), CVelmoraDlg::kResultOk);
        }
    }

    void TopPortIsSelectedAndStoredAtStartUp()
    {
        m_harness->m_machine = DescribedMachine({DescribedPort(u"Printer Port (LPT1)", 0x378),
                                                 DescribedPort(u"Printer Port (LPT2)", 0x278)});
        m_profile->WriteProfileInt(profile::kSection, profile::kParallelPort, 0x3BC);
        m_profile->WriteProfileInt(profile::kSection, profile::kCustomPort, 0x3BC);
        auto window = StartWindow();
        QComboBox* combo = window->PortCombo();
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->itemText(0), QStringLiteral("Printer Port (LPT2) [0278]"));
        QCOMPARE(combo->itemText(2), QStringLiteral("Custom Port: 3bc"));
        QCOMPARE(StoredPort(), 0x278u);
    }

    void NoPortLeavesTheStoredPortAndNoSelection()
    {
        m_profile->WriteProfileInt(profile::kSection, profile::kParallelPort, 0x3BC);
        m_profile->WriteProfileInt(profile::kSection, profile::kCustomPort, 0x3BC);
        auto window = StartWindow();
        QCOMPARE(window->PortCombo()->count(), 1);
        QCOMPARE(window->PortCombo()->currentIndex(), -1);
        QCOMPARE(StoredPort(), 0x3BCu);
    }

    void ACustomPortOnAnEmptyListIsThePortInUse()
    {
        m_profile->WriteProfileInt(profile::kSection, profile::kParallelPort, 0x3BC);
        auto window = StartWindow();
        QComboBox* combo = window->PortCombo();
        QCOMPARE(combo->count(), 0);
        m_harness->m_interaction.QueueDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>()->setText(QStringLiteral("278"));
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("OK")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(window->Button(IDC_OPTIONS), Qt::LeftButton);
        QCOMPARE(combo->currentText(), QStringLiteral("Custom Port: 278"));
        QCOMPARE(StoredPort(), 0x278u);
        window->PullDump();
        window->PushDump();
        QCOMPARE(combo->currentText(), QStringLiteral("Custom Port: 278"));
    }

    void ChoosingAPortStoresItAndAPushKeepsShowingIt()
    {
        m_harness->m_machine = DescribedMachine({DescribedPort(u"Printer Port (LPT1)", 0x378),
                                                 DescribedPort(u"Printer Port (LPT2)", 0x278)});
        auto window = StartWindow();
        QComboBox* combo = window->PortCombo();
        window->PullDump(); // as a command that rebuilds the dump would
        // A programmatic selection stores nothing; only the user's choice does.
        combo->setCurrentIndex(1);
        QCOMPARE(StoredPort(), 0x278u);
        combo->setCurrentIndex(0);
        combo->activated(1);
        QCOMPARE(StoredPort(), 0x378u);
        combo->setCurrentIndex(1);
        QTest::mouseClick(window->Button(IDC_93C46), Qt::LeftButton);
        QCOMPARE(combo->currentText(), QStringLiteral("Printer Port (LPT1) [0378]"));
        QCOMPARE(StoredPort(), 0x378u);
    }

    void DriverCheckAcceptsOrEndsTheProgram_data()
    {
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<bool>("versionFails");
        QTest::addColumn<QList<unsigned>>("version");
        QTest::addColumn<QString>("message");
        const QList<unsigned> any{2, 1, 0, 0};
        QTest::newRow("2.0.0.800") << false << false << QList<unsigned>{2, 0, 0, 800} << "";
        QTest::newRow("2.0.1.0") << false << false << QList<unsigned>{2, 0, 1, 0} << "";
        QTest::newRow("2.1.0.0") << false << false << QList<unsigned>{2, 1, 0, 0} << "";
        QTest::newRow("2.0.0.799") << false << false << QList<unsigned>{2, 0, 0, 799}
                                   << "Driver Version not match. Please reinstall the application";
        QTest::newRow("1.9.9.9999") << false << false << QList<unsigned>{1, 9, 9, 9999}
                                    << "Driver Version.Please reinstall the application";
        QTest::newRow("no driver")
            << true << false << any << "Could not load driver.Please reinstall the application";
        QTest::newRow("no version")
            << false << true << any
            << "Could not get driver version.Please reinstall the application";
    }

    void DriverCheckAcceptsOrEndsTheProgram()
    {
        QFETCH(bool, openFails);
        QFETCH(bool, versionFails);
        QFETCH(QList<unsigned>, version);
        QFETCH(QString, message);
        ScriptedDriverLink& driver = m_harness->m_scriptedDriver;
        driver.SetOpenFails(openFails);
        driver.SetVersion({version[0], version[1], version[2], version[3], 0});
        if (versionFails)
            driver.Script(REQ_GET_VERSION, 1, ScriptedReply{false, {}, {}, {}});
        auto window = m_harness->MakeWindow();
        QCOMPARE(window->Initialise(), message.isEmpty());
        QVERIFY(!window->isVisible());
        QCOMPARE(driver.Calls().front().attributes, 0u);
        QCOMPARE(driver.OpenHandles(), 0);
        const auto& messages = m_harness->m_interaction.m_messages;
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
        } else {
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].strText, message);
            QCOMPARE(messages[0].strCaption, QStringLiteral("Kestrova"));
            QCOMPARE(messages[0].icon, MessageIcon::None);
        }
        // The version lines are listed whenever the driver answered, before the judgement.
        QTreeWidget* info = window->InformationList();
        if (openFails || versionFails) {
            QCOMPARE(info->topLevelItemCount(), 0);
        } else {
            QCOMPARE(info->topLevelItemCount(), 2);
            QCOMPARE(info->topLevelItem(0)->text(0), QStringLiteral("Product Version: 2.0"));
            QCOMPARE(info->topLevelItem(1)->text(0), QStringLiteral("Driver Version: %1.%2.%3.%4")
                                                         .arg(version[0])
                                                         .arg(version[1])
                                                         .arg(version[2])
                                                         .arg(version[3]));
        }
    }

    void HelpOpensAtTheMainWindowTopic()
    {
        auto window = StartWindow();
        QTest::mouseClick(window->Button(ID_HELP), Qt::LeftButton);
        QCOMPARE(m_harness->m_interaction.m_helpTopics,
                 QStringList{QStringLiteral("help/pemrix.html#context-20066")});
    }

    // In the build tree the document lies beside the program; installed, in share/doc/pemrix/.
    void HelpFileIsFoundBesideTheProgramOrInItsInstalledTree()
    {
        QTemporaryDir tree;
        const QString program = tree.filePath(QStringLiteral("bin/pemrix"));
        const QString beside = tree.filePath(QStringLiteral("bin/pemrix.html"));
        const QString installed = tree.filePath(QStringLiteral("share/doc/pemrix/pemrix.html"));
        QCOMPARE(FindHelpFile(program), beside);
        for (const QString& place : {installed, beside}) {
            QVERIFY(QDir().mkpath(QFileInfo(place).path()));
            QFile file(place);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(FindHelpFile(program), place);
        }
    }

    void AboutButtonAndMenuItemOpenTheSameDialog()
    {
        auto window = StartWindow();
        QTest::mouseClick(window->Button(IDC_ABOUT), Qt::LeftButton);
        window->Menu()->RunCommand(MainWindowMenu::kAboutCommand);
        QCOMPARE(m_harness->m_interaction.m_dialogClasses,
                 (QStringList{"pemrix::CAboutDlg", "pemrix::CAboutDlg"}));
    }

    void MenuCloseEndsThroughCancel()
    {
        auto window = StartWindow();
        window->Menu()->RunCommand(MainWindowMenu::kCloseCommand);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), CVelmoraDlg::kResultCancel);
    }

    void OptionsAppendsTheCustomPortAndRefontsTheDump()
    {
        auto window = StartWindow();
        m_harness->m_interaction.QueueFont(FontChoice{QStringLiteral("Courier New"), 120});
        m_harness->m_interaction.QueueDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>()->setText(QStringLiteral("378"));
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("SELFONT")),
                              Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("OK")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(window->Button(IDC_OPTIONS), Qt::LeftButton);
        QComboBox* combo = window->PortCombo();
        QCOMPARE(combo->itemText(combo->count() - 1), QStringLiteral("Custom Port: 378"));
        QCOMPARE(m_harness->StoredInt(profile::kCustomPort), 888u);
        QCOMPARE(m_harness->StoredInt(profile::kFontSize), 240u);
        QCOMPARE(window->DumpViewControl()->font().pointSizeF(), 12.0);
    }

    void WatchWindowSettingPlacesTheDump()
    {
        m_profile->WriteProfileInt(profile::kSection, profile::kWatchWindow, 0);
        auto window = StartWindow();
        QCOMPARE(window->DumpViewControl()->geometry(), kDumpHiddenRect);
        m_profile->WriteProfileInt(profile::kSection, profile::kWatchWindow, 1);
        auto shown = StartWindow();
        QCOMPARE(shown->DumpViewControl()->geometry(), kDumpShownRect);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::MainWindowTest)
#include "MainWindowTest.moc"
