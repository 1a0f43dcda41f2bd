#include "ui/HelpViewer.h"

#include "ui/WidgetInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

namespace pemrix {

// The help viewer next to a main window that runs modally. The events go through the window
// system's entry (QWindow), where a modal window blocks the others; events sent straight to
// a widget would pass the block and prove nothing.
class HelpViewerTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_strHelpFile;
    WidgetInteraction m_interaction;
    std::unique_ptr<QDialog> m_main;

    static QList<HelpViewer*> Viewers()
    {
        QList<HelpViewer*> viewers;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible())
                viewers.append(viewer);
        }
        return viewers;
    }

    static HelpViewer* Viewer() { return Viewers().value(0); }

    // Waits for the viewer to be exposed, so the window system delivers events to it.
    HelpViewer* OpenHelp(const QString& topic)
    {
        m_interaction.ShowHelp(m_main.get(), m_strHelpFile, topic);
        HelpViewer* viewer = Viewer();
        if (viewer && !QTest::qWaitForWindowExposed(viewer))
            return nullptr;
        return viewer;
    }

    static QPoint WindowPoint(QWidget* widget, QPoint local)
    {
        return widget->mapTo(widget->window(), local);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_strHelpFile = m_dir.filePath(QStringLiteral("pemrix.html"));
        QFile file(m_strHelpFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray html = "<html><body><h1><a name=\"top\"></a>Top</h1>"
                          "<p><a href=\"#far\">far away</a></p>";
        for (int line = 0; line < 300; ++line)
            html += "<p>filler line</p>";
        html += "<h2><a name=\"far\"></a>Far</h2>";
        for (int line = 0; line < 300; ++line)
            html += "<p>more filler</p>";
        html += "</body></html>";
        file.write(html);
    }

    void init()
    {
        m_main = std::make_unique<QDialog>();
        m_main->setWindowModality(Qt::ApplicationModal);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup() { m_main.reset(); }

    void ScrollsByKeyAndMouseWhileTheMainWindowIsModal()
    {
        HelpViewer* viewer = OpenHelp(QStringLiteral("top"));
        QVERIFY(viewer);
        QWindow* window = viewer->windowHandle();
        QScrollBar* bar = viewer->Browser()->verticalScrollBar();
        const int start = bar->value();
        viewer->Browser()->setFocus();
        QTest::keyClick(window, Qt::Key_PageDown);
        QTRY_VERIFY(bar->value() > start);
        const int byKey = bar->value();
        // A click in the track below the handle pages down.
        const QPoint track(bar->width() / 2, bar->height() - 20);
        QTest::mouseClick(window, Qt::LeftButton, {}, WindowPoint(bar, track));
        QTRY_VERIFY(bar->value() > byKey);
    }

    void FollowsALinkByMouse()
    {
        HelpViewer* viewer = OpenHelp(QStringLiteral("top"));
        QVERIFY(viewer);
        QTextBrowser* browser = viewer->Browser();
        const QTextCursor link = browser->document()->find(QStringLiteral("far away"));
        QVERIFY(!link.isNull());
        QTextCursor middle(link);
        middle.setPosition(link.selectionStart() + 3);
        const QPoint at = browser->cursorRect(middle).center();
        QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {},
                          WindowPoint(browser->viewport(), at));
        QTRY_COMPARE(browser->source().fragment(), QStringLiteral("far"));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
    }

    void ClosesByKeyAndByItsButton()
    {
        for (const bool byKey : {true, false}) {
            const QPointer<HelpViewer> viewer = OpenHelp(QStringLiteral("top"));
            QVERIFY(viewer);
            if (byKey) {
                QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
            } else {
                auto* close = viewer->findChild<QPushButton*>(QStringLiteral("helpClose"));
                QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {},
                                  WindowPoint(close, close->rect().center()));
            }
            QTRY_VERIFY(!viewer);
        }
    }

    void AMissingDocumentIsNamedInsteadOfAnEmptyPage()
    {
        const QString missing = m_dir.filePath(QStringLiteral("gone.html"));
        m_interaction.ShowHelp(m_main.get(), missing, QStringLiteral("top"));
        HelpViewer* viewer = Viewer();
        QVERIFY(viewer);
        QCOMPARE(viewer->Browser()->toPlainText(), HelpViewer::kMissingDocumentText.arg(missing));
        viewer->close();
    }

    void ASecondHelpRaisesTheSameWindowAtTheTopic()
    {
        HelpViewer* first = OpenHelp(QStringLiteral("far"));
        QVERIFY(first);
        first->Browser()->verticalScrollBar()->setValue(0);
        QCOMPARE(OpenHelp(QStringLiteral("far")), first);
        QCOMPARE(Viewers().size(), 1);
        QVERIFY(first->Browser()->verticalScrollBar()->value() > 0);
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::HelpViewerTest)
#include "HelpViewerTest.moc"
