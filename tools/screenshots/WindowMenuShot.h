#pragma once

#include <memory>

class QWidget;

namespace pemrix {

// The main window with its window menu open at its corner, as Alt+Space opens it. The menu
// is a window of its own, so the picture is put together from the two.
std::unique_ptr<QWidget> WindowMenuShot();

} // namespace pemrix
