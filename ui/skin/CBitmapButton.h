#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace pemrix {

// A push button drawn entirely from images named by its caption: caption + "U" normal,
// "D" pressed, "F" focused, "X" disabled. A missing state image falls back to U. The button
// takes the size of its U image.
//
// Space presses it as any push button; Enter is left to the window, whose own default
// command answers it, because a bitmap button never becomes the default button.
class CBitmapButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CBitmapButton(const QString& caption, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadImages(qreal devicePixelRatio);
    const QPixmap& ImageForState() const;

    qreal m_dLoadedRatio = 0.0;
    QPixmap m_imageUp;
    QPixmap m_imageDown;
    QPixmap m_imageFocus;
    QPixmap m_imageDisabled;
};

} // namespace pemrix
