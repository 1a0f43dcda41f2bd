#include "CReadDlg.h"

namespace pemrix {

CReadDlg::CReadDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : HexInputDialog(SkinWindow::Read, HexInputFields::Address, kAddressCaption, profile,
                     interaction, parent)
{
}

} // namespace pemrix
