#include "WindowTestCase.h"
#include "app/MainWindowControls.h"
#include "core/Clock.h"
#include "core/DumpText.h"
#include "driver/RequestCodes.h"
#include "settings/ProfileKeys.h"
#include "ui/CEditListCtrl.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <new>

namespace pemrix {

// The seven chip commands seen from the main window over the scripted driver: what the
// result dialog says, what the log says and when, and what happens to the image.
class ChipCommandTest : public WindowTestCase
{
    Q_OBJECT

private:
    ScriptedDriverLink& Driver() { return m_harness->m_scriptedDriver; }

    QString Result() const { return m_harness->m_results.value(0); }

    // The time the clock will give at its next reading.
    QString NextReading() const
    {
        return QString::fromStdString(FormatTimeOfDay(m_harness->m_clock.m_time * 60));
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<MainWindowHarness>();
        m_window = m_harness->StartWindow();
        QVERIFY(m_window);
    }

    void cleanup() { m_window.reset(); }

    void CancelledInputSendsShowsAndLogsNothing()
    {
        const std::size_t calls = Driver().Calls().size();
        for (int id : {IDC_READ, IDC_WRITE, IDC_ERASE, IDC_WRAL})
            QTest::mouseClick(m_window->Button(id), Qt::LeftButton);
        QCOMPARE(Driver().Calls().size(), calls);
        QCOMPARE(m_window->LogList()->topLevelItemCount(), 0);
        QCOMPARE(m_harness->m_interaction.m_dialogClasses.size(), 4);
    }

    void ReadShowsTheWordAndLogsTheTimeAfterClosing()
    {
        Driver().Words()[0x10] = 0x1234;
        const QString before = Dump();
        Run(IDC_READ, "10");
        const QString finished = NextReading(); // the start reading comes first
        QCOMPARE(
            Result(),
            QStringLiteral("pemrix::CSucceededDlg Read Succeeded.\n\nAddress: 0010\nData: 1234"));
        QCOMPARE(LastLogLine()[1], QStringLiteral("Read Succeeded.   Address: 0010   Data: 1234"));
        QCOMPARE(LastLogLine()[0],
                 QString::fromStdString(FormatTimeOfDay((m_harness->m_clock.m_time - 1) * 60)));
        QVERIFY(finished != LastLogLine()[0]);
        QCOMPARE(Driver().LastPort(), 888u);
        QCOMPARE(Dump(), before);
    }

    void StatusCodesReachDialogAndLogInTheirTwoSpellings_data()
    {
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("log");
        QTest::newRow("main request") << 1 << "Read Failed.(Error Code: 0005)"
                                      << "Read Failed. (Error Code: 0x0005)";
        QTest::newRow("verification") << 2 << "Read Failed.(Error Code: 0050)"
                                      << "Read Failed. (Error Code: 0x0050)";
    }

    void StatusCodesReachDialogAndLogInTheirTwoSpellings()
    {
        QFETCH(int, occurrence);
        QFETCH(QString, dialog);
        QFETCH(QString, log);
        Driver().Script(REQ_READ, occurrence, ScriptedReply{{}, {}, 5u, {}});
        const QString started = NextReading();
        Run(IDC_READ, "0");
        QCOMPARE(Result(), "pemrix::CFailedDlg " + dialog);
        QCOMPARE(LastLogLine(), (QStringList{started, log}));
    }

    // The scripted driver, like any driver but the built-in one, fails the call.
    void DetectionByADriverWithoutItSaysSoAndChangesNothing()
    {
        Run(IDC_EDIT, "12", "C0DE");
        const QString before = Dump();
        const std::uint32_t type = m_harness->StoredInt(profile::kEepromType);
        const QString started = NextReading();
        m_window->Menu()->RunCommand(MainWindowMenu::kDetectTypeCommand);
        const QString text =
            QStringLiteral("Detect Failed. (Error Code: 0x0008) The driver does "
                           "not offer chip type detection; the type is unchanged.");
        QCOMPARE(m_harness->m_interaction.m_messages.last().strText, text);
        QCOMPARE(LastLogLine(), (QStringList{started, text}));
        QCOMPARE(Driver().ControlCodes().back(), REQ_DETECT_TYPE);
        QCOMPARE(Dump(), before);
        QCOMPARE(m_harness->StoredInt(profile::kEepromType), type);
    }

