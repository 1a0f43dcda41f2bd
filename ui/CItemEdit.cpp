#include "CItemEdit.h"

#include "ui/CEditListCtrl.h"

#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace pemrix {

namespace {

// The editor and the highlight start this far into the cell, the text a little further.
constexpr int kEditorIndent = 4;
constexpr int kTextIndent = 6;
// The highlight is the text's width plus this, and this wide for an empty cell.
constexpr int kHighlightMargin = 10;
constexpr int kEmptyHighlightWidth = 41;

QRect HighlightRect(const QRect& cell, int textWidth)
{
    const int left = cell.x() + kEditorIndent;
    const int right = std::min(cell.x() + cell.width(), cell.x() + textWidth + kHighlightMargin);
    return {left, cell.y(), std::max(0, right - left), cell.height()};
}

} // namespace

CItemEdit::CItemEdit(CEditListCtrl& list) : QStyledItemDelegate(&list), m_list(list) {}

QWidget* CItemEdit::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                 const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("itemEdit"));
    return editor;
}

void CItemEdit::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::DisplayRole).toString());
    line->selectAll();
}

void CItemEdit::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                     const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(kEditorIndent, 0, 0, 0));
}

void CItemEdit::paint(QPainter* painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect& cell = option.rect;
    const int textWidth =
        text.isEmpty() ? kEmptyHighlightWidth : option.fontMetrics.horizontalAdvance(text);
    const QRect highlight = HighlightRect(cell, textWidth);

    painter->save();
    QColor textColour = option.palette.color(QPalette::Text);
    if (m_list.IsCellPressed(index.row(), index.column())) {
        if (m_list.IsCellSelected()) {
            textColour = option.palette.color(QPalette::HighlightedText);
            painter->fillRect(highlight, option.palette.color(QPalette::Highlight));
        }
        painter->setPen(QPen(textColour, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(highlight.adjusted(0, 0, -1, -1));
    }
    painter->setPen(textColour);
    const QRect textRect = cell.adjusted(kTextIndent, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

} // namespace pemrix
