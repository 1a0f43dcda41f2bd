#include "ui/COptionsDlg.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/DumpView.h"
#include "ui/ScriptedInteraction.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace pemrix {

namespace {

// Stands for "the key was never written".
constexpr std::uint32_t kAbsent = 0xDEADBEEF;
const QString kAbsentText = QStringLiteral("<absent>");

const QString kDiscoveredPort = QStringLiteral("Printer Port (LPT1) [0378]");

} // namespace

class OptionsDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProfileStore> m_profile;
    std::unique_ptr<ScriptedInteraction> m_interaction;
    std::unique_ptr<QComboBox> m_portCombo;
    std::unique_ptr<DumpView> m_dumpView;

    std::uint32_t StoredInt(const QString& key) const
    {
        return m_profile->GetProfileInt(profile::kSection, key, kAbsent);
    }
    QString StoredFace() const
    {
        return m_profile->GetProfileString(profile::kSection, profile::kFontFace, kAbsentText);
    }
    void Store(const QString& key, std::uint32_t value) const
    {
        m_profile->WriteProfileInt(profile::kSection, key, value);
    }

    static void Click(QDialog& dialog, const char* caption)
    {
        auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(caption));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static QLineEdit* CustomPortEdit(QDialog& dialog)
    {
        return dialog.findChild<QLineEdit*>(QStringLiteral("customPort"));
    }
    static void Type(QDialog& dialog, const QString& text)
    {
        QLineEdit* edit = CustomPortEdit(dialog);
        QVERIFY(edit);
        edit->clear();
        edit->insert(text);
    }

    // The main window's Options command, with the user's part played by `script`.
    int RunOptions(ScriptedInteraction::DialogScript script)
    {
        m_interaction->QueueDialog(std::move(script));
        return COptionsDlg::Run(*m_profile, *m_interaction, *m_portCombo, *m_dumpView, nullptr);
    }
    int TypeAndPress(const QString& text, const char* button)
    {
        return RunOptions([this, text, button](QDialog& dialog) {
            Type(dialog, text);
            Click(dialog, button);
        });
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_profile = std::make_unique<ProfileStore>(m_dir->filePath(QStringLiteral("pemrix.ini")));
        m_interaction = std::make_unique<ScriptedInteraction>();
        m_portCombo = std::make_unique<QComboBox>();
        m_portCombo->addItem(kDiscoveredPort, 0x378);
        m_portCombo->setCurrentIndex(0);
        m_dumpView = std::make_unique<DumpView>();
        m_dumpView->ApplyDumpFont(profile::kDefaultFontFace, profile::kDefaultFontSize);
    }

    void StoredCustomPortOpensInUpperCaseHex_data()
    {
        QTest::addColumn<std::uint32_t>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0x3BC") << 0x3BCu << "3BC";
        QTest::newRow("no leading zeros") << 0x2Fu << "2F";
        QTest::newRow("beyond four digits") << 0x93C00u << "93C00";
        QTest::newRow("0 is no custom port") << 0u << "";
        QTest::newRow("never stored") << kAbsent << "";
    }

    void StoredCustomPortOpensInUpperCaseHex()
    {
        QFETCH(std::uint32_t, stored);
        QFETCH(QString, shown);
        if (stored != kAbsent)
            Store(profile::kCustomPort, stored);
        COptionsDlg dialog(*m_profile, *m_interaction);
        QCOMPARE(CustomPortEdit(dialog)->text(), shown);
        QCOMPARE(dialog.CustomPortText(), shown);
    }

    void OkStoresOnlyAValidPortYetAppendsEveryTypedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::uint32_t>("stored");
        QTest::addColumn<std::uint32_t>("itemData");
        // An earlier custom port of 0x2F8 stays stored wherever OK stores nothing.
        QTest::newRow("378") << "378" << 888u << 0x378u;
        QTest::newRow("lower case") << "3bc" << 0x3BCu << 0x3BCu;
        QTest::newRow("FFFE is the highest") << "FFFE" << 65534u << 0xFFFEu;
        QTest::newRow("FFFF is refused") << "FFFF" << 0x2F8u << 0xFFFFu;
        QTest::newRow("0 is stored") << "0" << 0u << 0u;
        QTest::newRow("leading zeros") << "00000378" << 888u << 0x378u;
        QTest::newRow("37G") << "37G" << 0x2F8u << 0x37u;
        QTest::newRow("prefix 0x") << "0x378" << 0x2F8u << 0u;
        QTest::newRow("leading space") << " 378" << 0x2F8u << 0x378u;
        QTest::newRow("beyond 32 bits") << "123456789" << 0x2F8u << 0xFFFFFFFFu;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("37\u0669") << 0x2F8u << 0x37u;
    }

    void OkStoresOnlyAValidPortYetAppendsEveryTypedText()
    {
        QFETCH(QString, typed);
        QFETCH(std::uint32_t, stored);
        QFETCH(std::uint32_t, itemData);
        Store(profile::kCustomPort, 0x2F8);
        QCOMPARE(TypeAndPress(typed, "OK"), int(QDialog::Accepted));
        QCOMPARE(StoredInt(profile::kCustomPort), stored);
        QCOMPARE(m_portCombo->count(), 2);
        QCOMPARE(m_portCombo->itemText(1), QStringLiteral("Custom Port: ") + typed);
        QCOMPARE(m_portCombo->itemData(1).toUInt(), itemData);
        QCOMPARE(m_portCombo->currentIndex(), 0);
    }

    void EveryOkWithATextAppendsOneMoreEntry()
    {
        QCOMPARE(TypeAndPress(QStringLiteral("378"), "OK"), int(QDialog::Accepted));
        // The second time the user changes nothing: the field opens with the stored 378.
        QCOMPARE(RunOptions([](QDialog& dialog) { Click(dialog, "OK"); }), int(QDialog::Accepted));
        QCOMPARE(m_portCombo->count(), 3);
        for (const int index : {1, 2}) {
            QCOMPARE(m_portCombo->itemText(index), QStringLiteral("Custom Port: 378"));
            QCOMPARE(m_portCombo->itemData(index).toUInt(), 0x378u);
        }
        QCOMPARE(m_portCombo->currentText(), kDiscoveredPort);
    }

    void EmptyTextStoresAndAppendsNothing()
    {
        Store(profile::kCustomPort, 0x3BC);
        QCOMPARE(TypeAndPress(QString(), "OK"), int(QDialog::Accepted));
        QCOMPARE(StoredInt(profile::kCustomPort), 0x3BCu);
        QCOMPARE(m_portCombo->count(), 1);
        // The font is stored after every OK, also when unchanged.
        QCOMPARE(StoredInt(profile::kFontSize), profile::kDefaultFontSize);
        QCOMPARE(StoredFace(), profile::kDefaultFontFace);
    }

    void EnterInTheFieldIsOk()
    {
        const int result = RunOptions([](QDialog& dialog) {
            Type(dialog, QStringLiteral("278"));
            QTest::keyClick(CustomPortEdit(dialog), Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(StoredInt(profile::kCustomPort), 0x278u);
        QCOMPARE(m_portCombo->count(), 2);
    }

    void SelectFontThenOkStoresAndShowsTheChoice_data()
    {
        QTest::addColumn<QString>("chosenFace");
        QTest::addColumn<int>("chosenTenths");
        QTest::addColumn<QString>("storedFace");
        QTest::addColumn<std::uint32_t>("storedSize");
        const QString longFace(40, QLatin1Char('M'));
        QTest::newRow("Courier New 12 pt") << "Courier New" << 120 << "Courier New" << 240u;
        QTest::newRow("10 pt gives 200") << "DejaVu Sans Mono" << 100 << "DejaVu Sans Mono" << 200u;
        QTest::newRow("empty face") << "" << 110 << "Courier New" << 220u;
        QTest::newRow("long face is cut") << longFace << 90 << longFace.left(31) << 180u;
        QTest::newRow("no size keeps the size") << "Courier New" << -1 << "Courier New" << 300u;
        // Tenths 0 stand for a cancelled chooser here.
        QTest::newRow("cancelled chooser") << "DejaVu Sans Mono" << 0 << "Courier New" << 300u;
    }

    void SelectFontThenOkStoresAndShowsTheChoice()
    {
        QFETCH(QString, chosenFace);
        QFETCH(int, chosenTenths);
        QFETCH(QString, storedFace);
        QFETCH(std::uint32_t, storedSize);
        Store(profile::kFontSize, 300);
        m_interaction->QueueFont(
            chosenTenths == 0 ? std::nullopt : std::optional(FontChoice{chosenFace, chosenTenths}));
        const int result = RunOptions([](QDialog& dialog) {
            Click(dialog, "SELFONT");
            Click(dialog, "OK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(StoredFace(), storedFace);
        QCOMPARE(StoredInt(profile::kFontSize), storedSize);
        QCOMPARE(m_dumpView->font().pointSizeF(), storedSize / 20.0);
        QCOMPARE(m_dumpView->document()->defaultFont().pointSizeF(), storedSize / 20.0);
    }

    void DefaultFontThenOkStoresCourierNewNinePoints()
    {
        m_profile->WriteProfileString(profile::kSection, profile::kFontFace,
                                      QStringLiteral("DejaVu Sans Mono"));
        Store(profile::kFontSize, 300);
        const int result = RunOptions([](QDialog& dialog) {
            Click(dialog, "DEFFONT");
            Click(dialog, "OK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(StoredFace(), QStringLiteral("Courier New"));
        QCOMPARE(StoredInt(profile::kFontSize), 180u);
        QCOMPARE(m_dumpView->font().pointSizeF(), 9.0);
    }

    void StoredLongFaceIsCutBeforeUse()
    {
        const QString longFace(40, QLatin1Char('M'));
        m_profile->WriteProfileString(profile::kSection, profile::kFontFace, longFace);
        COptionsDlg dialog(*m_profile, *m_interaction);
        QCOMPARE(dialog.FontFace(), longFace.left(31));
        QCOMPARE(dialog.FontSize(), 180u);
    }

    void CancelChangesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("CANCEL") << false;
        QTest::newRow("Escape") << true;
    }

    void CancelChangesNothing()
    {
        QFETCH(bool, escape);
        Store(profile::kCustomPort, 0x3BC);
        m_interaction->QueueFont(FontChoice{QStringLiteral("Courier New"), 240});
        const int result = RunOptions([escape](QDialog& dialog) {
            Click(dialog, "SELFONT");
            Click(dialog, "DEFFONT");
            Type(dialog, QStringLiteral("278"));
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                Click(dialog, "CANCEL");
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(StoredInt(profile::kCustomPort), 0x3BCu);
        QCOMPARE(StoredInt(profile::kFontSize), kAbsent);
        QCOMPARE(StoredFace(), kAbsentText);
        QCOMPARE(m_portCombo->count(), 1);
        QCOMPARE(m_dumpView->font().pointSizeF(), 9.0);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::OptionsDialogTest)
#include "OptionsDialogTest.moc"
