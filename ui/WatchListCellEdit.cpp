#include "WatchListCellEdit.h"

#include "core/DumpText.h"
#include "core/HexText.h"
#include "core/WatchValueFormat.h"

#include <string>

namespace pemrix {

namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// Data in the row's own format, or unchanged when the row's type names no format.
void ShowValue(WatchRow& row, std::uint32_t value)
{
    if (const auto text = FormatWatchValue(value, row.strType.toStdString()))
        row.strData = ToQString(*text);
}

void CommitAddress(WatchRow& row, const QString& typed, const MemoryImage& image)
{
    const std::string upper = ToUpperAscii(typed.toStdString());
    const auto address = ParseHexField(upper);
    if (!address)
        return;
    row.strAddress = ToQString(ZeroPad(upper, 4));
    ShowValue(row, GetImageWord(image, *address));
}

void CommitType(WatchRow& row, const QString& typed, const MemoryImage& image)
{
    const std::string upper = ToUpperAscii(typed.toStdString());
    if (!IsWatchFormatCode(upper))
        return;
    // A row whose old type names no format shows no value to convert, so the new format
    // shows the word the row watches instead.
    const auto value = ParseWatchValue(row.strData.toStdString(), row.strType.toStdString());
    const std::uint32_t shown =
        value ? *value : GetImageWord(image, ParseHexPrefix(row.strAddress.toStdString()));
    row.strType = ToQString(upper);
    ShowValue(row, shown);
}

} // namespace

WatchRow CommitWatchCell(WatchRow row, int column, const QString& typed, const MemoryImage& image)
{
    switch (column) {
    case kWatchName:
        if (!typed.isEmpty())
            row.strName = typed;
        break;
    case kWatchAddress:
        CommitAddress(row, typed, image);
        break;
    case kWatchType:
        CommitType(row, typed, image);
        break;
    default:
        // Data is computed, never typed.
        break;
    }
    return row;
}

} // namespace pemrix
