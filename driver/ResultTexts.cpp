#include "driver/ResultTexts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>

#include "core/HexText.h"

namespace pemrix {

namespace {

constexpr std::array<ResultTextRow, 7> kResultTexts{{
    {kReadResultKind, "Read Succeeded.\n\nAddress: %04X\nData: %04X",
     "Read Failed.(Error Code: %04X)", "Read Succeeded.   Address: %04X   Data: %04X",
     "Read Failed. (Error Code: 0x%04X)"},
    {kWriteResultKind, "Write Succeeded.\n\nAddress: %04X\nData: %04X",
     "Write Failed.(Error Code: %04X)", "Write Succeeded.   Address: %04X   Data: %04X",
     "Write Failed. (Error Code: 0x%04X)"},
    {kEraseResultKind, "Erase Succeeded.\n\nAddress: %04X\nData: %04X",
     "Erase Failed.(Error Code: %04X)", "Erase Succeeded.   Address: %04X   Data: %04X",
     "Erase Failed. (Error Code: 0x%04X)"},
    {kWralResultKind, "Wral Succeeded.", "Wral Failed.(Error Code: %04X)",
     "Wral Succeeded.   Data: %04X", "Wral Failed. (Error Code: 0x%04X)"},
    {kEralResultKind, "Eral Succeeded.", "Eral Failed.(Error Code: %04X)", "Eral Succeeded.",
     "Eral Failed. (Error Code: 0x%04X)"},
    {kReadAllResultKind, "ReadAll Succeeded.", "ReadAll Failed.(Error Code: %04X)",
     "ReadAll Succeeded.", "ReadAll Failed. (Error Code: 0x%04X)"},
    {kWriteAllResultKind, "WriteAll Succeeded.", "WriteAll Failed.(Error Code: %04X)",
     "Writeall Succeeded.", "WriteAll Failed. (Error Code: 0x%04X)"},
}};

constexpr std::string_view kPlaceholder = "%04X";

std::size_t CountPlaceholders(std::string_view pattern)
{
    std::size_t count = 0;
    for (std::size_t at = pattern.find(kPlaceholder); at != std::string_view::npos;
         at = pattern.find(kPlaceholder, at + kPlaceholder.size()))
        ++count;
    return count;
}

// Fills the placeholders with the last of `values`, in order, so a text that names fewer
// values than offered takes the trailing ones. The last value is shown with at least
// `lastDigits` digits, which is how an 8-bit cell's data shows as two.
std::string FillPlaceholders(std::string_view pattern, std::initializer_list<std::uint32_t> values,
                             unsigned lastDigits)
{
    const std::size_t used = std::min(CountPlaceholders(pattern), values.size());
    const std::uint32_t* next = values.end() - used;
    std::string text;
    while (true) {
        const std::size_t at = pattern.find(kPlaceholder);
        if (at == std::string_view::npos || next == values.end())
            break;
        text.append(pattern.substr(0, at));
        const bool last = next + 1 == values.end();
        text.append(FormatHexDigits(*next++, last ? lastDigits : 4));
        pattern.remove_prefix(at + kPlaceholder.size());
    }
    text.append(pattern);
    return text;
}

std::string FormatKindText(int kind, std::string_view ResultTextRow::*column,
                           std::initializer_list<std::uint32_t> values, unsigned lastDigits = 4)
{
    const ResultTextRow* row = FindResultTexts(kind);
    return row ? FillPlaceholders(row->*column, values, lastDigits) : std::string();
}

} // namespace

const ResultTextRow* FindResultTexts(int kind)
{
    if (kind < 1 || kind > static_cast<int>(kResultTexts.size()))
        return nullptr;
    return &kResultTexts[static_cast<std::size_t>(kind - 1)];
}

std::string SuccessDialogText(int kind, std::uint32_t address, std::uint32_t data,
                              unsigned dataDigits)
{
    return FormatKindText(kind, &ResultTextRow::successDialog, {address, data}, dataDigits);
}

std::string FailureDialogText(int kind, std::uint32_t errorCode)
{
    return FormatKindText(kind, &ResultTextRow::failureDialog, {errorCode});
}

std::string SuccessLogText(int kind, std::uint32_t address, std::uint32_t data, unsigned dataDigits)
{
    return FormatKindText(kind, &ResultTextRow::successLog, {address, data}, dataDigits);
}

std::string FailureLogText(int kind, std::uint32_t errorCode)
{
    return FormatKindText(kind, &ResultTextRow::failureLog, {errorCode});
}

} // namespace pemrix
