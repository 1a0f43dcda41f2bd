#include "WindowTestCase.h"
#include "adapter/BuiltInDriverFactory.h"
#include "adapter/BuiltInDriverPaths.h"
#include "app/MainWindowControls.h"
#include "core/DumpText.h"
#include "settings/DescribedPorts.h"
#include "settings/ProfileKeys.h"
#include "ui/CEditListCtrl.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace pemrix {

// The whole road from the buttons through the built-in driver to the virtual adapter's
// simulated chips, on a machine without a parallel port.
class EndToEndTest : public WindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<DriverLink> m_builtIn;

    std::string DriverFolder() const
    {
        return m_harness->TempPath(QStringLiteral("driver")).toStdString();
    }

    void StartOnTheVirtualAdapter()
    {
        m_window.reset();
        const std::string root = DriverFolder();
        // A fresh driver each time, as in a new run; the chips live in their files.
        m_builtIn = MakeBuiltInDriver(
            {root + "/driver.conf", root + "/chips", root + "/proc", root + "/dev"});
        m_harness->m_driver = m_builtIn.get();
        m_harness->m_machine = VirtualAdapterMachine();
        m_window = m_harness->StartWindow();
        QVERIFY(m_window);
    }

    // What the Linux provider offers on a machine with no parallel port.
    static PortMachine VirtualAdapterMachine();

    QString LastResult() const
    {
        return m_harness->m_results.value(m_harness->m_results.size() - 1);
    }
    QString LastLog() const { return LastLogLine().value(1); }
private slots:
    void init()
    {
        m_harness = std::make_unique<MainWindowHarness>();
        StartOnTheVirtualAdapter();
    }

    void cleanup() { m_window.reset(); }

    void TheVirtualAdapterIsListedAndSelected()
    {
        QCOMPARE(m_window->PortCombo()->count(), 1);
        QCOMPARE(m_window->PortCombo()->currentIndex(), 0);
        QCOMPARE(m_window->PortCombo()->currentData().toUInt(), 0x93C00u);
    }

    void WralFillsEveryWordOfA93C46()
    {
        QTest::mouseClick(m_window->Button(IDC_93C46), Qt::LeftButton);
        SetWatch(0, "0000", "H");
        SetWatch(1, "003F", "O");
        SetWatch(2, "0040", "H");
        Run(IDC_WRAL, {}, "00A5");
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg Wral Succeeded."));
        QCOMPARE(LastLog(), QStringLiteral("Wral Succeeded.   Data: 00A5"));
        QCOMPARE(Dump().count(QStringLiteral(" 00A5")), 64);
        QCOMPARE(m_window->WatchList()->Row(0).strData, QStringLiteral("A5"));
        QCOMPARE(m_window->WatchList()->Row(1).strData, QStringLiteral("245"));
        QCOMPARE(m_window->WatchList()->Row(2).strData, QStringLiteral("FFFF"));
    }

    void EditWriteAllEralReadAllRoundTrip()
    {
        Run(IDC_EDIT, "12", "C0DE");
        Run(IDC_WRITEALL);
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg WriteAll Succeeded."));
        QTest::mouseClick(m_window->Button(IDC_93C46), Qt::LeftButton);
        QTest::mouseClick(m_window->Button(IDC_93C56), Qt::LeftButton);
        Run(IDC_READALL);
        QCOMPARE(Dump().mid(WordTextOffset(0x12), 4), QStringLiteral("C0DE"));
        Run(IDC_ERAL);
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg Eral Succeeded."));
        QVERIFY(!Dump().contains(QStringLiteral("C0DE")));
        Run(IDC_READALL);
        QCOMPARE(Dump().count(QStringLiteral("FFFF")), 128);
    }

    void WriteChangesTheChipButNeitherDumpNorWatch()
    {
        SetWatch(0, "0003", "H");
        const QString before = Dump();
        Run(IDC_WRITE, "3", "1234");
        QCOMPARE(
            LastResult(),
            QStringLiteral("pemrix::CSucceededDlg Write Succeeded.\n\nAddress: 0003\nData: 1234"));
        QCOMPARE(Dump(), before);
        QCOMPARE(m_window->WatchList()->Row(0).strData, QStringLiteral("FFFF"));
        Run(IDC_READALL);
        QCOMPARE(Dump().mid(WordTextOffset(3), 4), QStringLiteral("1234"));
        QCOMPARE(m_window->WatchList()->Row(0).strData, QStringLiteral("1234"));
    }

    void ReadAndEraseOneWord()
    {
        Run(IDC_WRITE, "40", "0F0F");
        Run(IDC_READ, "40");
        QCOMPARE(LastLog(), QStringLiteral("Read Succeeded.   Address: 0040   Data: 0F0F"));
        Run(IDC_ERASE, "40");
        QCOMPARE(LastLog(), QStringLiteral("Erase Succeeded.   Address: 0040   Data: FFFF"));
        Run(IDC_READ, "40");
        QCOMPARE(LastLog(), QStringLiteral("Read Succeeded.   Address: 0040   Data: FFFF"));
    }

    // One 93C66 in the socket, whose halves differ in word 80: the 93C56 selected first meets
    // it too, and detection selects the 93C66 as its button would, erasing the image; found
    // once more, the type is kept and so is the image.
    void DetectionSelectsTheTypeInTheVirtualSocket()
    {
        std::filesystem::create_directories(DriverFolder() + "/chips");
        std::ofstream(DriverFolder() + "/driver.conf") << "virtual_socket=93C66\n";
        std::string words(512, '\0');
        words[256] = 1;
        std::ofstream(DriverFolder() + "/chips/virtual-93C66.bin", std::ios::binary) << words;
        StartOnTheVirtualAdapter();
        QVERIFY(!m_window->Button(IDC_93C56)->isEnabled());
        Run(IDC_EDIT, "12", "C0DE");
        m_window->Menu()->RunCommand(MainWindowMenu::kDetectTypeCommand);
        QCOMPARE(LastLog(), QStringLiteral("Detect Succeeded.   Type: 93C66   Address bits: 8"));
        QCOMPARE(m_harness->StoredInt(profile::kEepromType), 4u);
        QVERIFY(!m_window->Button(IDC_93C66)->isEnabled());
        QCOMPARE(Dump().count(QStringLiteral("FFFF")), 256);

        Run(IDC_EDIT, "12", "C0DE");
        m_window->Menu()->RunCommand(MainWindowMenu::kDetectTypeCommand);
        QCOMPARE(LastLog(), QStringLiteral("Detect Succeeded.   Type: 93C66   Address bits: 8"));
        QCOMPARE(Dump().mid(WordTextOffset(0x12), 4), QStringLiteral("C0DE"));
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());
    }

    void TheChipKeepsItsWordsAcrossRuns()
    {
        Run(IDC_EDIT, "7f", "5A5A");
        Run(IDC_WRITEALL);
        StartOnTheVirtualAdapter();
        QVERIFY(!Dump().contains(QStringLiteral("5A5A")));
        Run(IDC_READALL);
        QCOMPARE(Dump().mid(WordTextOffset(0x7F), 4), QStringLiteral("5A5A"));
    }
};

PortMachine EndToEndTest::VirtualAdapterMachine()
{
    return DescribedMachine({DescribedPort(u"Virtual Adapter (LPT Simulator)", 0x93C00)});
}

} // namespace pemrix

QTEST_MAIN(pemrix::EndToEndTest)
#include "EndToEndTest.moc"
