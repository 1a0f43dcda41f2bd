#include "ui/CPortCombo.h"

namespace pemrix {

void CPortCombo::showPopup()
{
    emit aboutToShowPopup();
    QComboBox::showPopup();
}

} // namespace pemrix
