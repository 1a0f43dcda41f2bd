#pragma once

#include <QProxyStyle>

namespace pemrix {

// Group boxes as the skin wants them: white inside, a thin grey outline with the title set
// into its top edge on white. The desktop style's own group box fills its inside with a
// tint that shows as grey on the skin's white ground.
class SkinGroupStyle : public QProxyStyle
{
    Q_OBJECT

public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    static constexpr int kTitleIndent = 6;
};

} // namespace pemrix
