#include "MainWindowMenu.h"

#include "ui/skin/SkinPalette.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

namespace pemrix {

namespace {

// A null text is the separator.
struct MenuItem
{
    const char* text;
    std::uint32_t command;
};

constexpr MenuItem kMenuItems[] = {
    {"Mi&nimize", MainWindowMenu::kMinimizeCommand},
    {"&Close", MainWindowMenu::kCloseCommand},
    {nullptr, 0},
    {"&Detect chip type", MainWindowMenu::kDetectTypeCommand},
    {"&8-bit organisation (ORG low)", MainWindowMenu::kOrganisationCommand},
    {"Compare with &file…", MainWindowMenu::kCompareCommand},
    {nullptr, 0},
    {"&About Velmora...", MainWindowMenu::kAboutCommand},
};

constexpr std::uint32_t kCommandMask = 0xFFF0;

} // namespace

MainWindowMenu::MainWindowMenu(QDialog& window)
    : QObject(&window), m_window(window), m_menu(new QMenu(&window))
{
    m_menu->setObjectName(QStringLiteral("windowMenu"));
    // A pop-up is a window of its own and does not inherit the main window's colours.
    m_menu->setPalette(SkinPalette());
    for (const MenuItem& item : kMenuItems) {
        if (!item.text) {
            m_menu->addSeparator();
            continue;
        }
        QAction* action = m_menu->addAction(QString::fromUtf8(item.text));
        action->setData(item.command);
        connect(action, &QAction::triggered, this,
                [this, command = item.command] { RunCommand(command); });
        if (item.command == kOrganisationCommand) {
            action->setCheckable(true);
            m_organisation = action;
        }
    }
    // Alt+Space opens the menu at the window's corner, where a caption's menu would open.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), &window);
    connect(shortcut, &QShortcut::activated, this,
            [this] { Popup(m_window.mapToGlobal(QPoint(0, 0))); });
    window.installEventFilter(this);
}

void MainWindowMenu::Popup(QPoint globalPos)
{
    m_menu->popup(globalPos);
}

void MainWindowMenu::RunCommand(std::uint32_t command)
{
    switch (command & kCommandMask) {
    case kMinimizeCommand:
        m_window.showMinimized();
        break;
    case kCloseCommand:
        m_window.reject();
        break;
    case kAboutCommand:
        emit AboutRequested();
        break;
    case kDetectTypeCommand:
        emit DetectTypeRequested();
        break;
    case kCompareCommand:
        emit CompareRequested();
        break;
    case kOrganisationCommand: {
        // The check mark follows the window's choice, not the click, so it is set back here
        // and the window shows what it chose.
        const bool wanted = !m_bytes8;
        ShowOrganisation(m_bytes8);
        emit OrganisationRequested(wanted);
        break;
    }
    default:
        break;
    }
}

void MainWindowMenu::ShowOrganisation(bool bytes8)
{
    m_bytes8 = bytes8;
    m_organisation->setChecked(bytes8);
}

bool MainWindowMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window || event->type() != QEvent::ContextMenu)
        return false;
    const auto& request = static_cast<const QContextMenuEvent&>(*event);
    if (!IsBackground(request.pos()))
        return false;
    Popup(request.globalPos());
    return true;
}

// The window's surface and its static controls count as background, as for dragging;
// a right click that a control left unanswered is not the window's.
bool MainWindowMenu::IsBackground(QPoint pos) const
{
    QWidget* hit = m_window.childAt(pos);
    if (!hit)
        return true;
    if (hit->parentWidget() != &m_window)
        return false;
    if (qobject_cast<QLabel*>(hit))
        return true;
    const auto* group = qobject_cast<QGroupBox*>(hit);
    return group && !group->isCheckable();
}

} // namespace pemrix
