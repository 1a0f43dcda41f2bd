#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

namespace pemrix {

// Moves a caption-less window while the left button is held on its background: the window
// itself or a static control on it (a label, a group box). Where the platform can move
// windows itself the system move takes over; elsewhere the window follows the mouse.
class BackgroundDrag : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundDrag(QWidget* window);

    // Lets presses on this widget move the window; ignored for widgets of other windows.
    void Watch(QWidget* surface);

signals:
    void DoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Press(const QMouseEvent& event);
    void Follow(const QMouseEvent& event);

    QWidget* m_window;
    std::optional<QPoint> m_pressedAt;
    QPoint m_windowAtPress;
    bool m_bFollowing = false;
};

} // namespace pemrix
