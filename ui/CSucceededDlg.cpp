#include "CSucceededDlg.h"

#include "driver/ResultTexts.h"

namespace pemrix {

CSucceededDlg::CSucceededDlg(int kind, std::uint32_t address, std::uint32_t data,
                             unsigned dataDigits, QWidget* parent)
    : ResultDialog(SkinWindow::Succeeded, parent), m_nKind(kind), m_nAddress(address), m_nData(data)
{
    SetMessage(QString::fromStdString(SuccessDialogText(kind, address, data, dataDigits)));
}

} // namespace pemrix
