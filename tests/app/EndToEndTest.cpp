#include "WindowTestCase.h"
#include "adapter/BuiltInDriverFactory.h"
#include "adapter/BuiltInDriverPaths.h"
#include "adapter/ports/usb/UsbAdapterDirectory.h"
#include "adapter/ports/usb/UsbSimulatedMachine.h"
#include "adapter/DriverSettings.h"
#include "adapter/bus/PartClass.h"
#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/bus/SteadyBusClock.h"
#include "adapter/ports/ppdev/LinuxPpdevCalls.h"
#include "app/MainWindowControls.h"
#include "core/DumpText.h"
#include "adapter/ports/AdapterRegistry.h"
#include "adapter/ports/gpiod/GpioAdapterKind.h"
#include "core/HexText.h"
#include "adapter/ports/gpiod/GpiodSimulation.h"
#include "platform/PlatformProviders.h"
#include "platform/linux/LinuxPortPlatform.h"
#include "settings/ProfileKeys.h"
#include "settings/DescribedPorts.h"
#include "ui/CEditListCtrl.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace pemrix {

// The whole road from the buttons through the built-in driver to the virtual adapter's
// simulated chips, on a machine without a parallel port.
class EndToEndTest : public WindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<DriverLink> m_builtIn;
    std::shared_ptr<VirtualAdapter> m_virtualAdapter;

    std::string DriverFolder() const
    {
        return m_harness->TempPath(QStringLiteral("driver")).toStdString();
    }

    void StartOnTheVirtualAdapter()
    {
        m_window.reset();
        const std::string root = DriverFolder();
        // A fresh driver each time, as in a new run; the chips live in their files. Composed
        // here rather than by the factory, to reach the virtual adapter's clock.
        const DriverSettings settings = LoadDriverSettings(root + "/driver.conf");
        m_virtualAdapter = std::make_shared<VirtualAdapter>(root + "/chips", settings.timing,
                                                            settings.virtualSocket);
        m_builtIn = std::make_unique<BuiltInDriver>(std::make_shared<BuiltInPortConnector>(
            m_virtualAdapter, ParportDirectory(root + "/proc", root + "/dev"),
            PpdevSetup{std::make_shared<LinuxPpdevCalls>(), std::make_shared<SteadyBusClock>(),
                       settings.cable, settings.timing}));
        m_harness->m_driver = m_builtIn.get();
        m_harness->m_machine = VirtualAdapterMachine();
        m_window = m_harness->StartWindow();
        QVERIFY(m_window);
    }

    std::shared_ptr<VirtualBusClock> m_usbClock = std::make_shared<VirtualBusClock>();
    std::shared_ptr<UsbSimulatedMachine> m_usb = std::make_shared<UsbSimulatedMachine>(*m_usbClock);
    // A Raspberry Pi's header chip, where a test wires one.
    std::shared_ptr<GpiodSimulation> m_gpio;

    // A fresh run over the simulated USB machine, the port list from the Linux provider as in
    // the program, on a machine without a parallel port.
    void StartOnTheUsbMachine()
    {
        m_window.reset();
        const std::string root = m_harness->TempPath(QStringLiteral("driver")).toStdString();
        const AdapterCallsByFamily gpio{{kGpioFamily, m_gpio}};
        m_builtIn = MakeBuiltInDriver(
            {root + "/driver.conf", root + "/chips", root + "/proc", root + "/dev"},
            {nullptr, m_usb, m_usb->FtdiFactory(), m_usbClock, gpio});
        m_harness->m_driver = m_builtIn.get();
        m_harness->m_makePortPlatform = [this, root, gpio] {
            AdapterWorld adapters{};
            adapters.usb.usb = m_usb;
            adapters.setups = MakeAdapterSetups(gpio, m_usbClock, {}, nullptr);
            return std::unique_ptr<PortPlatform>(MakeLinuxPortPlatform(root + "/proc", adapters));
        };
        m_window = m_harness->StartWindow();
        QVERIFY(m_window);
    }

    QStringList PortTexts() const
    {
        QStringList texts;
        for (int i = 0; i < m_window->PortCombo()->count(); ++i)
            texts << m_window->PortCombo()->itemText(i);
        return texts;
    }

    // Opens and closes the port list as a user would.
    void OpenPortList()
    {
        m_window->PortCombo()->showPopup();
        m_window->PortCombo()->hidePopup();
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

    enum class StopBy
    {
        Click,
        Escape,
    };

    // Waits in the progress dialog until more than `words` words are done, presses the keys a
    // user may mean for the main window, which must change nothing, then stops by a click on
    // Stop or by Escape.
    static ScriptedInteraction::DialogScript StopAfter(int words, StopBy by = StopBy::Click)
    {
        return [words, by](QDialog& dialog) {
            QTRY_VERIFY_WITH_TIMEOUT(WordsShown(dialog) > words, 20000);
            auto* stop = dialog.findChild<QAbstractButton*>(QStringLiteral("STOP"));
            const std::pair<Qt::Key, Qt::KeyboardModifiers> strayKeys[] = {
                {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier},
                {Qt::Key_Space, Qt::AltModifier}, {Qt::Key_Tab, Qt::NoModifier},
                {Qt::Key_Space, Qt::NoModifier},
            };
            const auto keyTarget = [&dialog] {
                return dialog.focusWidget() ? dialog.focusWidget() : &dialog;
            };
            for (const auto& [key, modifiers] : strayKeys) {
                QTest::keyClick(keyTarget(), key, modifiers);
                QVERIFY2(stop->isEnabled(), qPrintable(QKeySequence(key | modifiers).toString()));
            }
            if (by == StopBy::Escape)
                QTest::keyClick(keyTarget(), Qt::Key_Escape);
            else
                QTest::mouseClick(stop, Qt::LeftButton);
            QVERIFY(!stop->isEnabled());
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
        m_usb = std::make_shared<UsbSimulatedMachine>(*m_usbClock);
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

    // Every size in 8-bit organisation: each chip command, and a WriteAll from a binary file
    // that leaves the chip's bytes equal to the file's, all within the chip's timing.
    void EveryCommandAndAFileOnEverySizeInBytes()
    {
        m_window->Menu()->RunCommand(MainWindowMenu::kOrganisationCommand);
        for (const EepromTypeInfo& type : EepromTypes(EepromOrganisation::Bytes8)) {
            QTest::mouseClick(m_window->Button(type.buttonId), Qt::LeftButton);
            const MicrowireChip& chip =
                m_virtualAdapter->Chip(type.code, EepromOrganisation::Bytes8);
            const QString last = QString::fromStdString(FormatHex4(type.words - 1));
            Run(IDC_WRAL, {}, "5A");
            QCOMPARE(LastLog(), QStringLiteral("Wral Succeeded.   Data: 5A"));
            Run(IDC_READALL);
            QCOMPARE(Dump().count(QStringLiteral(" 5A")), static_cast<int>(type.words));
            Run(IDC_WRITE, last, "C3");
            QCOMPARE(LastResult(),
                     "pemrix::CSucceededDlg Write Succeeded.\n\nAddress: " + last + "\nData: C3");
            Run(IDC_READ, last);
            QCOMPARE(LastLog(), "Read Succeeded.   Address: " + last + "   Data: C3");
            Run(IDC_ERASE, last);
            QCOMPARE(chip.Words()[type.words - 1], 0xFFu);

            const QString path = m_harness->TempPath(QStringLiteral("bytes.bin"));
            Run(IDC_EDIT, "1", "A");
            m_harness->m_interaction.QueueFileName(path, 1);
            QTest::mouseClick(m_window->Button(IDC_SAVE), Qt::LeftButton);
            Run(IDC_ERAL);
            QCOMPARE(chip.Words()[0], 0xFFu);
            Run(IDC_EDIT, "1", "B");
            m_harness->m_interaction.QueueFileName(path, 1);
            QTest::mouseClick(m_window->Button(IDC_OPEN), Qt::LeftButton);
            Run(IDC_WRITEALL);
            QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg WriteAll Succeeded."));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes.size(), static_cast<qsizetype>(type.words));
            QCOMPARE(static_cast<std::uint8_t>(bytes[1]), 0x0Au);
            for (std::uint32_t address = 0; address < type.words; ++address)
                QCOMPARE(chip.Words()[address], static_cast<std::uint8_t>(bytes[address]));
            const std::vector<std::string> violations = chip.TimingViolations();
            QVERIFY2(violations.empty(), violations.empty() ? "" : violations.front().c_str());
        }
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());
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

    void ALongWriteAllShowsRisingProgressAndEndsAsBefore()
    {
        // A chip holding other words than the image in every cell, so that WriteAll programs
        // them all.
        QTest::mouseClick(m_window->Button(IDC_93C86), Qt::LeftButton);
        Run(IDC_WRAL, {}, "1111");
        QTest::mouseClick(m_window->Button(IDC_93C46), Qt::LeftButton);
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
        RunSlowly(kWriteAllPace, IDC_WRITEALL, StopAfter(100, StopBy::Escape));
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

    // The newest log line is shown whole at every count of lines, the one that first
    // overflows the log included, where both scroll bars arrive together.
    void TheNewestLogLineIsShownWhole()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const ReportList* log = m_window->LogList();
        while (!log->verticalScrollBar()->isVisible()) {
            Run(IDC_READ, "3");
            const auto newestShown = [log] {
                const QRect newest =
                    log->visualItemRect(log->topLevelItem(log->topLevelItemCount() - 1));
                return newest.top() >= 0 && newest.bottom() <= log->viewport()->rect().bottom();
            };
            QTest::qWait(50);
            QVERIFY2(newestShown(), qPrintable(QString::number(log->topLevelItemCount())));
            QVERIFY(log->topLevelItemCount() < 50);
        }
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

    // Every chip command through the window on each USB adapter, each FTDI channel and the GPIO
    // lines, chosen in the port list by name: in the slowest part class, and the CH347s, whose
    // slowest clock is too fast for that, in the slowest they clock; each chip is held to the
    // figures of its class.
    void EveryCommandThroughEachUsbAdapter()
    {
        const MicrowireGeometry chip = *FindMicrowireGeometry(6);
        m_gpio = std::make_shared<GpiodSimulation>(
            *m_usbClock, GpioChipEntry{"/dev/gpiochip0", "pinctrl-rp1", 54}, GpioWiring{}, chip);
        struct Adapter
        {
            QString name;
            // The GPIO lines' chip where none.
            UsbSimulatedDevice* device;
            PartClass partClass = PartClass::Any;
        };
        const Adapter adapters[] = {
            {QStringLiteral("CH341A USB adapter (bus 1, port 4)"),
             &m_usb->PlugCh341a({0x1A86, 0x5512, 1, 7, {4}}, chip)},
            {QStringLiteral("FT232H USB adapter (bus 3, port 1.2)"),
             &m_usb->PlugFt232h({0x0403, 0x6014, 3, 2, {1, 2}}, chip)},
            {QStringLiteral("FT2232H USB adapter, channel A (bus 3, port 3)"),
             &m_usb->PlugFt232h({0x0403, 0x6010, 3, 4, {3}}, chip, 0)},
            {QStringLiteral("FT2232H USB adapter, channel B (bus 3, port 3)"),
             &m_usb->PlugFt232h({0x0403, 0x6010, 3, 4, {3}}, chip, 1)},
            {QStringLiteral("GPIO adapter (gpiochip0, pinctrl-rp1)"), nullptr},
            {QStringLiteral("CH347T USB adapter (bus 2, port 5)"),
             &m_usb->PlugCh347({0x1A86, 0x55DB, 2, 3, {5}}, chip), PartClass::From2V5},
            {QStringLiteral("CH347F USB adapter (bus 2, port 6)"),
             &m_usb->PlugCh347({0x1A86, 0x55DE, 2, 4, {6}}, chip), PartClass::From2V5},
        };
        for (const Adapter& adapter : adapters) {
            if (adapter.device)
                adapter.device->SocketPartOf(adapter.partClass);
        }
        std::filesystem::create_directories(DriverFolder());
        for (const PartClass partClass : {PartClass::Any, PartClass::From2V5}) {
            std::ofstream(DriverFolder() + "/driver.conf")
                << "part_class=" << PartClassOf(partClass).name << '\n';
            StartOnTheUsbMachine();
            QCOMPARE(PortTexts().size(), 8);
            QTest::mouseClick(m_window->Button(IDC_93C86), Qt::LeftButton);
            for (const Adapter& adapter : adapters) {
                if (adapter.partClass != partClass)
                    continue;
                const auto device = [&]() -> MicrowireChip& {
                    return adapter.device ? adapter.device->Chip() : m_gpio->Chip();
                };
                const int index = PortTexts().indexOf(
                    QRegularExpression(QRegularExpression::escape(adapter.name + " [") + ".*"));
                QVERIFY2(index >= 0, qPrintable(adapter.name));
                QComboBox& combo = *m_window->PortCombo();
                combo.setCurrentIndex(index);
                emit combo.activated(index);
                Run(IDC_WRAL, {}, "1234");
                Run(IDC_READALL);
                QCOMPARE(Dump().count(QStringLiteral(" 1234")), 1024);
                Run(IDC_WRITE, "3ff", "C0DE");
                Run(IDC_READ, "3ff");
                QCOMPARE(LastLog(), QStringLiteral("Read Succeeded.   Address: 03FF   Data: C0DE"));
                Run(IDC_ERASE, "3ff");
                QCOMPARE(device().Words()[0x3FF], 0xFFFF);
                Run(IDC_EDIT, "200", "5A5A");
                Run(IDC_WRITEALL);
                QCOMPARE(device().Words()[0x200], 0x5A5A);
                QCOMPARE(device().Words()[0x3FF], 0x1234);
                Run(IDC_ERAL);
                QCOMPARE(LastResult(), QStringLiteral("pemrix::CSucceededDlg Eral Succeeded."));
                QCOMPARE(device().Words()[0x200], 0xFFFF);
                const std::vector<std::string> violations = adapter.device
                                                                ? adapter.device->TimingViolations()
                                                                : m_gpio->Chip().TimingViolations();
                QVERIFY2(violations.empty(), violations.empty() ? "" : violations.front().c_str());
            }
        }
        QCOMPARE(m_usb->OpenHandles(), 0u);
        m_gpio.reset();
    }

    // Adapters below the parallel ports and above the virtual adapter; the list is read again
    // each time it opens, an adapter keeps its address on its USB port across runs, and one
    // pulled out fails as not plugged in.
    void UsbAdaptersFollowThePlugs()
    {
        const MicrowireGeometry chip = *FindMicrowireGeometry(1);
        UsbSimulatedDevice& ch341a = m_usb->PlugCh341a({0x1A86, 0x5512, 1, 7, {4}}, chip);
        StartOnTheUsbMachine();
        const std::uint32_t address = PortValue(UsbAdapterPortId("CH341A", ch341a.Entry()));
        const QString ch341aText = QStringLiteral("CH341A USB adapter (bus 1, port 4) [") +
                                   QString::number(address, 16).toUpper() + QLatin1Char(']');
        QCOMPARE(
            PortTexts(),
            (QStringList{ch341aText, QStringLiteral("Virtual Adapter (LPT Simulator) [93C00]")}));
        QCOMPARE(m_harness->StoredInt(profile::kParallelPort), address);

        m_usb->PlugFt232h({0x0403, 0x6014, 3, 2, {1, 2}}, chip);
        OpenPortList();
        QCOMPARE(PortTexts().size(), 3);
        QVERIFY(
            PortTexts()[0].startsWith(QStringLiteral("FT232H USB adapter (bus 3, port 1.2) [")));
        QCOMPARE(m_window->PortCombo()->currentText(), ch341aText);

        ch341a.Unplug();
        OpenPortList();
        QCOMPARE(PortTexts().size(), 2);
        QCOMPARE(m_window->PortCombo()->currentIndex(), -1);
        Run(IDC_READ, "5");
        QCOMPARE(LastResult(), QStringLiteral("pemrix::CFailedDlg Read Failed.(Error Code: 000F)"));

        // Plugged in again on the same USB port, it gets another bus address but the same name
        // and port address.
        m_usb->PlugCh341a({0x1A86, 0x5512, 1, 9, {4}}, chip);
        StartOnTheUsbMachine();
        QCOMPARE(PortTexts().size(), 3);
        QCOMPARE(PortTexts()[1], ch341aText);
    }
};

PortMachine EndToEndTest::VirtualAdapterMachine()
{
    return DescribedMachine({DescribedPort(u"Virtual Adapter (LPT Simulator)", 0x93C00)});
}

} // namespace pemrix

QTEST_MAIN(pemrix::EndToEndTest)
#include "EndToEndTest.moc"
