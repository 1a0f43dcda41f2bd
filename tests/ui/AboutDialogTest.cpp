#include "ui/CAboutDlg.h"

#include "ui/ScriptedInteraction.h"

#include <QAbstractButton>
#include <QTest>

namespace pemrix {

class AboutDialogTest : public QObject
{
    Q_OBJECT

private:
    ScriptedInteraction m_interaction;

private slots:
    void init() { m_interaction = ScriptedInteraction(); }

    void LinksOpenThroughTheDesktopAndTheDialogStays_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("url");
        QTest::newRow("web site") << "WebSite"
                                  << "https://www.brantel.example/";
        QTest::newRow("e-mail") << "Email1"
                                << "mailto:support@brantel.example";
    }

    void LinksOpenThroughTheDesktopAndTheDialogStays()
    {
        QFETCH(QString, caption);
        QFETCH(QString, url);
        CAboutDlg dialog(m_interaction);
        dialog.show();
        for (int press = 1; press <= 2; ++press) {
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(caption), Qt::LeftButton);
            QCOMPARE(m_interaction.m_openedUrls.size(), press);
            QCOMPARE(m_interaction.m_openedUrls.last(), QUrl(url));
            QVERIFY(dialog.isVisible());
        }
    }

    void DoubleClickOnTheBackgroundClosesAsOk_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("picture") << "picture_216" << QPoint(100, 30);
        QTest::newRow("surface below the links") << "" << QPoint(20, 160);
        QTest::newRow("title strip") << "titleStrip" << QPoint(50, 15);
    }

    void DoubleClickOnTheBackgroundClosesAsOk()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, point);
        m_interaction.QueueDialog([&target, &point](QDialog& dialog) {
            QWidget* surface = target.isEmpty() ? &dialog : dialog.findChild<QWidget*>(target);
            QVERIFY(surface);
            QTest::mouseDClick(surface, Qt::LeftButton, {}, point);
        });
        CAboutDlg dialog(m_interaction);
        QCOMPARE(m_interaction.RunModal(dialog), int(QDialog::Accepted));
        QVERIFY(m_interaction.m_openedUrls.isEmpty());
    }

    void PressAndDragOnThePictureMovesTheDialog()
    {
        CAboutDlg dialog(m_interaction);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* picture = dialog.findChild<QWidget*>(QStringLiteral("picture_216"));
        const QPoint start(100, 30);
        const QPoint pressedAt = picture->mapToGlobal(start);
        QTest::mousePress(picture, Qt::LeftButton, {}, start);
        for (const QPoint step : {QPoint(10, 5), QPoint(40, 25)})
            QTest::mouseMove(picture, picture->mapFromGlobal(pressedAt + step));
        QTest::mouseRelease(picture, Qt::LeftButton, {},
                            picture->mapFromGlobal(pressedAt + QPoint(40, 25)));
        QCOMPARE(dialog.pos(), QPoint(140, 125));
        QVERIFY(dialog.isVisible());
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::AboutDialogTest)
#include "AboutDialogTest.moc"
