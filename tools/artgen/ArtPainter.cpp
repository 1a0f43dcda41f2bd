#include "ArtPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <iterator>
#include <utility>

namespace pemrix {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kBandTop(255, 165, 77);
const QColor kBandBottom(255, 214, 174);
const QColor kOrangeEdge(224, 112, 16);
const QColor kOrangeLight(255, 226, 196);
const QColor kOrangeDeep(255, 158, 64);
const QColor kGreyLight(176, 176, 176);
const QColor kGreyDeep(118, 118, 118);
const QColor kGreyEdge(96, 96, 96);
const QColor kLinkText(0, 0, 160);
const QColor kLinkPressed(255, 236, 214);

QFont ArtFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(kArtFontFamily));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLinearGradient VerticalShade(const QRectF& area, const QColor& top, const QColor& bottom)
{
    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    return shade;
}

QRectF Area(const ArtPiece& piece)
{
    return QRectF(QPointF(0, 0), QSizeF(piece.size));
}

void PaintTitleStrip(QPainter& painter, const ArtPiece& piece)
{
    painter.fillRect(Area(piece), kSilver);
    const QRectF band = Area(piece).adjusted(4, 4, -4, -4);
    // The end colours fall on the centres of the band's first and last rows.
    const QRectF centres = band.adjusted(0, 0.5, 0, -0.5);
    painter.fillRect(band, VerticalShade(centres, kBandTop, kBandBottom));
    painter.setFont(ArtFont(17, true));
    painter.setPen(Qt::black);
    painter.drawText(band.adjusted(8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, piece.text);
}

void PaintLabel(QPainter& painter, const ArtPiece& piece)
{
    painter.setFont(ArtFont(12, false));
    painter.setPen(Qt::black);
    painter.drawText(Area(piece).adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     piece.text);
}

void PaintChipSymbol(QPainter& painter, const QRectF& body, int pinsPerSide, qreal pinLength)
{
    const qreal pitch = body.width() / pinsPerSide;
    const qreal pinWidth = pitch * 0.45;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGreyLight);
    for (int pin = 0; pin < pinsPerSide; ++pin) {
        const qreal x = body.left() + pitch * (pin + 0.5) - pinWidth / 2;
        painter.drawRect(QRectF(x, body.top() - pinLength, pinWidth, pinLength));
        painter.drawRect(QRectF(x, body.bottom(), pinWidth, pinLength));
    }
    painter.setBrush(QColor(24, 24, 24));
    painter.drawRoundedRect(body, 2, 2);
    // The notch and the pin-1 dot tell the chip's orientation, as on a real package.
    const qreal notch = body.height() * 0.16;
    painter.setBrush(Qt::white);
    painter.drawPie(QRectF(body.left() - notch, body.center().y() - notch, 2 * notch, 2 * notch),
                    -90 * 16, 180 * 16);
    painter.setBrush(kBandTop);
    const qreal dot = body.height() * 0.09;
    painter.drawEllipse(QPointF(body.left() + pitch * 0.5, body.bottom() - 2.5 * dot), dot, dot);
}

void PaintPicture(QPainter& painter, const ArtPiece& piece)
{
    const QRectF chip(14, 16, 56, 33);
    PaintChipSymbol(painter, chip, 4, 7);
    painter.setFont(ArtFont(10, true));
    painter.setPen(Qt::white);
    painter.drawText(chip.adjusted(6, 0, 0, 0), Qt::AlignCenter, QStringLiteral("93Cxx"));

    painter.setFont(ArtFont(26, true));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(88, 6, 180, 32), Qt::AlignLeft | Qt::AlignVCenter, piece.text);
    const QRectF rule(89, 39, 170, 3);
    painter.fillRect(rule, VerticalShade(rule, kBandTop, kBandBottom));
    painter.setFont(ArtFont(13, false));
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(QRectF(89, 43, 180, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Version 2.0"));
}

// Drawn on a 32-pixel grid and scaled up for the larger desktop icon.
void PaintIcon(QPainter& painter, const ArtPiece& piece)
{
    painter.scale(piece.size.width() / 32.0, piece.size.height() / 32.0);
    PaintChipSymbol(painter, QRectF(3, 8, 26, 16), 3, 5);
}

void PaintCommandButton(QPainter& painter, const ArtPiece& piece)
{
    // The bottom rows stay white so the pressed image can sit one pixel lower.
    const QRectF body(1.5, 1.5, piece.size.width() - 3, piece.size.height() - 4);
    painter.setPen(QPen(kOrangeEdge, 1));
    painter.setBrush(VerticalShade(body, kOrangeLight, kOrangeDeep));
    painter.drawRoundedRect(body, 5, 5);
    painter.setFont(ArtFont(11, true));
    painter.setPen(Qt::black);
    painter.drawText(body, Qt::AlignCenter, piece.text);
}

void PaintTypePill(QPainter& painter, const ArtPiece& piece)
{
    const QRectF body = Area(piece).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(kGreyEdge, 1));
    painter.setBrush(VerticalShade(body, kGreyLight, kGreyDeep));
    painter.drawRoundedRect(body, body.height() / 2, body.height() / 2);
    painter.setFont(ArtFont(13, true));
    painter.setPen(piece.state == ArtState::Selected ? Qt::black : Qt::white);
    painter.drawText(body, Qt::AlignCenter, piece.text);
}

