#pragma once

#include "ui/HexInputDialog.h"

namespace pemrix {

// READ: the address of the word to read.
class CReadDlg : public HexInputDialog
{
    Q_OBJECT

public:
    CReadDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent = nullptr);
};

} // namespace pemrix