    // The scripted driver, like any driver but the built-in one, has no _X8 requests: every
    // 8-bit command says so instead of a result, and neither the image nor the chip changes.
    void EightBitCommandsOnADriverWithoutThemSaySoAndChangeNothing()
    {
        m_window->Menu()->RunCommand(MainWindowMenu::kOrganisationCommand);
        QCOMPARE(m_harness->StoredInt(profile::kOrganisation), 8u);
        Run(IDC_EDIT, "FF", "c0");
        const QString before = Dump();
        QCOMPARE(before.mid(static_cast<int>(CellTextOffset(0xFF, 2)), 2), QStringLiteral("C0"));
        QCOMPARE(before.count(QLatin1Char('\n')), 31);
        const auto chip = Driver().Words();
        const QString text = QStringLiteral("The driver does not offer 8-bit organisation.");
        const struct
        {
            int id;
            const char* address;
            const char* data;
        } commands[] = {
            {IDC_READ, "10", ""}, {IDC_WRITE, "10", "AB"}, {IDC_ERASE, "10", ""},
            {IDC_WRAL, "", "5A"}, {IDC_READALL, "", ""},   {IDC_WRITEALL, "", ""},
            {IDC_ERAL, "", ""},
        };
        for (const auto& command : commands) {
            if (command.id == IDC_READ || command.id == IDC_WRITE || command.id == IDC_ERASE ||
                command.id == IDC_WRAL)
                m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm(
                    QString::fromLatin1(command.address), QString::fromLatin1(command.data)));
            const qsizetype messages = m_harness->m_interaction.m_messages.size();
            QTest::mouseClick(m_window->Button(command.id), Qt::LeftButton);
            QCOMPARE(m_harness->m_interaction.m_messages.size(), messages + 1);
            QCOMPARE(m_harness->m_interaction.m_messages.last().strText, text);
            QCOMPARE(LastLogLine()[1], text);
            QCOMPARE(Dump(), before);
        }
        QVERIFY(Driver().Words() == chip);
        QVERIFY(!m_harness->m_interaction.m_dialogClasses.contains(
            QStringLiteral("pemrix::CFailedDlg")));
    }

    // A byte takes one or two digits; a third is refused as a 16-bit field's fifth is, with the
    // byte's own example.
    void EightBitEditTakesAByteAndChecksTheByteCount()
    {
        m_window->Menu()->RunCommand(MainWindowMenu::kOrganisationCommand);
        const QString before = Dump();
        Run(IDC_EDIT, "10", "C0D");
        Run(IDC_EDIT, "100", "C0");
        QCOMPARE(Dump(), before);
        const QStringList texts{m_harness->m_interaction.m_messages[0].strText,
                                m_harness->m_interaction.m_messages[1].strText};
        QCOMPARE(texts,
                 (QStringList{QStringLiteral("Please type a 2-digit hexadecimal number.(e.g. 2B)"),
                              QStringLiteral("Please type a valid address.")}));
        Run(IDC_EDIT, "10", "d");
        QCOMPARE(Dump().mid(static_cast<int>(CellTextOffset(0x10, 2)), 2), QStringLiteral("0D"));
        QCOMPARE(Dump().left(8), QStringLiteral("0000H FF"));
        QCOMPARE(Dump().mid(Dump().indexOf(QLatin1Char('\n')) + 1, 5), QStringLiteral("0008H"));
    }

    void WriteMismatchIsFoundAfterTheWriteDisable()
    {
        Driver().Script(REQ_READ, 1,
                        ScriptedReply{{}, {}, {}, ScriptedDriverLink::ReplyData(0x1230)});
        Run(IDC_WRITE, "0010", "1234");
        QCOMPARE(Result(), QStringLiteral("pemrix::CFailedDlg Write Failed.(Error Code: 1000)"));
        QCOMPARE(LastLogLine()[1], QStringLiteral("Write Failed. (Error Code: 0x1000)"));
        const std::vector<std::uint32_t> codes = Driver().ControlCodes();
        QCOMPARE(codes.back(), REQ_READ);
        QCOMPARE(codes[codes.size() - 2], REQ_WRITE_DISABLE);
    }

    void SuccessfulWriteLeavesDumpAndWatchAlone()
    {
        SetWatch(0, "0010", "H");
        const QString before = Dump();
        Run(IDC_WRITE, "10", "1234");
        QCOMPARE(
            Result(),
            QStringLiteral("pemrix::CSucceededDlg Write Succeeded.\n\nAddress: 0010\nData: 1234"));
        QCOMPARE(Driver().Words()[0x10], 0x1234u);
        QCOMPARE(Dump(), before);
        QCOMPARE(m_window->WatchList()->Row(0).strData, QStringLiteral("FFFF"));
    }

    void EralMismatchLeavesTheDumpUnchanged()
    {
        Driver().Words()[7] = 0x1111;
        Run(IDC_READALL);
        const QString read = Dump();
        // ReadAll sent the first two; the third is ERAL's read-back.
        Driver().Script(REQ_READ_ALL, 3,
                        ScriptedReply{{}, {}, {}, ScriptedDriverLink::ReplyImageWord(5, 0xFFFE)});
        m_harness->m_results.clear();
        Run(IDC_ERAL);
        QCOMPARE(Result(), QStringLiteral("pemrix::CFailedDlg Eral Failed.(Error Code: 1000)"));
        QCOMPARE(Dump(), read);
    }

