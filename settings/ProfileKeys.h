#pragma once

#include <QString>

namespace pemrix::profile {

// Every key lives in this one section.
inline const QString kSection = QStringLiteral("2.0");

inline const QString kEepromType = QStringLiteral("EEPROM TYPE");
// 8 for a chip with ORG low (cells of bytes); anything else is the 16-bit organisation.
inline const QString kOrganisation = QStringLiteral("EEPROM ORG");
inline const QString kParallelPort = QStringLiteral("PARALLEL PORT");
inline const QString kCustomPort = QStringLiteral("CUSTOM PORT");
inline const QString kWatchWindow = QStringLiteral("bWatchWindow");
inline const QString kFontSize = QStringLiteral("FONTSIZE1");
inline const QString kFontFace = QStringLiteral("FONTFACENAME1");
inline const QString kWatchName = QStringLiteral("WatchName%1");
inline const QString kWatchAddress = QStringLiteral("WatchAddress%1");
inline const QString kWatchType = QStringLiteral("WatchType%1");

inline constexpr unsigned kOrganisationBytes8 = 8;
inline constexpr unsigned kOrganisationWords16 = 16;
inline constexpr unsigned kDefaultParallelPort = 888;
inline constexpr unsigned kDefaultCustomPort = 0;
inline constexpr unsigned kDefaultWatchWindow = 1;
inline constexpr unsigned kDefaultFontSize = 180;
inline const QString kDefaultFontFace = QStringLiteral("Courier New");

} // namespace pemrix::profile
