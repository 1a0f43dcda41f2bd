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
            {"&About Velmora...", 0x0010},
        };
        const QList<QAction*> actions = m_menu->Menu()->actions();
        QCOMPARE(actions.size(), qsizetype(std::size(expected)));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->isSeparator(), expected[i].command == 0);
            QCOMPARE(actions[i]->text(), QString::fromLatin1(expected[i].text));
            if (!actions[i]->isSeparator())
                QCOMPARE(actions[i]->data().toUInt(), expected[i].command);
        }
    }

    void MinimizeMinimisesTheWindow()
    {
        Item(0)->trigger();
        QVERIFY(m_window->windowState() & Qt::WindowMinimized);
        QCOMPARE(m_window->m_nRejects, 0);
    }

    void CloseEndsThroughCancel()
    {
        QSignalSpy about(m_menu, &MainWindowMenu::AboutRequested);
        Item(1)->trigger();
        QCOMPARE(m_window->m_nRejects, 1);
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(about.count(), 0);
    }

    void AboutIsLeftToTheWindow()
    {
        QSignalSpy about(m_menu, &MainWindowMenu::AboutRequested);
        Item(3)->trigger();
        QCOMPARE(about.count(), 1);
        QVERIFY(m_window->isVisible());
    }

    void CommandsIgnoreTheirLowFourBits_data()
    {
        QTest::addColumn<std::uint32_t>("command");
        QTest::addColumn<int>("abouts");
        QTest::addColumn<int>("rejects");
        QTest::newRow("About 0x0010") << 0x0010u << 1 << 0;
        QTest::newRow("About 0x001F") << 0x001Fu << 1 << 0;
        QTest::newRow("Close 0xF062") << 0xF062u << 0 << 1;
        QTest::newRow("Restore 0xF120") << 0xF120u << 0 << 0;
        QTest::newRow("0x0020") << 0x0020u << 0 << 0;
    }

    void CommandsIgnoreTheirLowFourBits()
    {
        QFETCH(std::uint32_t, command);
        QFETCH(int, abouts);
        QFETCH(int, rejects);
        QSignalSpy about(m_menu, &MainWindowMenu::AboutRequested);
        m_menu->RunCommand(command);
        QCOMPARE(about.count(), abouts);
        QCOMPARE(m_window->m_nRejects, rejects);
        QVERIFY(!(m_window->windowState() & Qt::WindowMinimized));
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
        Item(3)->trigger();
        QTest::mouseClick(m_window->m_about, Qt::LeftButton);
        QCOMPARE(interaction.m_dialogClasses, (QStringList{QStringLiteral("pemrix::CAboutDlg"),
                                                           QStringLiteral("pemrix::CAboutDlg")}));
        QVERIFY(m_window->isVisible());
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::MainWindowMenuTest)
#include "MainWindowMenuTest.moc"