    // Memory that runs out while the driver's requests run (here on ReadAll's second read, on
    // the command's own thread) ends the command with the framework's box: no result dialog,
    // no log line, the dump as it was, and the device closed for the next command.
    void OutOfMemoryEndsTheCommandWithTheFrameworksBox()
    {
        const QString dump = Dump();
        Driver().Script(REQ_READ_ALL, 2, ScriptedReply{{}, {}, {}, [](std::span<std::uint8_t>) {
                                                           throw std::bad_alloc();
                                                       }});
        Run(IDC_READALL);
        QCOMPARE(m_harness->m_interaction.m_messages.size(), 1);
        QCOMPARE(m_harness->m_interaction.m_messages[0].strText, QStringLiteral("Out of memory."));
        QCOMPARE(m_harness->m_interaction.m_messages[0].strCaption, QStringLiteral("pemrix"));
        QVERIFY(m_harness->m_results.isEmpty());
        QCOMPARE(m_window->LogList()->topLevelItemCount(), 0);
        QCOMPARE(Dump(), dump);
        QCOMPARE(Driver().Calls().back().kind, LinkCall::Kind::Close);
        Run(IDC_READALL);
        QCOMPARE(Result(), QStringLiteral("pemrix::CSucceededDlg ReadAll Succeeded."));
    }

    void MissingDriverGives8000WithTheStartTime()
    {
        Driver().SetOpenFails(true);
        const QString started = NextReading();
        Run(IDC_READALL);
        QCOMPARE(Result(), QStringLiteral("pemrix::CFailedDlg ReadAll Failed.(Error Code: 8000)"));
        QCOMPARE(LastLogLine(),
                 (QStringList{started, QStringLiteral("ReadAll Failed. (Error Code: 0x8000)")}));
    }

    void WralFillsTheDumpAndTheWatchRowsInsideTheChip()
    {
        QTest::mouseClick(m_window->Button(IDC_93C46), Qt::LeftButton);
        SetWatch(0, "0000", "H");
        SetWatch(1, "003F", "D");
        SetWatch(2, "003F", "B");
        SetWatch(3, "0040", "H");
        Run(IDC_WRAL, {}, "a5");
        QCOMPARE(Result(), QStringLiteral("pemrix::CSucceededDlg Wral Succeeded."));
        QCOMPARE(LastLogLine()[1], QStringLiteral("Wral Succeeded.   Data: 00A5"));
        const QString dump = Dump();
        QCOMPARE(dump.count(QStringLiteral(" 00A5")), 64);
        QCOMPARE(dump.count(QLatin1Char('\n')), 7);
        const QStringList data{"A5", "165", "10100101", "FFFF"};
        for (int row = 0; row < 4; ++row)
            QCOMPARE(m_window->WatchList()->Row(row).strData, data[row]);
    }

    void WriteAllSendsTheDumpAndReadAllBringsTheChipBack()
    {
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("7f", "beef"));
        QTest::mouseClick(m_window->Button(IDC_EDIT), Qt::LeftButton);
        Run(IDC_WRITEALL);
        QCOMPARE(Result(), QStringLiteral("pemrix::CSucceededDlg WriteAll Succeeded."));
        QCOMPARE(LastLogLine()[1], QStringLiteral("Writeall Succeeded."));
        QCOMPARE(Driver().Words()[0x7F], 0xBEEFu);
        QCOMPARE(Driver().Words()[0x7E], 0xFFFFu);

        QTest::mouseClick(m_window->Button(IDC_93C56), Qt::LeftButton); // disabled: no reset
        QTest::mouseClick(m_window->Button(IDC_93C57), Qt::LeftButton);
        QVERIFY(!Dump().contains(QStringLiteral("BEEF")));
        SetWatch(0, "007F", "H");
        Run(IDC_READALL);
        QCOMPARE(Dump().mid(WordTextOffset(0x7F), 4), QStringLiteral("BEEF"));
        QCOMPARE(m_window->WatchList()->Row(0).strData, QStringLiteral("BEEF"));
    }

    void OnlySuccessScrollsTheLog()
    {
        Driver().SetOpenFails(true);
        for (int i = 0; i < 30; ++i) {
            m_harness->m_interaction.QueueDialog(m_harness->NoteResult());
            QTest::mouseClick(m_window->Button(IDC_ERAL), Qt::LeftButton);
        }
        QApplication::processEvents();
        QScrollBar* bar = m_window->LogList()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        Driver().SetOpenFails(false);
        Run(IDC_ERAL);
        QApplication::processEvents();
        QCOMPARE(bar->value(), bar->maximum());
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::ChipCommandTest)
#include "ChipCommandTest.moc"
