#include "CEraseDlg.h"

namespace pemrix {

CEraseDlg::CEraseDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : HexInputDialog(SkinWindow::Erase, HexInputFields::Address, kAddressCaption, profile,
                     interaction, parent)
{
}

} // namespace pemrix