void PaintLettering(QPainter& painter, const ArtPiece& piece)
{
    QPainterPath letters;
    letters.addText(0, 0, ArtFont(16, true), piece.text);
    const QPointF centre = Area(piece).center() - QPointF(0, 0.5);
    letters.translate(centre - letters.boundingRect().center());
    painter.setPen(QPen(kOrangeEdge, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(letters);
}

// Square-cornered: the glyphs sit on the orange title strip, where rounded corners would
// leave white pixels of the image's own ground.
void PaintTitleGlyph(QPainter& painter, const ArtPiece& piece)
{
    const QRectF body = Area(piece).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = piece.state == ArtState::Pressed;
    painter.setPen(QPen(kOrangeEdge.darker(130), 1));
    painter.setBrush(pressed ? VerticalShade(body, kOrangeDeep, kOrangeLight)
                             : VerticalShade(body, kOrangeLight, kOrangeDeep));
    painter.drawRect(body);
    painter.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::FlatCap));
    const QPointF mid = body.center();
    if (piece.text == u'X') {
        painter.drawLine(mid + QPointF(-2.5, -2.5), mid + QPointF(2.5, 2.5));
        painter.drawLine(mid + QPointF(2.5, -2.5), mid + QPointF(-2.5, 2.5));
    } else {
        painter.drawLine(mid + QPointF(-3, 0), mid + QPointF(3, 0));
    }
}

void PaintLink(QPainter& painter, const ArtPiece& piece)
{
    if (piece.state == ArtState::Pressed)
        painter.fillRect(Area(piece), kLinkPressed);
    QFont font = ArtFont(12, false);
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(kLinkText);
    painter.drawText(Area(piece), Qt::AlignCenter, piece.text);
}

using StylePainter = void (*)(QPainter&, const ArtPiece&);

constexpr std::pair<ArtStyle, StylePainter> kStylePainters[] = {
    {ArtStyle::TitleStrip, PaintTitleStrip},
    {ArtStyle::Label, PaintLabel},
    {ArtStyle::Picture, PaintPicture},
    {ArtStyle::Icon, PaintIcon},
    {ArtStyle::CommandButton, PaintCommandButton},
    {ArtStyle::TypePill, PaintTypePill},
    {ArtStyle::Lettering, PaintLettering},
    {ArtStyle::TitleGlyph, PaintTitleGlyph},
    {ArtStyle::Link, PaintLink},
};

// Looked up by index, so the rows must follow the order of ArtStyle.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kStylePainters); ++i) {
        if (static_cast<std::size_t>(kStylePainters[i].first) != i)
            return false;
    }
    return true;
}());

StylePainter PainterFor(ArtStyle style)
{
    return kStylePainters[static_cast<std::size_t>(style)].second;
}

// These styles press by moving the whole picture down; the rest shade their pressed image.
bool PressesByMoving(ArtStyle style)
{
    return style == ArtStyle::CommandButton || style == ArtStyle::Lettering;
}

QImage MovedDown(const QImage& image, int pixels)
{
    QImage moved(image.size(), image.format());
    moved.fill(Qt::white);
    QPainter painter(&moved);
    painter.drawImage(0, pixels, image);
    return moved;
}

} // namespace

QImage PaintArt(const ArtPiece& piece, int scale)
{
    if (piece.state == ArtState::Pressed && PressesByMoving(piece.style)) {
        ArtPiece normal = piece;
        normal.state = ArtState::Normal;
        return MovedDown(PaintArt(normal, scale), scale);
    }
    // The icon keeps a transparent surround; every other image is a plain 24-bit picture.
    const bool transparent = piece.style == ArtStyle::Icon;
    QImage image(piece.size * scale, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    PaintArtOn(painter, piece);
    return image;
}

void PaintArtOn(QPainter& painter, const ArtPiece& piece)
{
    PainterFor(piece.style)(painter, piece);
}

} // namespace pemrix
