#include "ui/MainWindowMenu.h"

#include "ui/CAboutDlg.h"
#include "ui/ScriptedInteraction.h"
#include "ui/skin/CBitmapButton.h"
#include "ui/skin/CSkinDialog.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace pemrix {

namespace {

// A skinned main window with the pieces the menu meets on it: a static label and a button,
// and a Cancel that is counted, as the real window ends through its own.
class TestWindow : public CSkinDialog
{
public:
    TestWindow() : CSkinDialog(SkinWindow::Main)
    {
        AddImageLabel(QStringLiteral("label_218"), QRect(300, 200, 60, 18));
        m_about = AddBitmapButton(QStringLiteral("About"), QPoint(416, 500));
    }

    void reject() override
    {
        ++m_nRejects;
        CSkinDialog::reject();
    }

    CBitmapButton* m_about;
    int m_nRejects = 0;
};

void RightClick(QWidget& target, QPoint pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target.mapToGlobal(pos));
    QApplication::sendEvent(&target, &event);
}

} // namespace

class MainWindowMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWindow> m_window;
    MainWindowMenu* m_menu = nullptr;

    QAction* Item(int index) const { return m_menu->Menu()->actions().at(index); }

private slots:
    void init()
    {
        m_window = std::make_unique<TestWindow>();
        m_menu = new MainWindowMenu(*m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void ItemsInOrderWithTheirCommands()
    {
        const struct
        {
            const char* text;
            std::uint32_t command;
        } expected[] = {
            {"Mi&nimize", 0xF020},
            {"&Close", 0xF060},
            {"", 0},
            {"&Detect chip type", 0x0020},
            {"&8-bit organisation (ORG low)", 0x0040},
            {"Compare with &file…", 0x0030},
            {"", 0},
            {"&About Velmora...", 0x0010},
        };
        const QList<QAction*> actions = m_menu->Menu()->actions();
        QCOMPARE(actions.size(), qsizetype(std::size(expected)));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->isSeparator(), expected[i].command == 0);
            QCOMPARE(actions[i]->text(), QString::fromUtf8(expected[i].text));
            if (!actions[i]->isSeparator())
                QCOMPARE(actions[i]->data().toUInt(), expected[i].command);
        }
    }

    // A command is run either by triggering the menu item at `item` or, with item -1, by
    // sending `command` as the system would, low four bits and all.
    void CommandsActOnTheWindow_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<std::uint32_t>("command");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<int>("rejects");
        QTest::addColumn<int>("abouts");
        QTest::addColumn<int>("detections");
        QTest::addColumn<int>("compares");
        QTest::addColumn<int>("organisations");
        QTest::newRow("Minimize item") << 0 << 0u << true << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("Close item ends through Cancel")
            << 1 << 0u << false << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("Detect item") << 3 << 0u << false << 0 << 0 << 1 << 0 << 0;
        QTest::newRow("Organisation item") << 4 << 0u << false << 0 << 0 << 0 << 0 << 1;
        QTest::newRow("Compare item") << 5 << 0u << false << 0 << 0 << 0 << 1 << 0;
        QTest::newRow("About item") << 7 << 0u << false << 0 << 1 << 0 << 0 << 0;
        QTest::newRow("About 0x001F") << -1 << 0x001Fu << false << 0 << 1 << 0 << 0 << 0;
        QTest::newRow("Close 0xF062") << -1 << 0xF062u << false << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("Restore 0xF120") << -1 << 0xF120u << false << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("0x0050") << -1 << 0x0050u << false << 0 << 0 << 0 << 0 << 0;
    }

    void CommandsActOnTheWindow()
    {
        QFETCH(int, item);
        QFETCH(std::uint32_t, command);
        QFETCH(bool, minimised);
        QFETCH(int, rejects);
        QFETCH(int, abouts);
        QFETCH(int, detections);
        QFETCH(int, compares);
        QFETCH(int, organisations);
        QSignalSpy organisation(m_menu, &MainWindowMenu::OrganisationRequested);
        QSignalSpy about(m_menu, &MainWindowMenu::AboutRequested);
        QSignalSpy detect(m_menu, &MainWindowMenu::DetectTypeRequested);
        QSignalSpy compare(m_menu, &MainWindowMenu::CompareRequested);
        if (item >= 0)
            Item(item)->trigger();
        else
            m_menu->RunCommand(command);
        QCOMPARE(bool(m_window->windowState() & Qt::WindowMinimized), minimised);
        QCOMPARE(m_window->m_nRejects, rejects);
        QCOMPARE(m_window->isVisible(), rejects == 0);
        QCOMPARE(about.count(), abouts);
        QCOMPARE(detect.count(), detections);
        QCOMPARE(compare.count(), compares);
        QCOMPARE(organisation.count(), organisations);
    }

    // The check mark shows what the window chose, never the click alone: a window that
    // refuses the change keeps the mark where it was.
    void OrganisationItemAsksForTheOtherChoiceAndShowsTheWindows()
    {
        QSignalSpy asked(m_menu, &MainWindowMenu::OrganisationRequested);
        Item(4)->trigger();
        QVERIFY(!Item(4)->isChecked());
        m_menu->ShowOrganisation(true);
        QVERIFY(Item(4)->isChecked());
        Item(4)->trigger();
        QVERIFY(Item(4)->isChecked());
        QCOMPARE(asked.count(), 2);
        QCOMPARE(asked[0][0].toBool(), true);
        QCOMPARE(asked[1][0].toBool(), false);
    }

    void RightClickOpensTheMenuOnlyOnTheBackground_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opens");
        QTest::newRow("surface") << "" << true;
        QTest::newRow("static label") << "label_218" << true;
        QTest::newRow("title strip") << "titleStrip" << true;
        QTest::newRow("button") << "About" << false;
    }

    void RightClickOpensTheMenuOnlyOnTheBackground()
    {
        QFETCH(QString, target);
        QFETCH(bool, opens);
        QWidget* surface =
            target.isEmpty() ? m_window.get() : m_window->findChild<QWidget*>(target);
        QVERIFY(surface);
        const QPoint point = target.isEmpty() ? QPoint(200, 300) : QPoint(5, 5);
        RightClick(*surface, point);
        QCOMPARE(m_menu->Menu()->isVisible(), opens);
        if (opens)
            QCOMPARE(m_menu->Menu()->pos(), surface->mapToGlobal(point));
    }

    void AltSpaceOpensTheMenuAtTheWindowCorner()
    {
        // Away from the screen's edge, where a menu is kept a frame's width inside.
        m_window->move(50, 40);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_Space, Qt::AltModifier);
        QVERIFY(m_menu->Menu()->isVisible());
        QCOMPARE(m_menu->Menu()->pos(), m_window->mapToGlobal(QPoint(0, 0)));
    }

    void AboutFromTheMenuAndFromTheButtonOpenTheSameDialog()
    {
        ScriptedInteraction interaction;
        const auto showAbout = [&interaction, this] {
            CAboutDlg::Run(interaction, m_window.get());
        };
        connect(m_menu, &MainWindowMenu::AboutRequested, m_window.get(), showAbout);
        connect(m_window->m_about, &QAbstractButton::clicked, m_window.get(), showAbout);
        Item(7)->trigger();
        QTest::mouseClick(m_window->m_about, Qt::LeftButton);
        QCOMPARE(interaction.m_dialogClasses, (QStringList{QStringLiteral("pemrix::CAboutDlg"),
                                                           QStringLiteral("pemrix::CAboutDlg")}));
        QVERIFY(m_window->isVisible());
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::MainWindowMenuTest)
#include "MainWindowMenuTest.moc"
