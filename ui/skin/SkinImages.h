#pragma once

#include <QPixmap>
#include <QString>

namespace pemrix {

// The skin's images are found by resource name without regard to case, the way a button's
// caption names its images: "Open" + "U" finds OPENU.

// The resource path of the image, or an empty string when there is none.
QString FindSkinImagePath(const QString& name);

// The image drawn for a screen of the given pixel ratio: above 1 the double-size image is
// taken where one exists. A null pixmap when there is no such image.
QPixmap LoadSkinImage(const QString& name, qreal devicePixelRatio);

} // namespace pemrix
