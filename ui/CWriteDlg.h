#pragma once

#include "ui/HexInputDialog.h"

namespace pemrix {

// WRITE: the address and the value of the word to write.
class CWriteDlg : public HexInputDialog
{
    Q_OBJECT

public:
    CWriteDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent = nullptr);
};

} // namespace pemrix
