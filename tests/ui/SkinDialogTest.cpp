#include "ui/skin/CBitmapButton.h"
#include "ui/skin/CSkinDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace pemrix {

namespace {

const QColor kSilver(192, 192, 192);

QLabel* TitleStrip(const CSkinDialog& window)
{
    return window.findChild<QLabel*>(QStringLiteral("titleStrip"));
}

} // namespace

} // namespace pemrix

Q_DECLARE_METATYPE(pemrix::SkinWindow)

namespace pemrix {

class SkinDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void FrameIsAGdiRectangleWithAFourPixelPen_data()
    {
        QTest::addColumn<SkinWindow>("kind");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("topRows");
        // The pen is centred on the outline: a frame starting at y 0 shows only the inner two
        // of its four top rows; left, right and bottom bands are four pixels everywhere.
        QTest::newRow("CVelmoraDlg") << SkinWindow::Main << QSize(800, 530) << 2;
        QTest::newRow("CReadDlg") << SkinWindow::Read << QSize(200, 120) << 4;
        QTest::newRow("CEraseDlg") << SkinWindow::Erase << QSize(200, 120) << 4;
        QTest::newRow("CWralDlg") << SkinWindow::Wral << QSize(200, 120) << 2;
        QTest::newRow("CWriteDlg") << SkinWindow::Write << QSize(200, 160) << 4;
        QTest::newRow("CEditDlg") << SkinWindow::Edit << QSize(200, 160) << 4;
        QTest::newRow("CSucceededDlg") << SkinWindow::Succeeded << QSize(200, 160) << 4;
        QTest::newRow("CFailedDlg") << SkinWindow::Failed << QSize(200, 160) << 4;
        QTest::newRow("COptionsDlg") << SkinWindow::Options << QSize(200, 160) << 4;
        QTest::newRow("CAboutDlg") << SkinWindow::About << QSize(290, 170) << 4;
        QTest::newRow("CProgressDlg") << SkinWindow::Progress << QSize(200, 120) << 4;
    }

