#include "app/userdata.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>

namespace
{
// Points the documents folder at a scratch folder for one test.
class LanguageFileTest : public ::testing::Test
{
protected:
    void SetUp() override { SetDocumentsDirOverride(m_documents.Path()); }
    void TearDown() override { SetDocumentsDirOverride(wxString()); }

    void WriteFile(const std::string& bytes) { testsupport::WriteBytes(GetLanguageFilePath(), bytes); }

    testsupport::TempDir m_documents;
};
} // namespace

TEST_F(LanguageFileTest, UserDataFolderIsCreatedUnderTheDocumentsFolder)
{
    const wxString dir = GetUserDataDir();
    EXPECT_EQ(dir, m_documents.Path() + "/Tavrinex files/Tavrinex Gloamer");
    EXPECT_TRUE(wxFileName::DirExists(dir));
    // Created again when it has gone.
    wxFileName::Rmdir(m_documents.Path() + "/Tavrinex files", wxPATH_RMDIR_RECURSIVE);
    EXPECT_EQ(GetUserDataDir(), dir);
    EXPECT_TRUE(wxFileName::DirExists(dir));
}

TEST_F(LanguageFileTest, MissingFileIsWrittenAsEnglish)
{
    ASSERT_FALSE(wxFileName::FileExists(GetLanguageFilePath()));
    EXPECT_EQ(ReadLanguageFile(), 58);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "58");
    EXPECT_EQ(ReadLanguageFile(), 58);
}

TEST_F(LanguageFileTest, ContentIsReadWithTheCRules)
{
    WriteFile("110\n");
    EXPECT_EQ(ReadLanguageFile(), 110);
    WriteFile("110\r\n");
    EXPECT_EQ(ReadLanguageFile(), 110);
    WriteFile("fr");
    EXPECT_EQ(ReadLanguageFile(), 0);
    WriteFile("");
    EXPECT_EQ(ReadLanguageFile(), 0);
    WriteFile(" 89");
    EXPECT_EQ(ReadLanguageFile(), 89);
    // The text ends at a zero byte.
    WriteFile(std::string("4\0" "7", 3));
    EXPECT_EQ(ReadLanguageFile(), 4);
}

TEST_F(LanguageFileTest, OnlyTheFirstEightBytesCount)
{
    WriteFile("1234567890");
    EXPECT_EQ(ReadLanguageFile(), 12345678);
    WriteFile("       58");
    EXPECT_EQ(ReadLanguageFile(), 5);
}

TEST_F(LanguageFileTest, WriteReplacesTheWholeFile)
{
    WriteFile("1234567890");
    WriteLanguageFile(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");
    WriteLanguageFile(-3);
    EXPECT_EQ(ReadLanguageFile(), -3);
}

TEST(LanguageFile, UnwritableFolderFailsSilently)
{
    testsupport::TempDir documents;
    // A plain file where the company folder should be: nothing can be created.
    testsupport::WriteBytes(documents.File("Tavrinex files"), "x");
    SetDocumentsDirOverride(documents.Path());
    WriteLanguageFile(89);
    EXPECT_EQ(ReadLanguageFile(), 58); // no file: English, write fails again
    SetDocumentsDirOverride(wxString());
}
