#pragma once

#include "ui/skin/SkinWindow.h"

#include <QPoint>
#include <QRect>

#include <memory>
#include <vector>

class QWidget;

namespace pemrix {

// A stand-in for a window that is not built yet: the skin of its kind with its pictures,
// fields and buttons at their places, so its look can be judged before its logic exists.
struct SampleDialog
{
    struct Image
    {
        const char* name;
        QRect rect;
    };
    struct Field
    {
        QRect rect;
        const char* text;
    };
    struct Button
    {
        const char* caption;
        QPoint pos;
    };

    SkinWindow kind;
    std::vector<Image> images;
    std::vector<Field> fields;
    std::vector<Button> buttons;
    // The result dialogs' centred message; empty for the others.
    const char* message = "";
};

std::unique_ptr<QWidget> MakeSampleDialog(const SampleDialog& sample);

} // namespace pemrix
