#include "WatchListRows.h"

#include "core/HexText.h"
#include "core/WatchValueFormat.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/CEditListCtrl.h"

#include <optional>
#include <string>

namespace pemrix {

namespace {

struct RowKeys
{
    QString strName;
    QString strAddress;
    QString strType;
};

RowKeys KeysOfRow(int row)
{
    return {profile::kWatchName.arg(row), profile::kWatchAddress.arg(row),
            profile::kWatchType.arg(row)};
}

// A row whose type names no format keeps its Data as it is.
void SetData(CEditListCtrl& list, int row, const std::optional<std::string>& text)
{
    if (!text)
        return;
    WatchRow texts = list.Row(row);
    texts.strData = QString::fromStdString(*text);
    list.SetRow(row, texts);
}

std::string TypeOf(const CEditListCtrl& list, int row)
{
    return list.Row(row).strType.toStdString();
}

} // namespace

void LoadWatchRows(CEditListCtrl& list, const ProfileStore& profile)
{
    for (int row = 0; row < CEditListCtrl::kRowCount; ++row) {
        const RowKeys keys = KeysOfRow(row);
        list.SetRow(
            row,
            {profile.GetProfileString(profile::kSection, keys.strName, keys.strName),
             profile.GetProfileString(profile::kSection, keys.strAddress, QStringLiteral("0000")),
             profile.GetProfileString(profile::kSection, keys.strType, QStringLiteral("H")),
             QString()});
    }
    ResetWatchData(list);
}

void SaveWatchRows(const CEditListCtrl& list, const ProfileStore& profile)
{
    for (int row = 0; row < CEditListCtrl::kRowCount; ++row) {
        const RowKeys keys = KeysOfRow(row);
        const WatchRow texts = list.Row(row);
        profile.WriteProfileString(profile::kSection, keys.strName, texts.strName);
        profile.WriteProfileString(profile::kSection, keys.strAddress, texts.strAddress);
        profile.WriteProfileString(profile::kSection, keys.strType, texts.strType);
    }
}

void ResetWatchData(CEditListCtrl& list, std::uint32_t erasedCell)
{
    for (int row = 0; row < CEditListCtrl::kRowCount; ++row)
        SetData(list, row, FormatWatchValue(erasedCell, TypeOf(list, row)));
}

void RefreshWatchAddress(CEditListCtrl& list, std::uint32_t address, std::uint32_t value)
{
    for (int row = 0; row < CEditListCtrl::kRowCount; ++row) {
        if (ParseHexPrefix(list.Row(row).strAddress.toStdString()) == address)
            SetData(list, row, FormatWatchValue(value, TypeOf(list, row)));
    }
}

void RefreshWatchAddressText(CEditListCtrl& list, std::uint32_t address, std::string_view text)
{
    RefreshWatchAddress(list, address, ParseHexPrefix(text));
}

} // namespace pemrix
