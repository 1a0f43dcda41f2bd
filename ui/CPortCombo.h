#pragma once

#include <QComboBox>

namespace pemrix {

// The main window's port combo: it says when its list is about to drop down, so the owner can
// read the ports again and a USB adapter plugged in since start-up is offered.
class CPortCombo : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void aboutToShowPopup();
};

} // namespace pemrix
