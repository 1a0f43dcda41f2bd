#include "ui/skin/CBitmapButton.h"
#include "ui/skin/CSkinDialog.h"
#include "ui/skin/SkinImages.h"

#include <QSignalSpy>
#include <QTest>

namespace pemrix {

namespace {

QImage Pixels(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage ImageNamed(const QString& name)
{
    return Pixels(LoadSkinImage(name, 1.0));
}

enum class ButtonState
{
    Normal,
    Pressed,
    Focused,
    Disabled
};

} // namespace

} // namespace pemrix

Q_DECLARE_METATYPE(pemrix::ButtonState)

namespace pemrix {

class SkinButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void EveryCaptionHasItsImages_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("secondImage");
        const QSize command(64, 27);
        const QSize type(81, 27);
        for (const char* caption : {"OK", "CANCEL", "ReadAll", "WriteAll", "WRAL", "ERAL", "READ",
                                    "WRITE", "ERASE", "Watch", "Edit", "Open", "Save", "Options"})
            QTest::newRow(caption) << caption << command << "D";
        for (const char* caption : {"93C46", "93C56", "93C57", "93C66", "93C76", "93C86"})
            QTest::newRow(caption) << caption << type << "X";
        QTest::newRow("About") << "About" << QSize(51, 24) << "D";
        QTest::newRow("Help") << "Help" << QSize(41, 24) << "D";
        QTest::newRow("Exit") << "Exit" << QSize(36, 24) << "D";
        QTest::newRow("Min") << "Min" << QSize(12, 14) << "D";
        QTest::newRow("Close") << "Close" << QSize(12, 14) << "D";
        QTest::newRow("SELFONT") << "SELFONT" << QSize(74, 27) << "D";
        QTest::newRow("DEFFONT") << "DEFFONT" << QSize(94, 27) << "D";
        QTest::newRow("WebSite") << "WebSite" << QSize(177, 21) << "D";
        QTest::newRow("Email1") << "Email1" << QSize(237, 21) << "D";
    }

