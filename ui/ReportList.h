#pragma once

#include <QTreeWidget>

namespace pemrix {

// A list in report view: fixed columns, rows only ever appended. The operation log and the
// information list are two of these.
class ReportList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ReportList(QWidget* parent = nullptr);

    void AddColumn(const QString& title, int width);
    // Appends a row; `scrollToEnd` brings it into view.
    void AppendRow(const QStringList& texts, bool scrollToEnd);

private:
    bool m_bFollowEnd = false;
};

} // namespace pemrix
