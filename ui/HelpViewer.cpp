#include "HelpViewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace pemrix {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Kestrova Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 560);
}

void HelpViewer::ShowTopic(const QString& file, const QString& topic)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setFragment(topic);
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}

} // namespace pemrix
