// The message patterns of the program's errors.
#include "framework/Error.h"
#include <gtest/gtest.h>

TEST(FormatMessageText, FillsEachPlaceholderInOrderAndKeepsOtherPercents) {
    EXPECT_EQ(FormatMessageText(L"Failed to set data for '%s'", {L"ZoomWidth"}),
              L"Failed to set data for 'ZoomWidth'");
    EXPECT_EQ(
        FormatMessageText(L"Cannot create file \"%s\". %s", {L"C:\\a.png", L"Access denied."}),
        L"Cannot create file \"C:\\a.png\". Access denied.");
    EXPECT_EQ(FormatMessageText(L"100% %s %s", {L"x"}), L"100% x %s");
}
