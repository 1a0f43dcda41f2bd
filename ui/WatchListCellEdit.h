#pragma once

#include "core/MemoryImage.h"

#include <QString>

#include <string_view>

namespace pemrix {

// The watch list's columns, in display order.
enum WatchColumn : int
{
    kWatchName = 0,
    kWatchAddress,
    kWatchType,
    kWatchData,
    kWatchColumns
};

// The four texts of one watch row.
struct WatchRow
{
    QString strName;
    QString strAddress;
    QString strType;
    QString strData;

    bool operator==(const WatchRow&) const = default;
};

// The row after the user typed `typed` into `column` and pressed Enter. Every invalid text
// leaves the row as it was; a valid Address or Type also recomputes Data, reading words from
// the image `image`.
WatchRow CommitWatchCell(WatchRow row, int column, const QString& typed, const MemoryImage& image);

} // namespace pemrix
