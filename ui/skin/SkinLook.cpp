#include "SkinLook.h"

#include "ui/skin/SkinPalette.h"

#include <QApplication>

namespace pemrix {

QFont SkinFont()
{
    return QFont(QStringLiteral("Sans Serif"), 9);
}

void ApplySkinLook()
{
    // Without a class name these also drop the theme's fonts and palettes for single classes
    // (menus, message boxes, item views), which would otherwise win over the application's.
    QApplication::setPalette(SkinPalette());
    QApplication::setFont(SkinFont());
}

} // namespace pemrix
