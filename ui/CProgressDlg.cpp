#include "CProgressDlg.h"

#include "driver/ResultTexts.h"
#include "driver/CommandProgress.h"
#include "ui/skin/CBitmapButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <array>
#include <utility>

namespace pemrix {

namespace {

constexpr std::array<std::pair<int, const char*>, 7> kCommandNames{{
    {kReadResultKind, "Read"},
    {kWriteResultKind, "Write"},
    {kEraseResultKind, "Erase"},
    {kWralResultKind, "WRAL"},
    {kEralResultKind, "ERAL"},
    {kReadAllResultKind, "ReadAll"},
    {kWriteAllResultKind, "WriteAll"},
}};

QString CommandName(int kind)
{
    for (const auto& [rowKind, name] : kCommandNames) {
        if (rowKind == kind)
            return QString::fromLatin1(name);
    }
    return {};
}

// The title strip's orange on the skin's silver and white.
const QString kBarStyle = QStringLiteral(
    "QProgressBar { border: 2px solid rgb(192, 192, 192); background: white; color: black;"
    " text-align: center; }"
    "QProgressBar::chunk { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,"
    " stop: 0 rgb(255, 165, 77), stop: 1 rgb(255, 214, 174)); }");

} // namespace

CProgressDlg::CProgressDlg(int kind, CommandProgress& progress, std::function<bool()> finished,
                           QWidget* parent)
    : CSkinDialog(SkinWindow::Progress, parent), m_progress(progress),
      m_finished(std::move(finished)), m_count(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_stop(AddBitmapButton(QStringLiteral("STOP"), QPoint(68, 85))), m_timer(new QTimer(this))
{
    auto* command = new QLabel(CommandName(kind), this);
    command->setObjectName(QStringLiteral("command"));
    command->setGeometry(15, 38, 170, 16);
    QFont bold = command->font();
    bold.setBold(true);
    command->setFont(bold);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setGeometry(15, 56, 170, 14);
    m_bar->setTextVisible(false);
    m_bar->setStyleSheet(kBarStyle);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setGeometry(15, 70, 170, 14);
    connect(m_stop, &QAbstractButton::clicked, this, &CProgressDlg::reject);
    // A single-word command (one that waits for a busy port, say) has no word to stop between.
    m_stop->setHidden(progress.WordsInAll() == 0);
    // Stop takes a click or Escape only: a key meant for the main window (Space, Return, the
    // window menu's Alt+Space), which reaches this window where no window manager keeps the
    // focus apart, must never end a half-written chip.
    m_stop->setFocusPolicy(Qt::NoFocus);
    connect(m_timer, &QTimer::timeout, this, &CProgressDlg::Poll);
    m_timer->start(kRefreshMilliseconds);
    Refresh();
}

// Only the timer, which runs inside the dialog's own event loop, may close the dialog: closed
// before that loop starts, the dialog would wait in it for a close that never comes.
void CProgressDlg::Poll()
{
    if (m_finished()) {
        m_timer->stop();
        accept();
        return;
    }
    Refresh();
}

void CProgressDlg::reject()
{
    if (m_stop->isHidden())
        return;
    m_progress.RequestStop();
    m_stop->setEnabled(false);
    Refresh();
}

void CProgressDlg::Refresh()
{
    const std::optional<std::uint32_t> done = m_progress.WordsDone();
    const std::uint32_t all = m_progress.WordsInAll();
    // A driver that reports nothing gets a bar that only says the command is running.
    if (!done || all == 0) {
        m_bar->setRange(0, 0);
        m_count->clear();
    } else {
        m_bar->setRange(0, static_cast<int>(all));
        m_bar->setValue(static_cast<int>(std::min(*done, all)));
        m_count->setText(QStringLiteral("%1 of %2 words").arg(*done).arg(all));
    }
    if (m_progress.StopRequested())
        m_count->setText(QStringLiteral("Stopping..."));
}

} // namespace pemrix
