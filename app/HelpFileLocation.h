#pragma once

#include <QString>

namespace pemrix {

// Where the help document of the program at `executablePath` lies: beside it under its name,
// as in the build tree, or in share/doc/pemrix/ of the tree it was installed into. The
// place beside it when neither holds the document, so the viewer names what is missing.
QString FindHelpFile(const QString& executablePath);

} // namespace pemrix
