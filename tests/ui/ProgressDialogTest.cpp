#include "driver/ResultTexts.h"
#include "ui/CProgressDlg.h"
#include "driver/CommandProgress.h"
#include "ui/WidgetInteraction.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <atomic>

namespace pemrix {

// The progress window around a running chip command, with the real modal loop.
class ProgressDialogTest : public QObject
{
    Q_OBJECT

private:
    static QProgressBar* Bar(QDialog& dialog)
    {
        return dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    }
    static QString Count(QDialog& dialog)
    {
        return dialog.findChild<QLabel*>(QStringLiteral("count"))->text();
    }

private slots:
    // A command can end between the wait before the window and the window's own loop.
    void ACommandThatEndedFirstClosesTheWindowAtOnce()
    {
        CommandProgress progress(128);
        CProgressDlg dialog(kReadAllResultKind, progress, [] { return true; });
        constexpr int kHung = 77;
        QTimer::singleShot(3000, &dialog, [&dialog] { dialog.done(kHung); });
        WidgetInteraction().RunProgress(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // A single-word command that takes long (a port another client holds) cannot be stopped:
    // no Stop, and Escape asks nothing.
    void ASingleWordCommandOffersNoStop()
    {
        CommandProgress progress(0);
        CProgressDlg dialog(kReadResultKind, progress, [] { return false; });
        dialog.show();
        QVERIFY(!dialog.findChild<QAbstractButton*>(QStringLiteral("STOP"))->isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!progress.StopRequested());
        QVERIFY(dialog.isVisible());
    }

    // Stop only asks: the window stays until the command has ended, and says it is stopping.
    // A driver that reports no words gets a bar that only shows that the command runs.
    void StopAsksTheDriverAndWaitsForTheEnd()
    {
        CommandProgress progress(2048);
        std::atomic<bool> finished = false;
        CProgressDlg dialog(kWriteAllResultKind, progress, [&finished] { return finished.load(); });
        dialog.show();
        QCOMPARE(Bar(dialog)->maximum(), 0);
        QCOMPARE(Count(dialog), QString());

        QVERIFY(progress.BeforeWord(700, 1024));
        QTRY_COMPARE(Bar(dialog)->value(), 700);
        QCOMPARE(Count(dialog), QStringLiteral("700 of 2048 words"));
        QVERIFY(progress.BeforeWord(0, 1024));
        QTRY_COMPARE(Count(dialog), QStringLiteral("1024 of 2048 words"));

        auto* stop = dialog.findChild<QAbstractButton*>(QStringLiteral("STOP"));
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(!stop->isEnabled());
        QCOMPARE(Count(dialog), QStringLiteral("Stopping..."));
        QVERIFY(dialog.isVisible());
        QVERIFY(!progress.BeforeWord(3, 1024));
        QCOMPARE(progress.StoppedAt(), std::optional<std::uint32_t>(3));
        finished = true;
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::ProgressDialogTest)
#include "ProgressDialogTest.moc"
