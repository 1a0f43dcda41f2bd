#pragma once

#include "ui/WatchListCellEdit.h"

#include <QTreeWidget>

#include <functional>
#include <optional>
#include <string>

namespace pemrix {

class CItemEdit;

// The watch list (control 1053): twenty fixed rows of Name, Address, Type and Data. The
// first click on a cell selects it, a second click on the same cell opens a single-line
// editor over it, and what is typed is applied by the column's own rule.
class CEditListCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr int kRowCount = 20;
    // The memory image that Address and Type edits read their words from.
    using ImageSource = std::function<const MemoryImage&()>;

    explicit CEditListCtrl(ImageSource image, QWidget* parent = nullptr);
    ~CEditListCtrl() override;

    WatchRow Row(int row) const;
    void SetRow(int row, const WatchRow& texts);

    // Whether the cell is the one the last press went to, and whether it is selected; the
    // cell drawing marks it by these.
    bool IsCellPressed(int row, int column) const;
    bool IsCellSelected() const { return m_bCellSelected; }

public slots:
    // Repaints every cell, for when a list header of the window changed a column.
    void RedrawAll();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void BeginLabelEdit();
    // `text` is empty when the edit was cancelled.
    void EndLabelEdit(const std::optional<QString>& text);
    void ClearCellState();
    bool CursorInside() const;

    ImageSource m_image;
    CItemEdit* m_edit = nullptr;

    int m_nSubItem = -1;
    int m_nItem = -1;
    bool m_bCellSelected = false;
    bool m_bMouseDown = false;

    // Between the editor handing in its text and its closing.
    std::optional<QString> m_strCommitted;
};

} // namespace pemrix
