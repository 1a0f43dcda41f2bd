#include "BackgroundDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace pemrix {

BackgroundDrag::BackgroundDrag(QWidget* window) : QObject(window), m_window(window)
{
    Watch(window);
}

void BackgroundDrag::Watch(QWidget* surface)
{
    if (surface->window() == m_window)
        surface->installEventFilter(this);
}

bool BackgroundDrag::eventFilter(QObject*, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (type == QEvent::MouseMove) {
        if (!m_pressedAt || !(mouse.buttons() & Qt::LeftButton))
            return false;
        Follow(mouse);
        return true;
    }
    if (mouse.button() != Qt::LeftButton)
        return false;
    if (type == QEvent::MouseButtonPress) {
        Press(mouse);
        return true;
    }
    m_pressedAt.reset();
    if (type == QEvent::MouseButtonDblClick)
        emit DoubleClicked();
    return true;
}

void BackgroundDrag::Press(const QMouseEvent& event)
{
    m_pressedAt = event.globalPosition().toPoint();
    m_windowAtPress = m_window->pos();
    m_bFollowing = false;
}

// The system move starts only once the mouse moves, so a plain click or a double click on
// the background still arrives as one.
void BackgroundDrag::Follow(const QMouseEvent& event)
{
    if (!m_bFollowing) {
        QWindow* handle = m_window->windowHandle();
        if (handle && handle->startSystemMove()) {
            m_pressedAt.reset();
            return;
        }
        m_bFollowing = true;
    }
    m_window->move(m_windowAtPress + event.globalPosition().toPoint() - *m_pressedAt);
}

} // namespace pemrix
