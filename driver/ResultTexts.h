#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pemrix {

// The result kind selects a command's four texts.
inline constexpr int kReadResultKind = 1;
inline constexpr int kWriteResultKind = 2;
inline constexpr int kEraseResultKind = 3;
inline constexpr int kWralResultKind = 4;
inline constexpr int kEralResultKind = 5;
inline constexpr int kReadAllResultKind = 6;
inline constexpr int kWriteAllResultKind = 7;

// A kind's texts with "%04X" where a value goes. A success text that shows one value shows
// the data word; one that shows two shows the address, then the data word.
struct ResultTextRow
{
    int kind;
    std::string_view successDialog;
    std::string_view failureDialog;
    std::string_view successLog;
    std::string_view failureLog;
};

// The row of `kind`, or nullptr outside 1 to 7.
const ResultTextRow* FindResultTexts(int kind);

// The filled-in texts; a kind outside 1 to 7 gives an empty text. Codes above 0xFFFF print
// with all their digits. The data shows with `dataDigits` digits: two for an 8-bit cell.
std::string SuccessDialogText(int kind, std::uint32_t address, std::uint32_t data,
                              unsigned dataDigits = 4);
std::string FailureDialogText(int kind, std::uint32_t errorCode);
std::string SuccessLogText(int kind, std::uint32_t address, std::uint32_t data,
                           unsigned dataDigits = 4);
std::string FailureLogText(int kind, std::uint32_t errorCode);

} // namespace pemrix