    void FrameIsAGdiRectangleWithAFourPixelPen()
    {
        QFETCH(SkinWindow, kind);
        QFETCH(QSize, size);
        QFETCH(int, topRows);
        CSkinDialog window(kind);
        QCOMPARE(window.size(), size);
        TitleStrip(window)->hide();
        // A group box is white inside as well; only its outline is drawn.
        const QRect group(20, 40, 60, 30);
        window.AddGroupBox({}, group);
        const QImage pixels = window.grab().toImage();
        QCOMPARE(pixels.size(), size);
        int wrong = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const bool band =
                    x < 4 || x >= size.width() - 4 || y < topRows || y >= size.height() - 4;
                const bool outline =
                    group.contains(x, y) && !group.adjusted(1, 1, -1, -1).contains(x, y);
                if (!outline && pixels.pixelColor(x, y) != (band ? kSilver : QColor(Qt::white)))
                    ++wrong;
            }
        }
        QCOMPARE(wrong, 0);
    }

    void WralFrameTopIsTwoPixelsAboveRead()
    {
        CSkinDialog read(SkinWindow::Read);
        CSkinDialog wral(SkinWindow::Wral);
        TitleStrip(read)->hide();
        TitleStrip(wral)->hide();
        const QImage readPixels = read.grab().toImage();
        const QImage wralPixels = wral.grab().toImage();
        for (const int y : {2, 3}) {
            QCOMPARE(readPixels.pixelColor(100, y), kSilver);
            QCOMPARE(wralPixels.pixelColor(100, y), QColor(Qt::white));
        }
        QCOMPARE(readPixels.pixelColor(100, 4), QColor(Qt::white));
    }

    void TitleStripSpansTheTopOfEveryWindow()
    {
        for (const SkinWindowLayout& layout : SkinWindowLayouts()) {
            CSkinDialog window(layout.kind);
            const QLabel* strip = TitleStrip(window);
            QVERIFY2(strip, layout.className);
            QCOMPARE(strip->geometry(), QRect(0, 0, layout.window.width(), 34));
            QCOMPARE(strip->pixmap().size(), QSize(layout.window.width(), 34));
            // Silver margin, orange band inside it.
            const QImage image = strip->pixmap().toImage();
            QCOMPARE(image.pixelColor(1, 1), kSilver);
            QCOMPARE(image.pixelColor(layout.window.width() - 2, 32), kSilver);
            QCOMPARE(image.pixelColor(layout.window.width() - 6, 4), QColor(255, 165, 77));
        }
    }

    void EveryWindowOpensAtItsPlace()
    {
        QWidget owner;
        owner.setGeometry(400, 300, 300, 200);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        for (const SkinWindowLayout& layout : SkinWindowLayouts()) {
            const bool main = layout.kind == SkinWindow::Main;
            CSkinDialog window(layout.kind, main ? nullptr : &owner);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.pos(), main ? QPoint(0, 0) : QPoint(100, 100));
            QCOMPARE(window.size(), layout.window.size());
            QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(window.windowType(), main ? Qt::Window : Qt::Dialog);
            QCOMPARE(window.objectName(), QString::fromLatin1(layout.className));
            QVERIFY(!window.windowIcon().isNull());
        }
    }

    void PressAndDragOnTheBackgroundMovesTheWindow_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("movedBy");
        QTest::newRow("background") << "background" << QPoint(30, 20);
        QTest::newRow("title strip") << "titleStrip" << QPoint(30, 20);
        QTest::newRow("field label") << "label_218" << QPoint(30, 20);
        QTest::newRow("group box") << "group" << QPoint(30, 20);
        QTest::newRow("button") << "OK" << QPoint(0, 0);
        QTest::newRow("field") << "field" << QPoint(0, 0);
    }

    void PressAndDragOnTheBackgroundMovesTheWindow()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, movedBy);
        for (const SkinWindow kind : {SkinWindow::Read, SkinWindow::Edit}) {
            CSkinDialog window(kind);
            window.AddImageLabel(QStringLiteral("label_218"), QRect(8, 47, 60, 18));
            window.AddBitmapButton(QStringLiteral("OK"), QPoint(15, 80));
            auto* field = new QLineEdit(&window);
            field->setObjectName(QStringLiteral("field"));
            field->setGeometry(70, 42, 114, 27);
            auto* group = new QGroupBox(&window);
            group->setObjectName(QStringLiteral("group"));
            group->setGeometry(130, 80, 60, 30);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));

            QWidget* surface = target == QStringLiteral("background")
                                   ? &window
                                   : window.findChild<QWidget*>(target);
            QVERIFY(surface);
            const QPoint start =
                target == QStringLiteral("background") ? QPoint(100, 75) : QPoint(5, 5);
            // The mouse travels on the screen, so each step is aimed at a screen point.
            const QPoint pressedAt = surface->mapToGlobal(start);
            const auto moveTo = [surface](QPoint global) {
                QTest::mouseMove(surface, surface->mapFromGlobal(global));
            };
            QTest::mousePress(surface, Qt::LeftButton, {}, start);
            moveTo(pressedAt + QPoint(10, 5));
            moveTo(pressedAt + QPoint(30, 20));
            QTest::mouseRelease(surface, Qt::LeftButton, {},
                                surface->mapFromGlobal(pressedAt + QPoint(30, 20)));
            QCOMPARE(window.pos(), QPoint(100, 100) + movedBy);
            // Once released, the mouse moves alone.
            moveTo(pressedAt + QPoint(60, 60));
            QCOMPARE(window.pos(), QPoint(100, 100) + movedBy);
        }
    }

    void DoubleClickClosesOnlyTheAboutDialog_data()
    {
        QTest::addColumn<SkinWindow>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("About background") << SkinWindow::About << "background" << true;
        QTest::newRow("About picture") << SkinWindow::About << "picture_216" << true;
        QTest::newRow("About title") << SkinWindow::About << "titleStrip" << true;
        QTest::newRow("About link button") << SkinWindow::About << "WebSite" << false;
        QTest::newRow("Read background") << SkinWindow::Read << "background" << false;
    }

    void DoubleClickClosesOnlyTheAboutDialog()
    {
        QFETCH(SkinWindow, kind);
        QFETCH(QString, target);
        QFETCH(bool, closes);
        CSkinDialog window(kind);
        window.AddImageLabel(QStringLiteral("picture_216"), QRect(5, 42, 272, 65));
        window.AddBitmapButton(QStringLiteral("WebSite"), QPoint(75, 140));
        QSignalSpy accepted(&window, &QDialog::accepted);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* surface =
            target == QStringLiteral("background") ? &window : window.findChild<QWidget*>(target);
        QVERIFY(surface);
        const QPoint point =
            target == QStringLiteral("background") ? QPoint(20, 160) : QPoint(10, 10);
        QTest::mouseDClick(surface, Qt::LeftButton, {}, point);
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(accepted.count(), closes ? 1 : 0);
        QCOMPARE(window.pos(), QPoint(100, 100));
    }
};

int RunSkinDialogTests(int argc, char** argv)
{
    SkinDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace pemrix

#include "SkinDialogTest.moc"
