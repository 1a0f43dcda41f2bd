// Renders every skinned window offscreen into PNG files, so the skin can be looked at
// without a display: pemrix_screenshots <out-folder>

#include "ScreenshotTable.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pemrix_screenshots <out-folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pemrix_screenshots: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const pemrix::Screenshot& shot : pemrix::Screenshots()) {
        const std::unique_ptr<QWidget> window = shot.make();
        window->show();
        QApplication::processEvents();
        const QString path = out.filePath(shot.fileName);
        if (window->grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "pemrix_screenshots: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
