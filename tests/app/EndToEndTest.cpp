#include "WindowTestCase.h"
#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/bus/SteadyBusClock.h"
#include "adapter/ports/LinuxPpdevCalls.h"
#include "app/MainWindowControls.h"
#include "core/DumpText.h"
#include "settings/DescribedPorts.h"
#include "ui/CEditListCtrl.h"
#include "ui/DumpView.h"
#include "ui/ReportList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>


namespace pemrix {

// The whole road from the buttons through the built-in driver to the virtual adapter's
// simulated chips, on a machine without a parallel port.
class EndToEndTest : public WindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<DriverLink> m_builtIn;
    std::shared_ptr<VirtualAdapter> m_virtualAdapter;

    void StartOnTheVirtualAdapter()
    {
        m_window.reset();
        const std::string root = m_harness->TempPath(QStringLiteral("driver")).toStdString();
        // A fresh driver each time, as in a new run; the chips live in their files. Composed
        // here rather than by the factory, to reach the virtual adapter's clock.
        m_virtualAdapter = std::make_shared<VirtualAdapter>(root + "/chips", BusTiming{});
        m_builtIn = std::make_unique<BuiltInDriver>(std::make_shared<BuiltInPortConnector>(
            m_virtualAdapter, ParportDirectory(root + "/proc", root + "/dev"),
            PpdevSetup{std::make_shared<LinuxPpdevCalls>(), std::make_shared<SteadyBusClock>(),
                       &CableProfiles().front(), BusTiming{}}));
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

    // A third of real time makes a 93C86's WriteAll (3 ms a word) last about a second; its
    // ReadAll, a quarter second in real time, needs four times real time for as long.
    static constexpr double kWriteAllPace = 1.0 / 3;
    static constexpr double kReadAllPace = 4;

    // Runs a chip command with the virtual adapter's clock slowed to `pace` real seconds per
    // virtual one, so that it lasts past the half second after which the progress dialog
    // opens; `script` plays the user in it.
    void RunSlowly(double pace, int id, ScriptedInteraction::DialogScript script = {})
    {
        m_virtualAdapter->Clock().Pace(pace);
        m_harness->m_interaction.QueueProgress(script ? script : [](QDialog&) {});
        Run(id);
        m_virtualAdapter->Clock().Pace(0);
    }

    static int WordsShown(QDialog& dialog)
    {
        return dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"))->value();
    }

    // Waits in the progress dialog until more than `words` words are done, then presses Stop.
    static ScriptedInteraction::DialogScript StopAfter(int words)
    {
        return [words](QDialog& dialog) {
            QTRY_VERIFY_WITH_TIMEOUT(WordsShown(dialog) > words, 20000);
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("STOP")),
                              Qt::LeftButton);
        };
    }

    // The address a stopped command's log line names.
    std::uint32_t StoppedAddress() const
    {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("   Stopped at address ([0-9A-F]{4})$"))
                .match(LastLog());
        return match.hasMatch() ? match.captured(1).toUInt(nullptr, 16) : 0xFFFFFFFF;
    }

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

    void ALongWriteAllShowsRisingProgressAndEndsAsBefore()
    {
        QTest::mouseClick(m_window->Button(IDC_93C86), Qt::LeftButton);
        Run(IDC_EDIT, "3ff", "C0DE");
        const QString dump = Dump();
        QStringList counts;
        QString command;
        RunSlowly(kWriteAllPace, IDC_WRITEALL, [&](QDialog& dialog) {
            command = dialog.findChild<QLabel*>(QStringLiteral("command"))->text();
            const auto* count = dialog.findChild<QLabel*>(QStringLiteral("count"));
            QTRY_VERIFY(!count->text().isEmpty());
            counts << count->text();
            const int first = WordsShown(dialog);
            QTRY_VERIFY(WordsShown(dialog) > first + 100);
            counts << count->text();
        });
        QCOMPARE(m_harness->m_interaction.m_progressClasses,
                 QStringList{QStringLiteral("pemrix::CProgressDlg")});
        QCOMPARE(command, QStringLiteral("WriteAll"));
        QCOMPARE(counts.size(), 2);
        QVERIFY(counts[1].endsWith(QStringLiteral(" of 2048 words")));
        QVERIFY(counts[0] != counts[1]);
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg WriteAll Succeeded."));
        QCOMPARE(LastLog(), QStringLiteral("Writeall Succeeded."));
        QCOMPARE(Dump(), dump);
        // A command as short as a READ shows no progress dialog.
        Run(IDC_READ, "3ff");
        QCOMPARE(LastLog(), QStringLiteral("Read Succeeded.   Address: 03FF   Data: C0DE"));
        QCOMPARE(m_harness->m_interaction.m_progressClasses.size(), 1);
    }

    void StopEndsACommandAtAWordAndLeavesTheRestAndTheDump()
    {
        QTest::mouseClick(m_window->Button(IDC_93C86), Qt::LeftButton);
        Run(IDC_WRAL, {}, "1111");
        QTest::mouseClick(m_window->Button(IDC_93C46), Qt::LeftButton);
        QTest::mouseClick(m_window->Button(IDC_93C86), Qt::LeftButton);
        const QString erased = Dump();
        RunSlowly(kWriteAllPace, IDC_WRITEALL, StopAfter(100));
        QCOMPARE(LastResult(),
                 QStringLiteral("pemrix::CFailedDlg WriteAll Failed.(Error Code: C000)"));
        QVERIFY(LastLog().startsWith(QStringLiteral("WriteAll Failed. (Error Code: 0xC000)")));
        const std::uint32_t stoppedAt = StoppedAddress();
        QVERIFY2(stoppedAt > 100 && stoppedAt < 1024, qPrintable(LastLog()));
        QCOMPARE(Dump(), erased);

        RunSlowly(kReadAllPace, IDC_READALL, StopAfter(10));
        QCOMPARE(LastResult(),
                 QStringLiteral("pemrix::CFailedDlg ReadAll Failed.(Error Code: C000)"));
        QVERIFY(StoppedAddress() < 1024);
        QCOMPARE(Dump(), erased);

        // The words before the stop were written, that word and the later ones untouched.
        Run(IDC_READALL);
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg ReadAll Succeeded."));
        for (const std::uint32_t address : {0u, stoppedAt - 1})
            QCOMPARE(Dump().mid(WordTextOffset(address), 4), QStringLiteral("FFFF"));
        for (const std::uint32_t address : {stoppedAt, 0x3FFu})
            QCOMPARE(Dump().mid(WordTextOffset(address), 4), QStringLiteral("1111"));
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
