#include "MainWindowHarness.h"
#include "app/MainWindowControls.h"
#include "core/DumpText.h"
#include "settings/ProfileKeys.h"
#include "ui/CEditListCtrl.h"
#include "files/ImageFileKind.h"
#include "files/ImageFileSave.h"
#include "ui/DumpView.h"
#include "ui/MainWindowMenu.h"
#include "ui/ReportList.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTest>

#include <new>

namespace pemrix {

// Reading and writing run out of memory, as a very large image might make them.
class OutOfMemoryFileSystem : public NativeFileSystem
{
public:
    FileWriteResult Write(FileHandle, std::string_view) override { throw std::bad_alloc(); }
    FileReadResult ReadFile(const std::string&, std::size_t) override { throw std::bad_alloc(); }
};

// The commands that change the memory image without the chip, seen from the main window:
// Edit, Open, Save, the type buttons, and the watch list's life across runs.
class ImageCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> m_harness;

    static void Click(CVelmoraDlg& window, int id)
    {
        QTest::mouseClick(window.Button(id), Qt::LeftButton);
    }

    static QString Data(CEditListCtrl& list, int row) { return list.Row(row).strData; }

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_harness->TempPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init() { m_harness = std::make_unique<MainWindowHarness>(); }

    void EditPatchesOneWordAndRefreshesItsWatchRows()
    {
        auto window = m_harness->StartWindow();
        MainWindowHarness::SetWatch(*window, 0, "0005", "D");
        MainWindowHarness::SetWatch(*window, 1, "0005", "H");
        MainWindowHarness::SetWatch(*window, 2, "0006", "H");
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("5", "a"));
        Click(*window, IDC_EDIT);
        const QString text = window->DumpViewControl()->PullText();
        QCOMPARE(text.mid(31, 4), QStringLiteral("000A"));
        QCOMPARE(text.count(QStringLiteral("FFFF")), 127);
        QCOMPARE(Data(*window->WatchList(), 0), QStringLiteral("10"));
        QCOMPARE(Data(*window->WatchList(), 1), QStringLiteral("A"));
        QCOMPARE(Data(*window->WatchList(), 2), QStringLiteral("FFFF"));
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());
    }

    void CancelledEditChangesNothing()
    {
        auto window = m_harness->StartWindow();
        const QString before = window->DumpViewControl()->PullText();
        Click(*window, IDC_EDIT); // no script: the dialog is dismissed
        QCOMPARE(window->DumpViewControl()->PullText(), before);
        QCOMPARE(m_harness->m_interaction.m_dialogClasses, QStringList{"pemrix::CEditDlg"});
    }

    void TypeSelectionResetsEveryDataCellToItsErasedText()
    {
        auto window = m_harness->StartWindow();
        CEditListCtrl& list = *window->WatchList();
        const char* types[] = {"H", "D", "B", "O"};
        for (int row = 0; row < 4; ++row)
            MainWindowHarness::SetWatch(*window, row, "0005", types[row]);
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("5", "1"));
        Click(*window, IDC_EDIT);
        QCOMPARE(Data(list, 2), QStringLiteral("1"));
        Click(*window, IDC_93C66);
        const QStringList erased{"FFFF", "65535", "1111111111111111", "177777"};
        for (int row = 0; row < 4; ++row)
            QCOMPARE(Data(list, row), erased[row]);
    }

    void ExitStoresTheWatchRowsAndEscapeDoesNot()
    {
        {
            auto window = m_harness->StartWindow();
            MainWindowHarness::SetWatch(*window, 19, "002B", "B");
            Click(*window, IDC_EXIT);
        }
        {
            auto window = m_harness->StartWindow();
            QCOMPARE(window->WatchList()->Row(19).strAddress, QStringLiteral("002B"));
            QCOMPARE(window->WatchList()->Row(19).strType, QStringLiteral("B"));
            QCOMPARE(window->WatchList()->Row(0).strName, QStringLiteral("WatchName0"));
            MainWindowHarness::SetWatch(*window, 19, "0001", "H");
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
        auto window = m_harness->StartWindow();
        QCOMPARE(window->WatchList()->Row(19).strAddress, QStringLiteral("002B"));
    }

    void WatchButtonTogglesAndStoresTheChoice()
    {
        auto window = m_harness->StartWindow();
        QCOMPARE(window->WatchList()->geometry(), kWatchShownRect);
        Click(*window, IDC_WATCH);
        QCOMPARE(window->DumpViewControl()->geometry(), kDumpHiddenRect);
        QCOMPARE(window->WatchList()->geometry(), kWatchHiddenRect);
        QCOMPARE(m_harness->StoredInt(profile::kWatchWindow), 0u);
        Click(*window, IDC_WATCH);
        QCOMPARE(window->DumpViewControl()->geometry(), kDumpShownRect);
        QCOMPARE(m_harness->StoredInt(profile::kWatchWindow), 1u);
    }

    void OpenInstallsTheFileAndRefreshesTheWatchList()
    {
        QByteArray file = "rom193c46       ";
        for (int i = 0; i < 64; ++i)
            file += i == 3 ? QByteArray("12ab")
                           : QByteArray("00") +
                                 QByteArray::number(i, 16).rightJustified(2, '0').toUpper();
        WriteFile(QStringLiteral("a.ROM"), file);
        m_harness->m_profile.WriteProfileInt(profile::kSection, profile::kEepromType, 1);
        auto window = m_harness->StartWindow();
        MainWindowHarness::SetWatch(*window, 0, "0003", "H");
        MainWindowHarness::SetWatch(*window, 1, "0040", "H");
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("a.ROM")));
        Click(*window, IDC_OPEN);
        const QString text = window->DumpViewControl()->PullText();
        QCOMPARE(text.mid(WordTextOffset(3), 4), QStringLiteral("12ab"));
        QCOMPARE(text.mid(WordTextOffset(63), 4), QStringLiteral("003F"));
        QCOMPARE(Data(*window->WatchList(), 0), QStringLiteral("12AB"));
        QCOMPARE(Data(*window->WatchList(), 1), QStringLiteral("FFFF"));
        QCOMPARE(m_harness->StoredInt(profile::kEepromType), 1u);

        // Saved again, the file comes back with the magic and type field rewritten.
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("b")));
        Click(*window, IDC_SAVE);
        QFile saved(m_harness->TempPath(QStringLiteral("b.ROM")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), "ROM193C46       " + file.mid(16));
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());
    }

    void RefusedFilesLeaveTheImageAndShowTheirMessage()
    {
        WriteFile(QStringLiteral("big.ROM"), "ROM193C66       " + QByteArray(1024, 'F'));
        auto window = m_harness->StartWindow();
        Click(*window, IDC_93C46);
        const QString before = window->DumpViewControl()->PullText();
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("big.ROM")));
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText(), before);
        QCOMPARE(m_harness->m_interaction.m_messages.size(), 1);
        QCOMPARE(m_harness->m_interaction.m_messages[0].strText,
                 QStringLiteral("The type of the ROM file is 93C66."));
        QCOMPARE(m_harness->m_interaction.m_messages[0].strCaption,
                 QStringLiteral("Open File Error"));
    }

    // An 8-bit image is saved and opened byte for byte, with no byte order to choose, and a ROM
    // file names its organisation, so a 16-bit one never opens into bytes.
    void EightBitImagesGoToFilesByteForByteAndRomFilesNameTheirOrganisation()
    {
        m_harness->m_profile.WriteProfileInt(profile::kSection, profile::kOrganisation, 8);
        auto window = m_harness->StartWindow();
        Click(*window, IDC_93C46);
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("0", "12"));
        Click(*window, IDC_EDIT);
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("7F", "a"));
        Click(*window, IDC_EDIT);
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("bytes")), 1);
        Click(*window, IDC_SAVE);
        QCOMPARE(
            m_harness->m_interaction.m_fileFilters.last(),
            (QStringList{"ROM Files(*.ROM *.rom)", "Binary, byte for byte (*.bin)",
                         "Intel HEX, byte for byte (*.hex)", "PonyProg images (*.e2p *.E2P)"}));
        QFile binary(m_harness->TempPath(QStringLiteral("bytes.bin")));
        QVERIFY(binary.open(QIODevice::ReadOnly));
        QCOMPARE(binary.readAll(), "\x12" + QByteArray(126, '\xFF') + "\x0A");

        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("bytes.ROM")));
        Click(*window, IDC_SAVE);
        QFile rom(m_harness->TempPath(QStringLiteral("bytes.ROM")));
        QVERIFY(rom.open(QIODevice::ReadOnly));
        QCOMPARE(rom.readAll(), "ROM193C46 x8    12" + QByteArray(252, 'F') + "0A");
        const QString saved = window->DumpViewControl()->PullText();
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("0", "0"));
        Click(*window, IDC_EDIT);
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("bytes.bin")), 4);
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText(), saved);

        WriteFile(QStringLiteral("words.ROM"), "ROM193C46       " + QByteArray(256, '0'));
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("words.ROM")));
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText(), saved);
        QCOMPARE(m_harness->m_interaction.m_messages.last().strText,
                 QStringLiteral("The ROM file holds a 16-bit image (93C46). Open it in 16-bit "
                                "organisation."));
    }

    void RawImagesGoByTheirExtensionAndTheChosenEntrysByteOrder()
    {
        auto window = m_harness->StartWindow();
        Click(*window, IDC_93C46);
        m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("0", "1234"));
        Click(*window, IDC_EDIT);
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("chip")), 2);
        Click(*window, IDC_SAVE);
        QFile saved(m_harness->TempPath(QStringLiteral("chip.bin")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().left(4), QByteArray("\x12\x34\xFF\xFF"));
        QCOMPARE(m_harness->m_interaction.m_fileFilters.last().size(), 6);
        QCOMPARE(m_harness->m_interaction.m_defaultSuffixes.last(),
                 (QStringList{"ROM", "bin", "bin", "hex", "hex", "e2p"}));

        // Typed without its extension under the little-endian entry, it opens swapped.
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("chip")), 1);
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText().mid(WordTextOffset(0), 4),
                 QStringLiteral("3412"));
        QCOMPARE(m_harness->m_interaction.m_fileFilters.last().size(), 7);
        QCOMPARE(m_harness->m_interaction.m_fileFilters.last().last(),
                 QStringLiteral("All Files(*)"));
        QCOMPARE(m_harness->m_interaction.m_defaultSuffixes.last().first(), QStringLiteral("ROM"));

        // A name whose extension says another kind than the chosen entry is written as the
        // name says, so Open reads it back.
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("mixed.ROM")), 1);
        Click(*window, IDC_SAVE);
        QVERIFY(QFile(m_harness->TempPath(QStringLiteral("mixed.ROM"))).size() > 256);
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("mixed.ROM")), 0);
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText().mid(WordTextOffset(0), 4),
                 QStringLiteral("3412"));
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());

        // An existing file without an extension opens under its own name.
        WriteFile(QStringLiteral("noext"), "ROM193C46       " + QByteArray(256, '0'));
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("noext")), 6);
        Click(*window, IDC_OPEN);
        QCOMPARE(window->DumpViewControl()->PullText().mid(WordTextOffset(0), 4),
                 QStringLiteral("0000"));
        QVERIFY(m_harness->m_interaction.m_messages.isEmpty());
    }

    // Each type in each organisation compared with a file of another kind that differs in its
    // first, a middle and its last cell; the image itself stays as it was.
    void CompareMarksExactlyTheDifferingWordsForEveryTypeUntilTheImageChanges()
    {
        const ImageFileFormat formats[] = {ImageFileFormat::Rom, ImageFileFormat::Binary,
                                           ImageFileFormat::IntelHex, ImageFileFormat::E2p};
        for (const EepromTypeInfo& type : AllEepromTypes()) {
            const ImageFileKind& kind =
                FindImageFileKind(formats[type.code % std::size(formats)],
                                  WordByteOrder::LittleEndian, type.organisation);
            const std::vector<std::uint32_t> expected{0, type.words / 2, type.words - 1};
            std::vector<std::uint32_t> words(type.words, 0xFFFF);
            for (const std::uint32_t address : expected)
                words[address] = address % 0xFF; // never 0xFF, the erased byte
            MemoryImage dump;
            LoadImageWords(dump, type, words);
            const QString path = m_harness->TempPath(QStringLiteral("other.") +
                                                     QString::fromLatin1(kind.extension.data(), 3));
            NativeFileSystem files;
            QCOMPARE(SaveImageFile(files, path.toStdString(), dump, type, kind), std::nullopt);

            const bool bytes8 = type.organisation == EepromOrganisation::Bytes8;
            m_harness->m_profile.WriteProfileInt(profile::kSection, profile::kEepromType,
                                                 type.code);
            m_harness->m_profile.WriteProfileInt(profile::kSection, profile::kOrganisation,
                                                 bytes8 ? 8 : 16);
            auto window = m_harness->StartWindow();
            const QString before = window->DumpViewControl()->PullText();
            // All files, the last entry: by the extension.
            m_harness->m_interaction.QueueFileName(path, bytes8 ? 4 : 6);
            window->Menu()->RunCommand(MainWindowMenu::kCompareCommand);
            QCOMPARE(window->DumpViewControl()->MarkedWords(), expected);
            QCOMPARE(MainWindowHarness::LastLogLine(*window)[1],
                     bytes8 ? QStringLiteral("Compare   3 bytes differ, first at 0000")
                            : QStringLiteral("Compare   3 words differ, first at 0000"));
            QCOMPARE(window->DumpViewControl()->PullText(), before);
            QVERIFY(m_harness->m_interaction.m_messages.isEmpty());

            m_harness->m_interaction.QueueDialog(MainWindowHarness::TypeAndConfirm("1", "0"));
            Click(*window, IDC_EDIT);
            QVERIFY(window->DumpViewControl()->MarkedWords().empty());
        }
    }

    void CompareWithAnUnreadableFileShowsOpensMessageAndMarksNothing()
    {
        WriteFile(QStringLiteral("big.ROM"), "ROM193C66       " + QByteArray(1024, 'F'));
        WriteFile(QStringLiteral("same.ROM"), "ROM193C46       " + QByteArray(256, 'F'));
        auto window = m_harness->StartWindow();
        Click(*window, IDC_93C46);
        const int logLines = window->LogList()->topLevelItemCount();
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("big.ROM")));
        window->Menu()->RunCommand(MainWindowMenu::kCompareCommand);
        QCOMPARE(m_harness->m_interaction.m_messages.size(), 1);
        QCOMPARE(m_harness->m_interaction.m_messages[0].strText,
                 QStringLiteral("The type of the ROM file is 93C66."));
        QVERIFY(window->DumpViewControl()->MarkedWords().empty());
        QCOMPARE(window->LogList()->topLevelItemCount(), logLines);

        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("same.ROM")));
        window->Menu()->RunCommand(MainWindowMenu::kCompareCommand);
        QCOMPARE(MainWindowHarness::LastLogLine(*window)[1],
                 QStringLiteral("Compare   all 64 words match"));
        QVERIFY(window->DumpViewControl()->MarkedWords().empty());
    }

    void OutOfMemoryIsShownAndLosesNothing()
    {
        OutOfMemoryFileSystem fileSystem;
        m_harness->m_files = &fileSystem;
        WriteFile(QStringLiteral("old.ROM"), "old contents");
        auto window = m_harness->StartWindow();
        const QString before = window->DumpViewControl()->PullText();
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("old.ROM")));
        Click(*window, IDC_OPEN);
        m_harness->m_interaction.QueueFileName(m_harness->TempPath(QStringLiteral("old.ROM")));
        Click(*window, IDC_SAVE);
        QCOMPARE(window->DumpViewControl()->PullText(), before);
        QCOMPARE(m_harness->m_interaction.m_messages.size(), 2);
        for (const ScriptedInteraction::Message& message : m_harness->m_interaction.m_messages) {
            QCOMPARE(message.strText, QStringLiteral("Out of memory."));
            QCOMPARE(message.icon, MessageIcon::Warning);
        }
        QFile old(m_harness->TempPath(QStringLiteral("old.ROM")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old contents"));
        QVERIFY(QDir(m_harness->TempPath({}))
                    .entryList({QStringLiteral(".pemrix-save-*")}, QDir::Files | QDir::Hidden)
                    .isEmpty());
    }

    void SaveIntoAMissingFolderReportsTheFileError()
    {
        auto window = m_harness->StartWindow();
        const QString path = m_harness->TempPath(QStringLiteral("no/such/x.ROM"));
        m_harness->m_interaction.QueueFileName(path);
        Click(*window, IDC_SAVE);
        QCOMPARE(m_harness->m_interaction.m_messages.size(), 1);
        QCOMPARE(m_harness->m_interaction.m_messages[0].strText, path + " was not found.");
        QCOMPARE(m_harness->m_interaction.m_messages[0].icon, MessageIcon::Warning);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::ImageCommandTest)
#include "ImageCommandTest.moc"
