#include "CBitmapButton.h"

#include "ui/skin/SkinImages.h"

#include <QPainter>

namespace pemrix {

CBitmapButton::CBitmapButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    setText(caption);
    setObjectName(caption);
    setFocusPolicy(Qt::StrongFocus);
    LoadImages(devicePixelRatioF());
    setFixedSize(sizeHint());
}

QSize CBitmapButton::sizeHint() const
{
    return m_imageUp.deviceIndependentSize().toSize();
}

void CBitmapButton::LoadImages(qreal devicePixelRatio)
{
    m_imageUp = LoadSkinImage(text() + u'U', devicePixelRatio);
    m_imageDown = LoadSkinImage(text() + u'D', devicePixelRatio);
    m_imageFocus = LoadSkinImage(text() + u'F', devicePixelRatio);
    m_imageDisabled = LoadSkinImage(text() + u'X', devicePixelRatio);
    m_dLoadedRatio = devicePixelRatio;
}

const QPixmap& CBitmapButton::ImageForState() const
{
    if (isDown() && !m_imageDown.isNull())
        return m_imageDown;
    if (hasFocus() && !m_imageFocus.isNull())
        return m_imageFocus;
    if (!isEnabled() && !m_imageDisabled.isNull())
        return m_imageDisabled;
    return m_imageUp;
}

void CBitmapButton::paintEvent(QPaintEvent*)
{
    // A window moved to a screen of another pixel ratio gets the images made for it.
    if (devicePixelRatioF() != m_dLoadedRatio)
        LoadImages(devicePixelRatioF());
    QPainter painter(this);
    painter.drawPixmap(0, 0, ImageForState());
}

} // namespace pemrix
