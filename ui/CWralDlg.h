#pragma once

#include "ui/HexInputDialog.h"

namespace pemrix {

// WRAL: the value written into every word. Any 1 to 4 digits pass whatever the chip; the
// dialog also hands back the size of the chip selected when OK was pressed.
class CWralDlg : public HexInputDialog
{
    Q_OBJECT

public:
    CWralDlg(const ProfileStore& profile, UserInteraction& interaction, QWidget* parent = nullptr);

    std::uint32_t m_nWords = 0;
    std::uint32_t m_nRows = 0;

protected:
    void OnInputAccepted(const EepromTypeInfo& type) override;
};

} // namespace pemrix
