#pragma once

#include "ui/ResultDialog.h"

#include <cstdint>

namespace pemrix {

// Closes every failed chip command with the code of the failed step.
class CFailedDlg : public ResultDialog
{
    Q_OBJECT

public:
    CFailedDlg(int kind, std::uint32_t errorCode, QWidget* parent = nullptr);

    const int m_nKind;
    const std::uint32_t m_nErrorCode;
};

} // namespace pemrix
