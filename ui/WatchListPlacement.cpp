#include "WatchListPlacement.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"

#include <QWidget>

namespace pemrix {

void PlaceWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                      bool shown)
{
    dumpView.setGeometry(shown ? rects.dumpShown : rects.dumpHidden);
    watchList.setGeometry(shown ? rects.watchShown : rects.watchHidden);
}

void PlaceStoredWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                            const ProfileStore& profile)
{
    PlaceWatchWindow(dumpView, watchList, rects,
                     profile.GetProfileInt(profile::kSection, profile::kWatchWindow,
                                           profile::kDefaultWatchWindow) != 0);
}

void ToggleWatchWindow(QWidget& dumpView, QWidget& watchList, const WatchWindowRects& rects,
                       const ProfileStore& profile)
{
    const bool show = dumpView.width() == rects.dumpHidden.width();
    PlaceWatchWindow(dumpView, watchList, rects, show);
    profile.WriteProfileInt(profile::kSection, profile::kWatchWindow, show ? 1 : 0);
}

} // namespace pemrix
