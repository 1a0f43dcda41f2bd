#pragma once

#include <cstdint>
#include <string_view>

namespace pemrix {

class CEditListCtrl;
class ProfileStore;

// The twenty rows from "WatchName%d", "WatchAddress%d" and "WatchType%d", taken as stored,
// then every Data cell reset.
void LoadWatchRows(CEditListCtrl& list, const ProfileStore& profile);

// Name, Address and Type of every row back to the profile; Data is not stored.
void SaveWatchRows(const CEditListCtrl& list, const ProfileStore& profile);

// Every Data cell shows the erased cell (FFFF, or FF in 8-bit organisation) in its row's
// format.
void ResetWatchData(CEditListCtrl& list, std::uint32_t erasedCell = 0xFFFF);

// Every row watching `address` shows `value` in its format.
void RefreshWatchAddress(CEditListCtrl& list, std::uint32_t address, std::uint32_t value);

// The same, with the value given as hexadecimal text.
void RefreshWatchAddressText(CEditListCtrl& list, std::uint32_t address, std::string_view text);

} // namespace pemrix
