// Every window as the screenshot renderer draws it, under a dark desktop theme with a larger
// font: wherever a window shows text, the picture must hold dark text on a light ground, and
// the fixed layout must keep all it shows.

#include "tools/screenshots/DarkDesktopPalette.h"
#include "tools/screenshots/ScreenshotTable.h"
#include "ui/skin/SkinLook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <cmath>

namespace pemrix {

namespace {

// Relative luminance as the web's contrast rules define it.
double Luminance(QRgb pixel)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

double Contrast(double lighter, double darker)
{
    return (lighter + 0.05) / (darker + 0.05);
}

// The ground is the commonest colour of the area, the text the pixel that stands out most.
struct AreaColours
{
    double ground = 0;
    double text = 0;
};

AreaColours MeasureArea(const QImage& picture, const QRect& area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[picture.pixel(x, y)];
    }
    QRgb commonest = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(commonest))
            commonest = it.key();
    }
    AreaColours colours{Luminance(commonest), Luminance(commonest)};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double luminance = Luminance(it.key());
        if (std::abs(luminance - colours.ground) > std::abs(colours.text - colours.ground))
            colours.text = luminance;
    }
    return colours;
}

// The part of a widget where it shows text, or an empty rectangle for one without text.
QRect TextArea(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text().isEmpty() ? QRect() : label->rect();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
        return edit->text().isEmpty() ? QRect() : edit->rect().adjusted(2, 2, -2, -2);
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        return group->title().isEmpty()
                   ? QRect()
                   : QRect(0, 0, group->width(), group->fontMetrics().height());
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget))
        return combo->count() == 0 ? QRect() : combo->rect().adjusted(2, 2, -24, -2);
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget))
        return !view->model() || view->model()->rowCount() == 0 ? QRect()
                                                                : view->viewport()->geometry();
    if (qobject_cast<const QPlainTextEdit*>(&widget) || qobject_cast<const QTextEdit*>(&widget))
        return widget.rect().adjusted(2, 2, -20, -20);
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return button->text().isEmpty() ? QRect() : button->rect().adjusted(3, 3, -3, -3);
    return {};
}

} // namespace

class ScreenshotContrastTest : public QObject
{
    Q_OBJECT

private slots:
    // The desktop's theme comes first, then the program's own look, as when it starts.
    void initTestCase()
    {
        ApplyDarkDesktop();
        ApplySkinLook();
    }

    void EveryWindowShowsDarkTextOnALightGround()
    {
        int measured = 0;
        for (const Screenshot& shot : Screenshots()) {
            const std::unique_ptr<QWidget> window = shot.make();
            window->show();
            QApplication::processEvents();
            const QImage picture = window->grab().toImage().scaled(
                window->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            for (const QWidget* widget : window->findChildren<QWidget*>()) {
                const QRect area = TextArea(*widget);
                const QRect inPicture = area.translated(widget->mapTo(window.get(), QPoint()))
                                            .intersected(picture.rect());
                if (!widget->isVisible() || inPicture.isEmpty())
                    continue;
                const AreaColours colours = MeasureArea(picture, inPicture);
                const QString where = shot.fileName + QLatin1Char(' ') + widget->objectName() +
                                      QLatin1Char(' ') + widget->metaObject()->className();
                QVERIFY2(
                    colours.ground > 0.6,
                    qPrintable(where + QStringLiteral(": dark ground %1").arg(colours.ground)));
                QVERIFY2(colours.text < colours.ground,
                         qPrintable(where + QStringLiteral(": text lighter than its ground")));
                QVERIFY2(Contrast(colours.ground, colours.text) >= 4.5,
                         qPrintable(where + QStringLiteral(": contrast %1")
                                                .arg(Contrast(colours.ground, colours.text))));
                ++measured;
            }
        }
        // Labels, fields, lists, the port list and the group titles of all the windows.
        QVERIFY2(measured >= 30, qPrintable(QString::number(measured)));
    }

    // The desktop's larger font would push rows out of the watch list's fixed frame.
    void TheWatchListShowsAllItsRows()
    {
        const std::unique_ptr<QWidget> window = Screenshots().front().make();
        window->show();
        QApplication::processEvents();
        const auto* watch = window->findChild<QAbstractItemView*>(QStringLiteral("watchList"));
        QVERIFY(watch);
        const QAbstractItemModel* rows = watch->model();
        QCOMPARE(rows->rowCount(), 20);
        for (int row = 0; row < rows->rowCount(); ++row)
            QVERIFY2(watch->viewport()->rect().contains(watch->visualRect(rows->index(row, 0))),
                     qPrintable(QString::number(row)));
    }

    // What opens as a window of its own gets the program's look too, not the desktop's.
    void PopupsAndMessageBoxesKeepALightGround()
    {
        const std::unique_ptr<QWidget> window = Screenshots().front().make();
        window->show();
        auto* ports = window->findChild<QComboBox*>(QStringLiteral("portCombo"));
        QVERIFY(ports);
        ports->showPopup();
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Open File Error"),
                        QStringLiteral("The ROM file type is unknown."), QMessageBox::Ok,
                        window.get());
        box.show();
        QApplication::processEvents();
        for (QWidget* popup : {ports->view()->window(), static_cast<QWidget*>(&box)}) {
            const QImage picture = popup->grab().toImage();
            const AreaColours colours = MeasureArea(picture, picture.rect());
            QVERIFY2(colours.ground > 0.6, popup->metaObject()->className());
            QVERIFY2(Contrast(colours.ground, colours.text) >= 4.5,
                     popup->metaObject()->className());
        }
        ports->hidePopup();
    }
};

} // namespace pemrix

QTEST_MAIN(pemrix::ScreenshotContrastTest)
#include "ScreenshotContrastTest.moc"
