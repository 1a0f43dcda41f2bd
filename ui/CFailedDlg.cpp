#include "CFailedDlg.h"

#include "driver/ResultTexts.h"

namespace pemrix {

CFailedDlg::CFailedDlg(int kind, std::uint32_t errorCode, QWidget* parent)
    : ResultDialog(SkinWindow::Failed, parent), m_nKind(kind), m_nErrorCode(errorCode)
{
    SetMessage(QString::fromStdString(FailureDialogText(kind, errorCode)));
}

} // namespace pemrix
