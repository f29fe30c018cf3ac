#include "app/language.h"

#include <gtest/gtest.h>
#include <wx/intl.h>

TEST(LanguageIds, ProgramIdsMapToTheToolkitsLanguages)
{
    // The toolkit numbers its languages differently from the program's ids.
    EXPECT_EQ(ToToolkitLanguage(46), wxLANGUAGE_CHINESE_SIMPLIFIED);
    EXPECT_EQ(ToToolkitLanguage(47), wxLANGUAGE_CHINESE_TRADITIONAL);
    EXPECT_EQ(ToToolkitLanguage(58), wxLANGUAGE_ENGLISH);
    EXPECT_EQ(ToToolkitLanguage(80), wxLANGUAGE_FRENCH);
    EXPECT_EQ(ToToolkitLanguage(89), wxLANGUAGE_GERMAN);
    EXPECT_EQ(ToToolkitLanguage(110), wxLANGUAGE_ITALIAN);
    EXPECT_EQ(ToToolkitLanguage(112), wxLANGUAGE_JAPANESE);
    EXPECT_EQ(ToToolkitLanguage(0), wxLANGUAGE_DEFAULT);
    EXPECT_EQ(ToToolkitLanguage(999), 999);
    EXPECT_EQ(ToToolkitLanguage(-4), -4);
}
