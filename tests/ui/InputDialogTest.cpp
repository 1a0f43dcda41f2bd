#include "ui/HexInputDialog.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/CEditDlg.h"
#include "ui/CEraseDlg.h"
#include "ui/CReadDlg.h"
#include "ui/CWralDlg.h"
#include "ui/CWriteDlg.h"
#include "ui/ScriptedInteraction.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace pemrix {

namespace {

using DialogFactory =
    std::function<std::unique_ptr<HexInputDialog>(const ProfileStore&, UserInteraction&)>;

template <typename Dialog> DialogFactory Make()
{
    return [](const ProfileStore& profile, UserInteraction& interaction) {
        return std::make_unique<Dialog>(profile, interaction);
    };
}

const QString kHexMessage = QStringLiteral("Please type a 4-digit hexadecimal number.(e.g. 002B)");
const QString kRangeMessage = QStringLiteral("Please type a valid address.");

struct AddressDialog
{
    const char* name;
    DialogFactory make;
    const char* caption;
};

const AddressDialog kAddressDialogs[] = {
    {"CReadDlg", Make<CReadDlg>(), "Address Error"},
    {"CEraseDlg", Make<CEraseDlg>(), "Address Error"},
    {"CWriteDlg", Make<CWriteDlg>(), "Address Error"},
    {"CEditDlg", Make<CEditDlg>(), "Address error"},
};

} // namespace

class InputDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProfileStore> m_profile;
    ScriptedInteraction m_interaction;

    std::unique_ptr<HexInputDialog> Open(const DialogFactory& make)
    {
        auto dialog = make(*m_profile, m_interaction);
        dialog->show();
        return dialog;
    }

    // An address dialog with `address` typed, and a valid data word where it has a field.
    std::unique_ptr<HexInputDialog> OpenWithAddress(const DialogFactory& make,
                                                    const QString& address)
    {
        auto dialog = Open(make);
        Type(*dialog, "address", address);
        if (dialog->findChild<QLineEdit*>("data"))
            Type(*dialog, "data", QStringLiteral("1"));
        return dialog;
    }

    static void Type(QDialog& dialog, const char* field, const QString& text)
    {
        QLineEdit* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    static QAbstractButton* Button(QDialog& dialog, const char* caption)
    {
        return dialog.findChild<QAbstractButton*>(QString::fromLatin1(caption));
    }

    static void PressOk(QDialog& dialog)
    {
        QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
    }

    void StoreType(std::uint32_t code)
    {
        m_profile->WriteProfileInt(profile::kSection, profile::kEepromType, code);
    }

    void ExpectOneMessage(const QString& text, const QString& caption)
    {
        QCOMPARE(m_interaction.m_messages.size(), 1);
        QCOMPARE(m_interaction.m_messages[0].strText, text);
        QCOMPARE(m_interaction.m_messages[0].strCaption, caption);
        QCOMPARE(m_interaction.m_messages[0].icon, MessageIcon::None);
        m_interaction.m_messages.clear();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_profile = std::make_unique<ProfileStore>(m_dir->filePath(QStringLiteral("p.ini")));
        m_interaction.m_messages.clear();
    }

    void LayoutOfEveryDialog_data()
    {
        QTest::addColumn<DialogFactory>("make");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("address");
        QTest::addColumn<QRect>("data");
        QTest::addColumn<QPoint>("ok");
        const QRect none;
        const QRect upper(70, 42, 114, 27);
        const QRect lower(70, 82, 114, 27);
        QTest::newRow("CReadDlg") << Make<CReadDlg>() << QSize(200, 120) << upper << none
                                  << QPoint(15, 80);
        QTest::newRow("CEraseDlg")
            << Make<CEraseDlg>() << QSize(200, 120) << upper << none << QPoint(15, 80);
        QTest::newRow("CWralDlg") << Make<CWralDlg>() << QSize(200, 120) << none << upper
                                  << QPoint(15, 80);
        QTest::newRow("CWriteDlg")
            << Make<CWriteDlg>() << QSize(200, 160) << upper << lower << QPoint(15, 120);
        QTest::newRow("CEditDlg") << Make<CEditDlg>() << QSize(200, 160) << upper << lower
                                  << QPoint(15, 120);
    }

    void LayoutOfEveryDialog()
    {
        QFETCH(DialogFactory, make);
        QFETCH(QRect, address);
        QFETCH(QRect, data);
        QFETCH(QPoint, ok);
        auto dialog = Open(make);
        QCOMPARE(dialog->objectName(), QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(dialog->pos(), QPoint(100, 100));
        QTEST(dialog->size(), "size");
        const std::pair<const char*, QRect> fields[] = {{"address", address}, {"data", data}};
        for (const auto& [name, rect] : fields) {
            auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
            QCOMPARE(edit != nullptr, rect.isValid());
            if (edit)
                QCOMPARE(edit->geometry(), rect);
        }
        const std::pair<const char*, QRect> labels[] = {{"label_218", address},
                                                        {"label_219", data}};
        for (const auto& [image, field] : labels) {
            auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(image));
            QCOMPARE(label != nullptr, field.isValid());
            if (label)
                QCOMPARE(label->geometry(), QRect(8, field.y() + 5, 60, 18));
        }
        QCOMPARE(Button(*dialog, "OK")->geometry(), QRect(ok, QSize(64, 27)));
        QCOMPARE(Button(*dialog, "CANCEL")->geometry(), QRect(ok + QPoint(106, 0), QSize(64, 27)));
    }

    void FocusStartsOnOkThenFollowsTheTemplate()
    {
        auto dialog = Open(Make<CWriteDlg>());
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QCOMPARE(QApplication::focusWidget(), Button(*dialog, "OK"));
        const char* const order[] = {"CANCEL", "address", "data", "OK"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
    }

    void MalformedAddressesAreRefused_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("typed");
        const char* const texts[] = {"", "12345", "00 1", "G1"};
        for (int d = 0; d < 4; ++d) {
            for (const char* text : texts)
                QTest::addRow("%s %s", kAddressDialogs[d].name, text) << d << QString(text);
        }
    }

    void MalformedAddressesAreRefused()
    {
        QFETCH(int, dialog);
        QFETCH(QString, typed);
        auto window = OpenWithAddress(kAddressDialogs[dialog].make, typed);
        PressOk(*window);
        ExpectOneMessage(kHexMessage, QString::fromLatin1(kAddressDialogs[dialog].caption));
        QVERIFY(window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(window->findChild<QLineEdit*>("address")->text(), typed);
    }

    void AddressMustLieInTheStoredChip_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<std::uint32_t>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        for (int d = 0; d < 4; ++d) {
            const char* name = kAddressDialogs[d].name;
            QTest::addRow("%s 93C46 3F", name) << d << 1u << "3F" << true;
            QTest::addRow("%s 93C46 40", name) << d << 1u << "40" << false;
            QTest::addRow("%s 93C86 3FF", name) << d << 6u << "3ff" << true;
            QTest::addRow("%s 93C86 400", name) << d << 6u << "400" << false;
            // A stored code outside the table counts as the default 93C56.
            QTest::addRow("%s code 9 7F", name) << d << 9u << "7F" << true;
            QTest::addRow("%s code 9 80", name) << d << 9u << "80" << false;
        }
    }

    void AddressMustLieInTheStoredChip()
    {
        QFETCH(int, dialog);
        QFETCH(std::uint32_t, type);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        auto window = OpenWithAddress(kAddressDialogs[dialog].make, typed);
        // The type counts as it is stored when OK is pressed, not when the dialog opened.
        StoreType(type);
        PressOk(*window);
        QCOMPARE(window->result() == QDialog::Accepted, accepted);
        if (accepted) {
            QVERIFY(m_interaction.m_messages.isEmpty());
            QCOMPARE(window->m_nAddress, typed.toUInt(nullptr, 16));
            QCOMPARE(window->m_nType, type == 9 ? 2u : type);
        } else {
            ExpectOneMessage(kRangeMessage, QString::fromLatin1(kAddressDialogs[dialog].caption));
        }
    }

    void AddressIsReportedBeforeData()
    {
        auto dialog = Open(Make<CWriteDlg>());
        Type(*dialog, "address", QStringLiteral("G1"));
        Type(*dialog, "data", QStringLiteral("12345"));
        PressOk(*dialog);
        ExpectOneMessage(kHexMessage, QStringLiteral("Address Error"));
        Type(*dialog, "address", QStringLiteral("1"));
        PressOk(*dialog);
        ExpectOneMessage(kHexMessage, QStringLiteral("Data error"));
        Type(*dialog, "data", QStringLiteral("beef"));
        PressOk(*dialog);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->m_nData, 0xBEEFu);
    }

    void LowerCaseDigitsAreAccepted()
    {
        auto dialog = Open(Make<CReadDlg>());
        Type(*dialog, "address", QStringLiteral("2b"));
        PressOk(*dialog);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->m_nAddress, 0x2Bu);
        QCOMPARE(dialog->m_strAddress, QStringLiteral("2b"));
        QCOMPARE(dialog->m_nType, 2u);
    }

    void EditNormalisesBothTexts_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("shownAddress");
        QTest::addColumn<QString>("shownData");
        const char* const rows[][4] = {
            {"5", "a", "0005", "000A"},
            {"2b", "Fe1", "002b", "0FE1"},
            {"007F", "ffff", "007F", "FFFF"},
        };
        for (const auto& row : rows)
            QTest::addRow("%s %s", row[0], row[1]) << row[0] << row[1] << row[2] << row[3];
    }

    void EditNormalisesBothTexts()
    {
        QFETCH(QString, address);
        QFETCH(QString, data);
        CEditDlg dialog(*m_profile, m_interaction);
        dialog.show();
        Type(dialog, "address", address);
        Type(dialog, "data", data);
        PressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QTEST(dialog.m_strAddress, "shownAddress");
        QTEST(dialog.m_strData, "shownData");
        QTEST(dialog.findChild<QLineEdit*>("address")->text(), "shownAddress");
        QTEST(dialog.findChild<QLineEdit*>("data")->text(), "shownData");
        QCOMPARE(dialog.m_nAddress, address.toUInt(nullptr, 16));
        QCOMPARE(dialog.m_nData, data.toUInt(nullptr, 16));
    }

    void EditPutsTheCaretAtTheStartOfTheAddress()
    {
        CEditDlg dialog(*m_profile, m_interaction);
        dialog.findChild<QLineEdit*>("address")->setText(QStringLiteral("1234"));
        dialog.show();
        QCOMPARE(dialog.findChild<QLineEdit*>("address")->cursorPosition(), 0);
    }

    void WralHasNoRangeRuleAndGivesTheChipSize_data()
    {
        QTest::addColumn<std::uint32_t>("type");
        QTest::addColumn<std::uint32_t>("words");
        QTest::addColumn<std::uint32_t>("rows");
        QTest::newRow("93C46") << 1u << 64u << 8u;
        QTest::newRow("93C86") << 6u << 1024u << 128u;
        QTest::newRow("code 0 counts as 93C56") << 0u << 128u << 16u;
    }

    void WralHasNoRangeRuleAndGivesTheChipSize()
    {
        QFETCH(std::uint32_t, type);
        StoreType(type);
        CWralDlg dialog(*m_profile, m_interaction);
        dialog.show();
        Type(dialog, "data", QStringLiteral("FFFF"));
        PressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_nData, 0xFFFFu);
        QTEST(dialog.m_nWords, "words");
        QTEST(dialog.m_nRows, "rows");
        QVERIFY(m_interaction.m_messages.isEmpty());
    }

    void WralReportsBadDataWithItsCaption()
    {
        CWralDlg dialog(*m_profile, m_interaction);
        dialog.show();
        Type(dialog, "data", QStringLiteral("1 2"));
        PressOk(dialog);
        ExpectOneMessage(kHexMessage, QStringLiteral("Data error"));
    }

    void EnterInAFieldActsAsOk()
    {
        m_interaction.QueueDialog([](QDialog& dialog) {
            Type(dialog, "address", QStringLiteral("10"));
            QTest::keyClick(dialog.findChild<QLineEdit*>("address"), Qt::Key_Return);
        });
        CEraseDlg dialog(*m_profile, m_interaction);
        QCOMPARE(m_interaction.RunModal(dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.m_nAddress, 0x10u);
    }

    void CancelAndEscapeRejectSilently_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("CANCEL") << false;
        QTest::newRow("Escape") << true;
    }

    void CancelAndEscapeRejectSilently()
    {
        QFETCH(bool, escape);
        for (const AddressDialog& kind : kAddressDialogs) {
            m_interaction.QueueDialog([escape](QDialog& dialog) {
                Type(dialog, "address", QStringLiteral("zz"));
                if (escape)
                    QTest::keyClick(dialog.findChild<QLineEdit*>("address"), Qt::Key_Escape);
                else
                    QTest::mouseClick(Button(dialog, "CANCEL"), Qt::LeftButton);
                QVERIFY(!dialog.isVisible());
            });
            auto dialog = kind.make(*m_profile, m_interaction);
            QCOMPARE(m_interaction.RunModal(*dialog), int(QDialog::Rejected));
            QCOMPARE(m_interaction.m_dialogClasses.last(),
                     "pemrix::" + QString::fromLatin1(kind.name));
        }
        QVERIFY(m_interaction.m_messages.isEmpty());
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::InputDialogTest)
#include "InputDialogTest.moc"
