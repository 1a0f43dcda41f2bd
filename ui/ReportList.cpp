#include "ReportList.h"

#include <QHeaderView>

namespace pemrix {

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSortingEnabled(false);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ReportList::AddColumn(const QString& title, int width)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, title);
    header()->resizeSection(column, width);
}

void ReportList::AppendRow(const QStringList& texts, bool scrollToEnd)
{
    new QTreeWidgetItem(this, texts);
    // scrollToBottom lays the new row out first, so the end it scrolls to includes it.
    if (scrollToEnd)
        scrollToBottom();
}

} // namespace pemrix
