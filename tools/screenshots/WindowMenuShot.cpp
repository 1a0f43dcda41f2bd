#include "WindowMenuShot.h"

#include "app/CVelmoraDlg.h"
#include "tools/screenshots/MainWindowShot.h"
#include "ui/MainWindowMenu.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace pemrix {

namespace {

// Inside the frame, so the menu is not pushed in from the screen's edge.
constexpr QPoint kMenuCorner(12, 12);

} // namespace

std::unique_ptr<QWidget> WindowMenuShot()
{
    std::unique_ptr<CVelmoraDlg> window = MainWindowShot(true);
    MainWindowMenu* menu = window->Menu();
    window->show();
    menu->Popup(window->mapToGlobal(kMenuCorner));
    QApplication::processEvents();

    QPixmap picture = window->grab();
    QPainter painter(&picture);
    painter.drawPixmap(menu->Menu()->pos() - window->pos(), menu->Menu()->grab());
    painter.end();
    menu->Menu()->hide();

    auto label = std::make_unique<QLabel>();
    label->setPixmap(picture);
    label->setFixedSize(picture.deviceIndependentSize().toSize());
    return label;
}

} // namespace pemrix
