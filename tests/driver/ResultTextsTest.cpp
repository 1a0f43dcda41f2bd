#include "driver/ResultTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemrix {
namespace {

struct KindTexts
{
    int kind;
    std::string successDialog;
    std::string failureDialog;
    std::string successLog;
    std::string failureLog;
};

// Every kind filled with address 0x1F, data 0xA5 and error code 0x8000.
const std::vector<KindTexts> kExpected{
    {1, "Read Succeeded.\n\nAddress: 001F\nData: 00A5", "Read Failed.(Error Code: 8000)",
     "Read Succeeded.   Address: 001F   Data: 00A5", "Read Failed. (Error Code: 0x8000)"},
    {2, "Write Succeeded.\n\nAddress: 001F\nData: 00A5", "Write Failed.(Error Code: 8000)",
     "Write Succeeded.   Address: 001F   Data: 00A5", "Write Failed. (Error Code: 0x8000)"},
    {3, "Erase Succeeded.\n\nAddress: 001F\nData: 00A5", "Erase Failed.(Error Code: 8000)",
     "Erase Succeeded.   Address: 001F   Data: 00A5", "Erase Failed. (Error Code: 0x8000)"},
    {4, "Wral Succeeded.", "Wral Failed.(Error Code: 8000)", "Wral Succeeded.   Data: 00A5",
     "Wral Failed. (Error Code: 0x8000)"},
    {5, "Eral Succeeded.", "Eral Failed.(Error Code: 8000)", "Eral Succeeded.",
     "Eral Failed. (Error Code: 0x8000)"},
    {6, "ReadAll Succeeded.", "ReadAll Failed.(Error Code: 8000)", "ReadAll Succeeded.",
     "ReadAll Failed. (Error Code: 0x8000)"},
    {7, "WriteAll Succeeded.", "WriteAll Failed.(Error Code: 8000)", "Writeall Succeeded.",
     "WriteAll Failed. (Error Code: 0x8000)"},
};

TEST(ResultTexts, EveryKindHasItsFourTexts)
{
    for (const KindTexts& expected : kExpected) {
        SCOPED_TRACE(expected.kind);
        EXPECT_EQ(SuccessDialogText(expected.kind, 0x1F, 0xA5), expected.successDialog);
        EXPECT_EQ(FailureDialogText(expected.kind, 0x8000), expected.failureDialog);
        EXPECT_EQ(SuccessLogText(expected.kind, 0x1F, 0xA5), expected.successLog);
        EXPECT_EQ(FailureLogText(expected.kind, 0x8000), expected.failureLog);
    }
}

TEST(ResultTexts, CodesPrintWithAtLeastFourDigitsAndAllTheirDigits)
{
    EXPECT_EQ(FailureDialogText(1, 0x5), "Read Failed.(Error Code: 0005)");
    EXPECT_EQ(FailureLogText(1, 0x1000), "Read Failed. (Error Code: 0x1000)");
    EXPECT_EQ(FailureDialogText(6, 0x12340), "ReadAll Failed.(Error Code: 12340)");
    EXPECT_EQ(FailureLogText(6, 0xFFFFFFF0), "ReadAll Failed. (Error Code: 0xFFFFFFF0)");
}

TEST(ResultTexts, KindsOutsideTheTableGiveNoText)
{
    for (int kind : {0, 8, -1}) {
        EXPECT_EQ(SuccessDialogText(kind, 1, 2), "");
        EXPECT_EQ(FailureDialogText(kind, 1), "");
        EXPECT_EQ(SuccessLogText(kind, 1, 2), "");
        EXPECT_EQ(FailureLogText(kind, 1), "");
    }
}

} // namespace
} // namespace pemrix
