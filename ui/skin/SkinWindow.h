#pragma once

#include <QRect>

#include <span>

namespace pemrix {

// Every window of the program; each has its own fixed place, size, frame and title strip.
enum class SkinWindow
{
    Main,
    Read,
    Erase,
    Wral,
    Write,
    Edit,
    Succeeded,
    Failed,
    Options,
    About,
    Progress
};

// One row of the window table.
struct SkinWindowLayout
{
    SkinWindow kind;
    const char* className;
    // Screen position and size; every dialog opens at (100, 100) wherever the main window is.
    QRect window;
    // The frame rectangle's corners (left, top) and (right, bottom), as a GDI rectangle
    // takes them.
    QRect frame;
    // Resource name of the title strip shown at the window's top-left corner.
    const char* titleImage;
    // A double click on the background closes the window as OK would.
    bool closesOnDoubleClick;
};

// All eleven windows, main window first.
std::span<const SkinWindowLayout> SkinWindowLayouts();

const SkinWindowLayout& SkinWindowLayoutOf(SkinWindow kind);

} // namespace pemrix
