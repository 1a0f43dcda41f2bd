// Paints every image of the skin anew and writes each at its own size and at twice that
// size (NAME@2x.png, picked by Qt on 200 % screens), plus the resource list embedding them.
// The images are committed; run this by hand after changing the artwork:
//
//     cmake --build build --target pemrix_artgen
//     build/tools/artgen/pemrix_artgen res
//
// It writes res/images/NAME.png and res/images/NAME@2x.png and rewrites res/images.qrc, and
// writes the desktop's icons res/icons/pemrix-N.png and res/icons/pemrix.svg.
// NAME is the resource name: a button's caption in capitals with its state letter (OKU,
// OKD, 93C46X), or a numbered picture as title_198, label_218, picture_216, icon_128.

#include "ArtPainter.h"
#include "ArtPiece.h"
#include "DesktopIcons.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool WriteResourceList(const QString& path, const QStringList& files)
{
    QFile list(path);
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&list);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& file : files)
        out << "    <file>" << file << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pemrix_artgen <res folder>\n");
        return 2;
    }
    // Another face would silently change every image; refuse rather than drift.
    const QString family = QString::fromLatin1(pemrix::kArtFontFamily);
    if (QFontInfo(QFont(family)).family() != family) {
        std::fprintf(stderr, "pemrix_artgen: font \"%s\" is not installed\n",
                     pemrix::kArtFontFamily);
        return 1;
    }
    const QDir res(QString::fromLocal8Bit(argv[1]));
    if (!res.mkpath(QStringLiteral("images"))) {
        std::fprintf(stderr, "pemrix_artgen: cannot create %s/images\n", argv[1]);
        return 1;
    }
    QStringList files;
    for (const pemrix::ArtPiece& piece : pemrix::AllArtPieces()) {
        for (const int scale : {1, 2}) {
            const QString file = QStringLiteral("images/") + piece.name +
                                 (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
            if (!pemrix::PaintArt(piece, scale).save(res.filePath(file))) {
                std::fprintf(stderr, "pemrix_artgen: cannot write %s\n", qPrintable(file));
                return 1;
            }
            files << file;
        }
    }
    if (!pemrix::WriteDesktopIcons(res)) {
        std::fprintf(stderr, "pemrix_artgen: cannot write the icons in %s/icons\n", argv[1]);
        return 1;
    }
    if (!WriteResourceList(res.filePath(QStringLiteral("images.qrc")), files)) {
        std::fprintf(stderr, "pemrix_artgen: cannot write images.qrc\n");
        return 1;
    }
    std::printf("%lld images written to %s\n", static_cast<long long>(files.size()), argv[1]);
    return 0;
}
