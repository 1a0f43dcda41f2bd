#pragma once

#include "ui/DumpFontSettings.h"
#include "ui/skin/CSkinDialog.h"

#include <QString>

#include <cstdint>

class QComboBox;
class QLineEdit;

namespace pemrix {

class DumpView;
class ProfileStore;
class UserInteraction;

// Options: a custom parallel-port address and the dump view's font. The dialog stores only
// the custom port, on OK; font changes live in the dialog until the main window takes them
// after OK, and Cancel discards everything.
class COptionsDlg : public CSkinDialog
{
    Q_OBJECT

public:
    COptionsDlg(const ProfileStore& profile, UserInteraction& interaction,
                QWidget* parent = nullptr);

    // The Options command of the main window: runs the dialog and, when it closes with OK,
    // updates the port combo, the stored font and the dump view. Returns the dialog's result.
    static int Run(const ProfileStore& profile, UserInteraction& interaction, QComboBox& portCombo,
                   DumpView& dumpView, QWidget* owner);

    // The main window's part after OK: a non-empty custom port text becomes one more combo
    // entry, even when the same entry is already there; the font is stored and shown at once.
    void ApplyAfterOk(QComboBox& portCombo, DumpView& dumpView) const;

    const QString& CustomPortText() const { return m_strCustomPort; }
    const QString& FontFace() const { return m_font.strFace; }
    // In twentieths of a point.
    std::uint32_t FontSize() const { return m_font.nSizeTwips; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnSelectFont();
    void OnDefaultFont();

    const ProfileStore& m_profile;
    UserInteraction& m_interaction;
    DumpFontSettings m_font;
    QString m_strCustomPort;
    QLineEdit* m_customPortEdit = nullptr;
};

} // namespace pemrix
