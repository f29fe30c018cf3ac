#include "app/language.h"
#include "app/textint.h"
#include "app/userdata.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include <climits>

TEST(TextToInt, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(TextToInt(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(TextToInt("2147483648"), INT_MAX);
    EXPECT_EQ(TextToInt("-99999999999999999999999"), INT_MIN);
}

TEST(LanguageIds, ProgramIdsMapToTheToolkitsLanguages)
{
    const int pairs[][2] = {{46, wxLANGUAGE_CHINESE_SIMPLIFIED}, {47, wxLANGUAGE_CHINESE_TRADITIONAL},
                            {58, wxLANGUAGE_ENGLISH}, {80, wxLANGUAGE_FRENCH}, {89, wxLANGUAGE_GERMAN},
                            {110, wxLANGUAGE_ITALIAN}, {112, wxLANGUAGE_JAPANESE}, {0, wxLANGUAGE_DEFAULT}};
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

TEST_F(LanguageFileTest, MissingIsWrittenAsEnglishAndContentReadWithTheCRulesFromEightBytes)
{
    EXPECT_EQ(ReadLanguageFile(), 58);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "58");
    const struct
    {
        std::string bytes;
        int id;
    } cases[] = {
        {"110\n", 110}, {"fr", 0}, {"", 0}, {" \t\n 89\r\n", 89}, {"-12abc", -12}, {"+7", 7}, {"- 5", 0},
        {"0x1A", 0}, {std::string("4\0" "7", 3), 4}, {"1234567890", 12345678}, {"       58", 5},
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
