#include "DarkDesktopPalette.h"

#include <QApplication>
#include <QFont>

#include <array>
#include <utility>

namespace pemrix {

namespace {

// The colours of a common dark desktop theme.
const std::array<std::pair<QPalette::ColorRole, QColor>, 14> kDarkRoles{{
    {QPalette::Window, QColor(53, 53, 53)},
    {QPalette::WindowText, QColor(238, 238, 236)},
    {QPalette::Base, QColor(45, 45, 45)},
    {QPalette::AlternateBase, QColor(60, 60, 60)},
    {QPalette::Text, QColor(238, 238, 236)},
    {QPalette::Button, QColor(60, 60, 60)},
    {QPalette::ButtonText, QColor(238, 238, 236)},
    {QPalette::Light, QColor(80, 80, 80)},
    {QPalette::Midlight, QColor(70, 70, 70)},
    {QPalette::Mid, QColor(40, 40, 40)},
    {QPalette::Dark, QColor(30, 30, 30)},
    {QPalette::Highlight, QColor(21, 83, 158)},
    {QPalette::HighlightedText, QColor(255, 255, 255)},
    {QPalette::PlaceholderText, QColor(160, 160, 160)},
}};

} // namespace

QPalette DarkDesktopPalette()
{
    QPalette palette;
    for (const auto& [role, colour] : kDarkRoles)
        palette.setColor(role, colour);
    return palette;
}

void ApplyDarkDesktop()
{
    QApplication::setPalette(DarkDesktopPalette());
    // A dark GTK theme's interface font is larger than the skin's: 11 points.
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 11));
}

} // namespace pemrix
