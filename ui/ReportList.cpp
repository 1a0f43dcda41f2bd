#include "ReportList.h"

#include <QHeaderView>
#include <QScrollBar>

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
    // The scroll bars come and go only once the list's layout settles after a row is added,
    // and a horizontal one arriving with the vertical one takes a row's height more: the end
    // a new row scrolled to is kept until the user moves the list himself.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int maximum) {
        if (m_bFollowEnd)
            verticalScrollBar()->setValue(maximum);
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_bFollowEnd = false; });
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
    m_bFollowEnd = scrollToEnd;
    // scrollToBottom lays the new row out first, so the end it scrolls to includes it.
    if (scrollToEnd)
        scrollToBottom();
}

} // namespace pemrix
