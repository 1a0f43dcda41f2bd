#pragma once

#include <QWidget>

class QTextBrowser;

namespace pemrix {

// A window of its own that shows the HTML help document, scrolled to the requested topic.
// It is made a child window of the main window: the main window runs modally, and a window
// outside it would be blocked from every click and key until the program ends.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* owner = nullptr);

    void ShowTopic(const QString& file, const QString& topic);

    QTextBrowser* Browser() const { return m_browser; }

    static const QString kMissingDocumentText;

private:
    QTextBrowser* m_browser;
};

} // namespace pemrix
