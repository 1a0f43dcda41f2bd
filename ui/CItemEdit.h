#pragma once

#include <QStyledItemDelegate>

namespace pemrix {

class CEditListCtrl;

// The watch list's cells: opens the single-line editor over the chosen cell, starting with
// the cell's text, and draws every cell with the list's own cell selection.
class CItemEdit : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CItemEdit(CEditListCtrl& list);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const CEditListCtrl& m_list;
};

} // namespace pemrix
