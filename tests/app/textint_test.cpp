#include "app/textint.h"

#include <gtest/gtest.h>
#include <wx/string.h>

#include <climits>

TEST(TextToInt, FollowsTheCLibraryRules)
{
    EXPECT_EQ(TextToInt("58"), 58);
    EXPECT_EQ(TextToInt("  \t\n 110\r\n"), 110);
    EXPECT_EQ(TextToInt("-12abc"), -12);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("fr"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("- 5"), 0);
    EXPECT_EQ(TextToInt("0x1A"), 0);
    EXPECT_EQ(TextToInt(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(TextToInt(wxString("42 frames")), 42);
}

TEST(TextToInt, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(TextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(TextToInt("2147483648"), INT_MAX);
    EXPECT_EQ(TextToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(TextToInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(TextToInt("-99999999999999999999999"), INT_MIN);
}
