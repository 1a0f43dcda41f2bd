#include "CWriteDlg.h"

namespace pemrix {

CWriteDlg::CWriteDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : HexInputDialog(SkinWindow::Write, HexInputFields::AddressAndData, kAddressCaption, profile,
                     interaction, parent)
{
}

} // namespace pemrix
