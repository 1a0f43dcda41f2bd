// Renders every skinned window offscreen into PNG files, so the skin can be looked at
// without a display: pemrix_screenshots [--dark] <out-folder>. With --dark the application
// gets a dark desktop theme's palette and font first, to show that the windows keep their
// own colours and metrics, which the program sets over the desktop's as it starts.

#include "DarkDesktopPalette.h"
#include "ScreenshotTable.h"
#include "ui/skin/SkinLook.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool dark = argc == 3 && std::strcmp(argv[1], "--dark") == 0;
    if (argc != 2 && !dark) {
        std::fprintf(stderr, "usage: pemrix_screenshots [--dark] <out-folder>\n");
        return 2;
    }
    if (dark)
        pemrix::ApplyDarkDesktop();
    pemrix::ApplySkinLook();
    const char* const folder = argv[argc - 1];
    const QDir out(QString::fromLocal8Bit(folder));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pemrix_screenshots: cannot create %s\n", folder);
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
