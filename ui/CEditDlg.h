#pragma once

#include "ui/HexInputDialog.h"

namespace pemrix {

// Edit: one word of the memory image, changed without touching the chip. After OK both
// texts are four digits long, the data text in upper case, the address text as typed.
class CEditDlg : public HexInputDialog
{
    Q_OBJECT

public:
    CEditDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void OnInputAccepted(const EepromTypeInfo& type) override;
};

} // namespace pemrix
