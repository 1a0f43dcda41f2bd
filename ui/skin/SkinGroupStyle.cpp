#include "SkinGroupStyle.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace pemrix {

// The title sits a little inside the outline's corner, which stays drawn.
QRect SkinGroupStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl part, const QWidget* widget) const
{
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control == CC_GroupBox && part == SC_GroupBoxLabel)
        return rect.translated(kTitleIndent, 0);
    return rect;
}

void SkinGroupStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const
{
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !group || !(group->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QRect frame = subControlRect(CC_GroupBox, group, SC_GroupBoxFrame, widget);
    const QRect label = subControlRect(CC_GroupBox, group, SC_GroupBoxLabel, widget);
    if (!group->text.isEmpty())
        frame.setTop(label.center().y());
    painter->save();
    painter->fillRect(frame, group->palette.color(QPalette::Window));
    painter->setPen(group->palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame.adjusted(0, 0, -1, -1));
    if (!group->text.isEmpty()) {
        const QRect gap = label.adjusted(-2, 0, 2, 0).intersected(frame.adjusted(1, 0, -1, 0));
        painter->fillRect(gap, group->palette.color(QPalette::Window));
    }
    painter->restore();

    QStyleOptionGroupBox rest(*group);
    rest.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &rest, painter, widget);
}

} // namespace pemrix
