#pragma once

#include "ArtPiece.h"

#include <QImage>

class QPainter;

namespace pemrix {

// The face every image is lettered in; it ships with the build machine's fonts.
inline constexpr char kArtFontFamily[] = "Liberation Sans";

// Paints one image at the given multiple of its logical size (1, or 2 for 200 % screens).
QImage PaintArt(const ArtPiece& piece, int scale);

// Paints one image's drawing in its logical coordinates onto any device, such as a scalable
// vector drawing, with nothing under it.
void PaintArtOn(QPainter& painter, const ArtPiece& piece);

} // namespace pemrix
