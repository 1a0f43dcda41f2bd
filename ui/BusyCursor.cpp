#include "BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace pemrix {

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace pemrix
