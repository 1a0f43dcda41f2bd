#pragma once

#include "ui/skin/CSkinDialog.h"

namespace pemrix {

class UserInteraction;

// About: the product picture and two links, one to the maker's web site and one starting a
// mail to its support. A double click on the background closes it; it stores nothing.
class CAboutDlg : public CSkinDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(UserInteraction& interaction, QWidget* parent = nullptr);

    // The one way the main window opens it, from the About button and from the window menu.
    static void Run(UserInteraction& interaction, QWidget* owner);
};

} // namespace pemrix
