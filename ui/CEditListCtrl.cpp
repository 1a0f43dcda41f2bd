#include "CEditListCtrl.h"

#include "ui/CItemEdit.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>

#include <array>
#include <utility>

namespace pemrix {

namespace {

struct WatchColumnSpec
{
    const char* title;
    int width;
};

constexpr std::array<WatchColumnSpec, kWatchColumns> kColumnSpecs{{
    {"Name", 50},
    {"Address", 60},
    {"Type", 40},
    {"Data", 83},
}};

} // namespace

CEditListCtrl::CEditListCtrl(ImageSource image, QWidget* parent)
    : QTreeWidget(parent), m_image(std::move(image)), m_edit(new CItemEdit(*this))
{
    setObjectName(QStringLiteral("watchList"));
    setItemDelegate(m_edit);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    // Rows are never drawn selected: the cells draw their own selection.
    setSelectionMode(QAbstractItemView::NoSelection);
    // Editors open only through the cell rules, never by the view's own triggers.
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    setColumnCount(kWatchColumns);
    header()->setStretchLastSection(false);
    // The columns keep the order of their table; a dragged header would only mislead.
    header()->setSectionsMovable(false);
    for (int column = 0; column < kWatchColumns; ++column) {
        headerItem()->setText(column, QString::fromLatin1(kColumnSpecs[column].title));
        headerItem()->setTextAlignment(column, Qt::AlignCenter);
        header()->resizeSection(column, kColumnSpecs[column].width);
    }
    for (int row = 0; row < kRowCount; ++row) {
        auto* item = new QTreeWidgetItem(this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
    }
}

CEditListCtrl::~CEditListCtrl() = default;

WatchRow CEditListCtrl::Row(int row) const
{
    const QTreeWidgetItem* cells = topLevelItem(row);
    return {cells->text(kWatchName), cells->text(kWatchAddress), cells->text(kWatchType),
            cells->text(kWatchData)};
}

void CEditListCtrl::SetRow(int row, const WatchRow& texts)
{
    QTreeWidgetItem* cells = topLevelItem(row);
    cells->setText(kWatchName, texts.strName);
    cells->setText(kWatchAddress, texts.strAddress);
    cells->setText(kWatchType, texts.strType);
    cells->setText(kWatchData, texts.strData);
}

bool CEditListCtrl::IsCellPressed(int row, int column) const
{
    return m_bMouseDown && row == m_nItem && column == m_nSubItem;
}

void CEditListCtrl::RedrawAll()
{
    viewport()->update();
}

void CEditListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    m_bMouseDown = true;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid()) {
        QTreeWidget::mousePressEvent(event);
        if (m_bCellSelected && hit.row() == m_nItem && hit.column() == m_nSubItem) {
            BeginLabelEdit();
            return;
        }
        m_nItem = hit.row();
        m_nSubItem = hit.column();
        m_bCellSelected = true;
    } else {
        if (state() != QAbstractItemView::EditingState)
            m_bCellSelected = false;
        QTreeWidget::mousePressEvent(event);
    }
    RedrawAll();
}

// The view's own focus handling would make a row current; the cells keep their own state.
void CEditListCtrl::focusInEvent(QFocusEvent*) {}

void CEditListCtrl::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    if (CursorInside() || QApplication::focusWidget() == nullptr)
        return;
    ClearCellState();
    RedrawAll();
}

void CEditListCtrl::BeginLabelEdit()
{
    editItem(topLevelItem(m_nItem), m_nSubItem);
}

void CEditListCtrl::commitData(QWidget* editor)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        m_strCommitted = line->text();
}

void CEditListCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint)
{
    const std::optional<QString> text = std::exchange(m_strCommitted, std::nullopt);
    // Tab and the like would open the next cell's editor; only a second click opens one.
    QTreeWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    EndLabelEdit(text);
}

// The typed text never reaches the cell by itself: a valid text is applied here by the
// column's rule, and anything else leaves the cell as it was before the edit.
void CEditListCtrl::EndLabelEdit(const std::optional<QString>& text)
{
    if (text && m_nItem != -1 && m_nSubItem != -1)
        SetRow(m_nItem, CommitWatchCell(Row(m_nItem), m_nSubItem, *text, m_image()));
    if (!CursorInside())
        ClearCellState();
}

void CEditListCtrl::ClearCellState()
{
    m_nItem = -1;
    m_nSubItem = -1;
    m_bCellSelected = false;
    m_bMouseDown = false;
}

bool CEditListCtrl::CursorInside() const
{
    return rect().contains(mapFromGlobal(QCursor::pos()));
}

} // namespace pemrix
