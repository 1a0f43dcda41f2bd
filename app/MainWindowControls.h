#pragma once

#include "ui/WatchListPlacement.h"

#include <QRect>
#include <QString>

#include <array>

namespace pemrix {

// Identifiers of the main window's controls; the command handlers are bound by these.
enum MainControlId : int
{
    IDC_ABOUT = 1001,
    IDC_93C46 = 1002,
    IDC_93C56 = 1003,
    IDC_93C66 = 1004,
    IDC_93C76 = 1005,
    IDC_93C86 = 1006,
    IDC_OPEN = 1011,
    IDC_SAVE = 1012,
    IDC_DUMP = 1013,
    IDC_PORT = 1014,
    IDC_EXIT = 1016,
    IDC_OPTIONS = 1017,
    IDC_READALL = 1020,
    IDC_WRITEALL = 1021,
    IDC_WRAL = 1022,
    IDC_ERAL = 1023,
    IDC_READ = 1024,
    IDC_WRITE = 1025,
    IDC_ERASE = 1026,
    IDC_WATCH = 1027,
    IDC_EDIT = 1028,
    IDC_INFORMATION = 1035,
    IDC_CLOSE = 1039,
    IDC_MIN = 1040,
    IDC_93C57 = 1042,
    IDC_GROUP_TYPE = 1043,
    IDC_GROUP_COMMANDS = 1045,
    IDC_GROUP_INFORMATION = 1046,
    IDC_LOG = 1047,
    IDC_WATCHLIST = 1053,
    ID_HELP = 57670,
};

// A bitmap button of the main window: its caption (which names its images) and its place.
// The help document's topic for the main window: the help context base plus its template.
inline const QString kMainWindowHelpTopic = QStringLiteral("context-%1").arg(0x20000 + 102, 0, 16);

struct MainButton
{
    int id;
    const char* caption;
    QPoint place;
};

// In keyboard order: the tab stops run through these in this order, with the other
// controls slotted in by the window (see CVelmoraDlg::SetTabOrder).
inline constexpr std::array<MainButton, 23> kMainButtons{{
    {ID_HELP, "Help", {292, 500}},          {IDC_ABOUT, "About", {416, 500}},
    {IDC_93C46, "93C46", {600, 60}},        {IDC_93C56, "93C56", {600, 93}},
    {IDC_93C66, "93C66", {600, 126}},       {IDC_93C76, "93C76", {695, 60}},
    {IDC_93C86, "93C86", {695, 93}},        {IDC_OPEN, "Open", {608, 312}},
    {IDC_SAVE, "Save", {703, 312}},         {IDC_EXIT, "Exit", {538, 500}},
    {IDC_OPTIONS, "Options", {703, 279}},   {IDC_READALL, "ReadAll", {608, 180}},
    {IDC_WRITEALL, "WriteAll", {608, 213}}, {IDC_WRAL, "WRAL", {608, 279}},
    {IDC_ERAL, "ERAL", {608, 246}},         {IDC_READ, "READ", {703, 180}},
    {IDC_WRITE, "WRITE", {703, 213}},       {IDC_ERASE, "ERASE", {703, 246}},
    {IDC_WATCH, "Watch", {703, 345}},       {IDC_EDIT, "Edit", {608, 345}},
    {IDC_CLOSE, "Close", {775, 10}},        {IDC_MIN, "Min", {750, 10}},
    {IDC_93C57, "93C57", {900, 126}},
}};

struct MainGroupBox
{
    int id;
    const char* text;
    QRect rect;
};

inline constexpr std::array<MainGroupBox, 3> kMainGroupBoxes{{
    {IDC_GROUP_TYPE, "EEPROM TYPE", QRect(590, 42, 195, 120)},
    {IDC_GROUP_COMMANDS, "", QRect(590, 163, 195, 218)},
    {IDC_GROUP_INFORMATION, "", QRect(590, 382, 195, 138)},
}};

// Beside the 93C66 button, where a type button would sit.
inline constexpr QRect kOrganisationLabelRect(695, 126, 80, 30);
inline constexpr QRect kPortComboRect(12, 50, 560, 10);
inline constexpr QRect kLogRect(12, 397, 560, 95);
inline constexpr QRect kInformationRect(597, 394, 181, 120);
// The dump view and the watch list share the row beside each other; which of the two
// placements applies depends on whether the watch list is shown.
inline constexpr QRect kDumpShownRect(12, 80, 320, 310);
inline constexpr QRect kWatchShownRect(335, 80, 237, 310);
inline constexpr QRect kDumpHiddenRect(12, 80, 560, 310);
inline constexpr QRect kWatchHiddenRect(1000, 80, 265, 310);
inline constexpr WatchWindowRects kWatchWindowRects{kDumpShownRect, kWatchShownRect,
                                                    kDumpHiddenRect, kWatchHiddenRect};

} // namespace pemrix
