#pragma once

#include <QObject>
#include <QPoint>

#include <cstdint>

class QDialog;
class QAction;
class QMenu;

namespace pemrix {

// The main window's window menu. The window has no caption to carry one, so the menu opens
// with Alt+Space and with a right click on the window's background. Minimise and Close act
// on the window (Close ends it through Cancel, storing nothing); About, Detect chip type and
// Compare with file are left to the window.
class MainWindowMenu : public QObject
{
    Q_OBJECT

public:
    // The commands as the system menu numbers them.
    static constexpr std::uint32_t kMinimizeCommand = 0xF020;
    static constexpr std::uint32_t kCloseCommand = 0xF060;
    static constexpr std::uint32_t kAboutCommand = 0x0010;
    static constexpr std::uint32_t kDetectTypeCommand = 0x0020;
    static constexpr std::uint32_t kCompareCommand = 0x0030;
    static constexpr std::uint32_t kOrganisationCommand = 0x0040;

    // Hooks the menu to the window, which owns it.
    explicit MainWindowMenu(QDialog& window);

    QMenu* Menu() const { return m_menu; }

    // Shows the menu at a point on the screen and returns at once.
    void Popup(QPoint globalPos);
    // Runs a command of the menu; its low four bits carry no meaning and are ignored, and
    // a command the menu does not know does nothing.
    void RunCommand(std::uint32_t command);
    // The check mark of "8-bit organisation (ORG low)", which shows the organisation chosen.
    void ShowOrganisation(bool bytes8);

signals:
    void AboutRequested();
    void DetectTypeRequested();
    void CompareRequested();
    // The user asked for the other organisation than the one checked.
    void OrganisationRequested(bool bytes8);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsBackground(QPoint pos) const;

    QDialog& m_window;
    QMenu* m_menu;
    QAction* m_organisation = nullptr;
    bool m_bytes8 = false;
};

} // namespace pemrix
