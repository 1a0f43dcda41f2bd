#pragma once

#include <QString>

namespace pemrix::about {

// The maker's addresses behind the About dialog's two link buttons; the buttons' pictures
// show the same addresses.
inline const QString kWebSiteUrl = QStringLiteral("https://www.brantel.example/");
inline const QString kSupportMailUrl = QStringLiteral("mailto:support@brantel.example");

} // namespace pemrix::about
