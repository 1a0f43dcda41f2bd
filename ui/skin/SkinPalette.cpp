#include "SkinPalette.h"

#include <array>

namespace pemrix {

namespace {

struct RoleColour
{
    QPalette::ColorRole role;
    QColor colour;
};

// The light look of the classic dialog colours the skin was drawn for.
const std::array<RoleColour, 20> kRoles{{
    {QPalette::WindowText, QColor(0, 0, 0)},
    {QPalette::Window, QColor(255, 255, 255)},
    {QPalette::Base, QColor(255, 255, 255)},
    {QPalette::AlternateBase, QColor(246, 246, 246)},
    {QPalette::Text, QColor(0, 0, 0)},
    {QPalette::PlaceholderText, QColor(109, 109, 109)},
    {QPalette::Button, QColor(240, 240, 240)},
    {QPalette::ButtonText, QColor(0, 0, 0)},
    {QPalette::BrightText, QColor(255, 255, 255)},
    {QPalette::Light, QColor(255, 255, 255)},
    {QPalette::Midlight, QColor(227, 227, 227)},
    {QPalette::Mid, QColor(160, 160, 160)},
    {QPalette::Dark, QColor(160, 160, 160)},
    {QPalette::Shadow, QColor(105, 105, 105)},
    {QPalette::Highlight, QColor(0, 95, 184)},
    {QPalette::HighlightedText, QColor(255, 255, 255)},
    {QPalette::Link, QColor(0, 0, 255)},
    {QPalette::LinkVisited, QColor(128, 0, 128)},
    {QPalette::ToolTipBase, QColor(255, 255, 225)},
    {QPalette::ToolTipText, QColor(0, 0, 0)},
}};

// Disabled text is grey on the same white ground.
const QColor kDisabledText(120, 120, 120);

} // namespace

QPalette SkinPalette()
{
    QPalette palette;
    for (const RoleColour& row : kRoles)
        palette.setColor(row.role, row.colour);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    return palette;
}

} // namespace pemrix