    void EveryCaptionHasItsImages()
    {
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QString, secondImage);
        CBitmapButton button(caption);
        QCOMPARE(button.size(), size);
        const QPixmap second = LoadSkinImage(caption + secondImage, 1.0);
        QCOMPARE(second.size(), size);
        const QString absent = secondImage == u'D' ? QStringLiteral("X") : QStringLiteral("D");
        QVERIFY(FindSkinImagePath(caption + absent).isEmpty());
        QVERIFY(FindSkinImagePath(caption + u'F').isEmpty());
        // The double-size image is the same picture at twice the size.
        QCOMPARE(LoadSkinImage(caption + u'U', 2.0).size(), size * 2);
        QCOMPARE(LoadSkinImage(caption + u'U', 2.0).deviceIndependentSize(), QSizeF(size));
    }

    void LookupIgnoresCase_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"OPENU", "OpenU", "openu", "oPeNu"})
            QTest::newRow(name) << name;
    }

    void LookupIgnoresCase()
    {
        QFETCH(QString, name);
        QCOMPARE(FindSkinImagePath(name), QStringLiteral(":/images/OPENU.png"));
        CBitmapButton button(name.chopped(1));
        QCOMPARE(button.size(), QSize(64, 27));
        QCOMPARE(Pixels(button.grab()), ImageNamed(QStringLiteral("OPENU")));
    }

    void UnknownNamesFindNothing()
    {
        QVERIFY(FindSkinImagePath(QStringLiteral("OPENZ")).isEmpty());
        QVERIFY(FindSkinImagePath(QStringLiteral("OPEN")).isEmpty());
        QVERIFY(LoadSkinImage(QStringLiteral("NOSUCHU"), 2.0).isNull());
    }

    void StateChoosesTheImage_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<ButtonState>("state");
        QTest::addColumn<QString>("image");
        QTest::newRow("normal") << "OK" << ButtonState::Normal << "OKU";
        QTest::newRow("pressed") << "OK" << ButtonState::Pressed << "OKD";
        QTest::newRow("focused, no F image") << "OK" << ButtonState::Focused << "OKU";
        QTest::newRow("disabled, no X image") << "OK" << ButtonState::Disabled << "OKU";
        QTest::newRow("selected type") << "93C46" << ButtonState::Disabled << "93C46X";
        QTest::newRow("type pressed, no D image") << "93C46" << ButtonState::Pressed << "93C46U";
        QTest::newRow("type normal") << "93C86" << ButtonState::Normal << "93C86U";
        QTest::newRow("min pressed") << "Min" << ButtonState::Pressed << "MIND";
        QTest::newRow("link pressed") << "WebSite" << ButtonState::Pressed << "WEBSITED";
    }

    void StateChoosesTheImage()
    {
        QFETCH(QString, caption);
        QFETCH(ButtonState, state);
        QFETCH(QString, image);
        CSkinDialog window(SkinWindow::Options);
        CBitmapButton* button = window.AddBitmapButton(caption, QPoint(15, 80));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (state == ButtonState::Pressed)
            button->setDown(true);
        if (state == ButtonState::Focused) {
            button->setFocus();
            QVERIFY(button->hasFocus());
        }
        if (state == ButtonState::Disabled)
            button->setEnabled(false);
        QCOMPARE(Pixels(button->grab()), ImageNamed(image));
    }

    void PressedImageSitsOnePixelLower_data()
    {
        QTest::addColumn<QString>("caption");
        for (const char* caption : {"OK", "CANCEL", "ReadAll", "WriteAll", "WRAL", "ERAL", "READ",
                                    "WRITE", "ERASE", "Watch", "Edit", "Open", "Save", "Options",
                                    "About", "Help", "Exit", "SELFONT", "DEFFONT"})
            QTest::newRow(caption) << caption;
    }

    void PressedImageSitsOnePixelLower()
    {
        QFETCH(QString, caption);
        CBitmapButton button(caption);
        const QImage released = Pixels(button.grab());
        button.setDown(true);
        const QImage pressed = Pixels(button.grab());
        button.setDown(false);
        QCOMPARE(Pixels(button.grab()), released);

        QVERIFY(pressed != released);
        for (int x = 0; x < pressed.width(); ++x)
            QCOMPARE(pressed.pixelColor(x, 0), QColor(Qt::white));
        for (int y = 0; y + 1 < pressed.height(); ++y) {
            for (int x = 0; x < pressed.width(); ++x)
                QCOMPARE(pressed.pixel(x, y + 1), released.pixel(x, y));
        }
    }

    void MouseClickShowsPressedThenClicks()
    {
        CSkinDialog window(SkinWindow::Read);
        CBitmapButton* ok = window.AddBitmapButton(QStringLiteral("OK"), QPoint(15, 80));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicks(ok, &QAbstractButton::clicked);
        QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(Pixels(ok->grab()), ImageNamed(QStringLiteral("OKD")));
        QCOMPARE(clicks.count(), 0);
        QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(Pixels(ok->grab()), ImageNamed(QStringLiteral("OKU")));
        QCOMPARE(clicks.count(), 1);
    }

    void SelectedTypeIgnoresClicks()
    {
        CSkinDialog window(SkinWindow::Main);
        CBitmapButton* type = window.AddBitmapButton(QStringLiteral("93C56"), QPoint(600, 93));
        type->setEnabled(false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicks(type, &QAbstractButton::clicked);
        QTest::mouseClick(type, Qt::LeftButton, {}, QPoint(40, 13));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(Pixels(type->grab()), ImageNamed(QStringLiteral("93C56X")));
    }

    void SpacePressesTabMovesEnterIsLeftToTheWindow()
    {
        CSkinDialog window(SkinWindow::Read);
        CBitmapButton* ok = window.AddBitmapButton(QStringLiteral("OK"), QPoint(15, 80));
        CBitmapButton* cancel = window.AddBitmapButton(QStringLiteral("CANCEL"), QPoint(121, 80));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ok->setFocus();
        QSignalSpy okClicks(ok, &QAbstractButton::clicked);
        QTest::keyClick(ok, Qt::Key_Space);
        QCOMPARE(okClicks.count(), 1);
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(okClicks.count(), 1);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Tab);
        QVERIFY(cancel->hasFocus());
    }
};

int RunSkinButtonTests(int argc, char** argv)
{
    SkinButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace pemrix

#include "SkinButtonTest.moc"
