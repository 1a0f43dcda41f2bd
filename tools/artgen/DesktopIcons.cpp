#include "DesktopIcons.h"

#include "ArtPainter.h"

#include <QPainter>
#include <QSvgGenerator>

#include <array>

namespace pemrix {

namespace {

// The sizes of the icon theme's fixed-size folders below the 128 and 256 pixel ones, which
// the window's own icon images give.
constexpr std::array<int, 4> kIconSizes{16, 32, 48, 64};

// The icon is drawn on a 32-pixel grid; any size scales that drawing.
ArtPiece IconPiece(int size)
{
    return {QStringLiteral("pemrix"), QSize(size, size), ArtStyle::Icon, QString()};
}

bool WriteScalableIcon(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("pemrix"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    PaintArtOn(painter, IconPiece(32));
    return painter.end();
}

} // namespace

bool WriteDesktopIcons(const QDir& res)
{
    if (!res.mkpath(QStringLiteral("icons")))
        return false;
    for (const int size : kIconSizes) {
        const QString file = QStringLiteral("icons/pemrix-%1.png").arg(size);
        if (!PaintArt(IconPiece(size), 1).save(res.filePath(file)))
            return false;
    }
    return WriteScalableIcon(res.filePath(QStringLiteral("icons/pemrix.svg")));
}

} // namespace pemrix
