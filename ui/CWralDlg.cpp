#include "CWralDlg.h"

#include "core/EepromTypeInfo.h"

namespace pemrix {

CWralDlg::CWralDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent)
    : HexInputDialog(SkinWindow::Wral, HexInputFields::Data, QString(), profile, interaction,
                     parent)
{
}

void CWralDlg::OnInputAccepted(const EepromTypeInfo& type)
{
    m_nWords = type.words;
    m_nRows = type.rows;
}

} // namespace pemrix
