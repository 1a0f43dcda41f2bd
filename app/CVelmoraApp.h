#pragma once

#include <QApplication>

namespace pemrix {

// The application object: prepares the platform, composes the main window with the real
// seams, runs it, and ends the program when it closes.
class CVelmoraApp : public QApplication
{
    Q_OBJECT

public:
    CVelmoraApp(int& argc, char** argv);

    // Runs the main window to its end; returns the program's exit status.
    int Run();
};

} // namespace pemrix
