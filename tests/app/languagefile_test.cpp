#include "app/language.h"
#include "app/textint.h"
#include "app/userdata.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include <climits>

TEST(TextToInt, FollowsTheCLibraryRulesAndSaturates)
{
    const struct
    {
        const char* text;
        int value;
    } cases[] = {
        {"  \t\n 110\r\n", 110}, {"-12abc", -12}, {"+7", 7}, {"- 5", 0}, {"0x1A", 0}, {nullptr, 0},
        {"-2147483648", INT_MIN}, {"2147483648", INT_MAX}, {"-2147483649", INT_MIN},
        {"99999999999999999999999", INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.value) << (c.text ? c.text : "null");
}

TEST(LanguageIds, ProgramIdsMapToTheToolkitsLanguages)
{
    const int pairs[][2] = {{46, wxLANGUAGE_CHINESE_SIMPLIFIED}, {47, wxLANGUAGE_CHINESE_TRADITIONAL},
                            {58, wxLANGUAGE_ENGLISH}, {80, wxLANGUAGE_FRENCH}, {89, wxLANGUAGE_GERMAN},
                            {110, wxLANGUAGE_ITALIAN}, {112, wxLANGUAGE_JAPANESE}, {0, wxLANGUAGE_DEFAULT},
                            {999, 999}};
    for (const auto& p : pairs)
        EXPECT_EQ(ToToolkitLanguage(p[0]), p[1]) << p[0];
}

namespace
{
// Points the documents folder at a scratch folder for one test.
class LanguageFileTest : public ::testing::Test
{
protected:
    void SetUp() override { SetDocumentsDirOverride(m_documents.Path()); }
    void TearDown() override { SetDocumentsDirOverride(wxString()); }
    testsupport::TempDir m_documents;
};
} // namespace

TEST_F(LanguageFileTest, UserDataFolderIsCreatedOnEveryCall)
{
    const wxString dir = GetUserDataDir();
    EXPECT_EQ(dir, m_documents.Path() + "/Tavrinex files/Tavrinex Gloamer");
    wxFileName::Rmdir(m_documents.Path() + "/Tavrinex files", wxPATH_RMDIR_RECURSIVE);
    EXPECT_EQ(GetUserDataDir(), dir);
    EXPECT_TRUE(wxFileName::DirExists(dir));
}

TEST_F(LanguageFileTest, MissingFileIsWrittenAsEnglish)
{
    EXPECT_EQ(ReadLanguageFile(), 58);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "58");
}

TEST_F(LanguageFileTest, ContentIsReadWithTheCRulesFromTheFirstEightBytes)
{
    const struct
    {
        std::string bytes;
        int id;
    } cases[] = {
        {"110\n", 110}, {"fr", 0}, {"", 0}, {" 89", 89}, {std::string("4\0" "7", 3), 4},
        {"1234567890", 12345678}, {"       58", 5},
    };
    for (const auto& c : cases)
    {
        testsupport::WriteBytes(GetLanguageFilePath(), c.bytes);
        EXPECT_EQ(ReadLanguageFile(), c.id) << c.bytes;
    }
    WriteLanguageFile(89); // replaces the whole file
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");
}

TEST_F(LanguageFileTest, UnwritableFolderFailsSilently)
{
    // A plain file where the company folder should be: nothing can be created.
    testsupport::WriteBytes(m_documents.File("Tavrinex files"), "x");
    WriteLanguageFile(89);
    EXPECT_EQ(ReadLanguageFile(), 58);
}
