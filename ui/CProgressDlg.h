#pragma once

#include "ui/skin/CSkinDialog.h"

#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

namespace pemrix {

class CBitmapButton;
class CommandProgress;

// Shown while a long chip command runs: the command's name, the words done out of all and
// Stop. It closes itself once `finished` answers true; Stop (a click, never another key) and
// Escape only ask the driver to stop at the next word, so the dialog never closes before
// the command has ended.
class CProgressDlg : public CSkinDialog
{
    Q_OBJECT

public:
    CProgressDlg(int kind, CommandProgress& progress, std::function<bool()> finished,
                 QWidget* parent = nullptr);

    // How often the dialog looks at the command's progress.
    static constexpr int kRefreshMilliseconds = 40;

public slots:
    void reject() override;

private:
    void Poll();
    void Refresh();

    CommandProgress& m_progress;
    const std::function<bool()> m_finished;
    QLabel* m_count;
    QProgressBar* m_bar;
    CBitmapButton* m_stop;
    QTimer* m_timer;
};

} // namespace pemrix
