#pragma once

#include <QWidget>

class QTextBrowser;

namespace pemrix {

// A plain window that shows the HTML help document, scrolled to the requested topic.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    void ShowTopic(const QString& file, const QString& topic);

private:
    QTextBrowser* m_browser;
};

} // namespace pemrix
