#pragma once

#include "ui/ResultDialog.h"

#include <cstdint>

namespace pemrix {

// Closes every successful chip command; READ, WRITE and ERASE also show address and data.
class CSucceededDlg : public ResultDialog
{
    Q_OBJECT

public:
    // The data shows with `dataDigits` digits: two for an 8-bit cell.
    CSucceededDlg(int kind, std::uint32_t address, std::uint32_t data, unsigned dataDigits = 4,
                  QWidget* parent = nullptr);

    const int m_nKind;
    const std::uint32_t m_nAddress;
    const std::uint32_t m_nData;
};

} // namespace pemrix
