#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace pemrix {

// One picture the renderer writes: its file name and the window it shows.
struct Screenshot
{
    QString fileName;
    std::function<std::unique_ptr<QWidget>()> make;
};

std::vector<Screenshot> Screenshots();

} // namespace pemrix
