#pragma once

#include "ui/HexInputDialog.h"

namespace pemrix {

// ERASE: the address of the word to erase.
class CEraseDlg : public HexInputDialog
{
    Q_OBJECT

public:
    CEraseDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent = nullptr);
};

} // namespace pemrix
