#include "HelpViewer.h"

#include "ui/skin/SkinPalette.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace pemrix {

const QString HelpViewer::kMissingDocumentText =
    QStringLiteral("The help document %1 is missing. The program looks for it beside itself "
                   "and in share/doc/pemrix/ of the tree it is installed in; install it with "
                   "cmake --install.");

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Kestrova Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The program's colours rather than the desktop's, like every other window of it.
    setPalette(SkinPalette());
    m_browser->setOpenExternalLinks(true);
    // A desktop without a window manager draws no close box, so the window carries its own.
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("helpClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(720, 560);
}

void HelpViewer::ShowTopic(const QString& file, const QString& topic)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(topic);
        m_browser->setSource(url);
    } else {
        // A program copied away from its tree would otherwise show an empty page.
        m_browser->setPlainText(kMissingDocumentText.arg(path));
    }
    show();
    raise();
    activateWindow();
}

} // namespace pemrix
