#pragma once

#include <QRect>

class QWidget;

namespace pemrix {

class ProfileStore;

// Where the dump view and the watch list sit with the list shown and with it hidden. The
// hidden list lies outside the window, so it still takes every refresh.
struct WatchWindowRects
{
    QRect dumpShown;
    QRect watchShown;
    QRect dumpHidden;
    QRect watchHidden;
};

void PlaceWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                      bool shown);

// The placement "bWatchWindow" asks for.
void PlaceStoredWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                            const ProfileStore& profile);

// The Watch button: shows the list when the dump view has the full width, hides it otherwise,
// and stores the choice.
void ToggleWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                       const ProfileStore& profile);

} // namespace pemrix
