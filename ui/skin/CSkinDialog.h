#pragma once

#include "ui/skin/SkinWindow.h"

#include <QDialog>

class QGroupBox;
class QLabel;

namespace pemrix {

class BackgroundDrag;
class CBitmapButton;
class SkinGroupStyle;

// The look every window shares: no system frame, a white surface inside a silver frame,
// the title strip at the top-left corner, bitmap buttons, and dragging by the background.
// Place, size, frame and title come from the window table for the given kind.
class CSkinDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CSkinDialog(SkinWindow kind, QWidget* parent = nullptr);

    // A bitmap button sized by its U image, with its top-left corner at pos.
    CBitmapButton* AddBitmapButton(const QString& caption, QPoint pos);
    // A picture (title strip, field label) showing the named image inside rect.
    QLabel* AddImageLabel(const QString& imageName, const QRect& rect);
    // A group box drawn white inside, as the skin's static controls are.
    QGroupBox* AddGroupBox(const QString& title, const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const SkinWindowLayout& m_layout;
    BackgroundDrag* m_drag;
    SkinGroupStyle* m_groupStyle;
};

} // namespace pemrix
