#pragma once

#include <QSize>
#include <QString>

#include <vector>

namespace pemrix {

// How an image is painted; each style is one look of the skin.
enum class ArtStyle
{
    TitleStrip,
    Label,
    Picture,
    Icon,
    CommandButton,
    TypePill,
    Lettering,
    TitleGlyph,
    Link,
};

// Which of a button's images this is. Pressed images of the command buttons and lettering
// are their normal image moved down a pixel; the others change their shading.
enum class ArtState
{
    Normal,
    Pressed,
    Selected
};

// One image file: its resource name, size in logical pixels, look and drawn text.
struct ArtPiece
{
    QString name;
    QSize size;
    ArtStyle style;
    QString text;
    ArtState state = ArtState::Normal;
};

// Every image the skin uses, in the order they are written.
std::vector<ArtPiece> AllArtPieces();

} // namespace pemrix
