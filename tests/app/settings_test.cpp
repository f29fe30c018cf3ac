// The program's settings: install paths, the language file, option.cfg, the GIF choices.
#include "app/domainoption.h"
#include "app/gifchoices.h"
#include "app/language.h"
#include "app/paths.h"
#include "app/textint.h"
#include "app/userdata.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include <wx/filefn.h>

#include <climits>
#include <optional>
#include <vector>

TEST(InstallPaths, FoldersFromTheExecutablePathAndLanguageIds)
{
    const struct { const char *exe, *dir, *root, *themes; } cases[] = {
        {"C:\\Apps\\Tool\\bin\\app.exe", "C:/Apps/Tool/bin", "C:/Apps/Tool", "C:/Apps/Tool/Themes"},
        {"app.exe", "", "", "/Themes"}, // a bare name: Themes at the root
    };
    for (const auto& c : cases)
    {
        const wxString dir = ExecutableDirOf(c.exe);
        EXPECT_EQ(dir, c.dir) << c.exe;
        EXPECT_EQ(ParentDirOf(dir), c.root) << c.exe;
        EXPECT_EQ(ThemesDirOf(dir), c.themes) << c.exe;
    }
    // Numbers saturate instead of overflowing; the language ids map to the toolkit's.
    EXPECT_EQ(TextToInt(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(TextToInt("-99999999999999999999999"), INT_MIN);
    const int pairs[][2] = {{46, wxLANGUAGE_CHINESE_SIMPLIFIED}, {47, wxLANGUAGE_CHINESE_TRADITIONAL},
                            {112, wxLANGUAGE_JAPANESE}, {0, wxLANGUAGE_DEFAULT}};
    for (const auto& p : pairs)
        EXPECT_EQ(ToToolkitLanguage(p[0]), p[1]) << p[0];
}

// The language file is read by the C rules from the first eight bytes, as other versions write it.
TEST(UserFiles, LanguageFileAndGifChoices)
{
    testsupport::TempDir documents;
    SetDocumentsDirOverride(documents.Path());
    const wxString dir = GetUserDataDir();
    EXPECT_EQ(dir, documents.Path() + "/Tavrinex files/Tavrinex Gloamer");
    wxFileName::Rmdir(documents.Path() + "/Tavrinex files", wxPATH_RMDIR_RECURSIVE);
    EXPECT_EQ(ReadLanguageFile(), 58);
    EXPECT_EQ(testsupport::ReadBytes(dir + "/language.txt"), "58");
    const std::pair<std::string, int> cases[] = {
        {"110\n", 110}, {"fr", 0}, {" \t\n 89\r\n", 89}, {"-12abc", -12}, {"0x1A", 0},
        {std::string("4\0" "7", 3), 4}, {"1234567890", 12345678}, {"       58", 5},
    };
    for (const auto& [bytes, id] : cases)
    {
        testsupport::WriteBytes(GetLanguageFilePath(), bytes);
        EXPECT_EQ(ReadLanguageFile(), id) << bytes;
    }
    WriteLanguageFile(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");

    EXPECT_EQ(ReadGifChoicesFile(), GifChoices());
    const GifChoices chosen{42, true};
    WriteGifChoicesFile(chosen);
    EXPECT_EQ(ReadGifChoicesFile(), chosen);
    testsupport::WriteBytes(dir + "/gif-options.txt", FormatGifChoices(chosen) + std::string(5000, '\n'));
    EXPECT_EQ(ReadGifChoicesFile(), GifChoices()); // larger than any file the program writes

    // Each line stands alone: a damaged one leaves only its own choice at the default.
    const struct { std::string text; int quality; bool storeChanges; } lines[] = {
        {"quality=60\nstore-changes=1\n", 60, true}, {"store-changes=1\r\nquality=1", 1, true},
        {"quality=0\nstore-changes=2", 100, false}, {"quality=101\nstore-changes=yes", 100, false},
        {"quality=75x\nquality= 75\nquality=-5\nquality=0075", 100, false}, {"junk\n\n=\nquality=", 100, false},
        {std::string("quality=5\0" "0", 11), 100, false},
    };
    for (const auto& c : lines)
        EXPECT_EQ(ParseGifChoices(c.text), (GifChoices{c.quality, c.storeChanges})) << c.text;
    SetDocumentsDirOverride(wxString());
}

// Entries are read by position, as other versions do, so a comment shifts them.
TEST(DomainOption, EntriesAreReadByPositionAndAnythingBadLeavesThemEmpty)
{
    const auto document = [](const std::string& entries) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<options>\n  <urls>\n" + entries + "  </urls>\n</options>\n";
    };
    const struct { std::optional<std::string> bytes; bool complete; std::vector<wxString> entries; } cases[] = {
        {std::nullopt, false, {}},
        {document("<a>help</a><b>2</b><c>support</c><d>4</d><e>base</e><f>product</f><g>7</g><h>ignored</h>"), true,
         {"help", "2", "support", "4", "base-update.xml", "product", "7"}},
        {document("<a>1</a><b>2</b><c>3</c><d>4</d><e>base</e>"), false, {"1", "2", "3", "4", "base-update.xml"}},
        {document("<!-- addresses -->\n<a>1</a><b>2</b><c>3</c><d>4</d><e>5</e><f>6</f><g>7</g>"), true,
         {"", "1", "2", "3", "4-update.xml", "5", "6"}},
        {"<?xml version=\"1.0\"?><!-- c --><options><urls><a/><b/><c/><d/><e/><f/><g/></urls></options>", true, {}},
        {"<?xml version=\"1.0\"?><options><urls><a>1</a><b>2</urls></options>", false, {}},
        {"<!DOCTYPE o [<!ENTITY a \"x\">]>" + document("<a>&a;</a><b/><c/><d/><e/><f/><g/>"), false, {}},
        {document("<a>1</a>text<b>2</b><c>3</c><d>4</d><e>5</e><f>6</f>"), true, {"1", "", "2", "3", "4-update.xml", "5", "6"}},
    };
    for (const auto& c : cases)
    {
        testsupport::TempDir dir;
        if (c.bytes)
            testsupport::WriteBytes(dir.File("option.cfg"), *c.bytes);
        const std::string shown = c.bytes.value_or("(no file)");
        DomainOption option(dir.File("option.cfg"));
        EXPECT_EQ(option.Load(), c.complete) << shown;
        for (size_t i = 0; i < 7; ++i)
            EXPECT_EQ(option.GetEntry(i + 1), i < c.entries.size() ? c.entries[i] : "") << shown << " entry " << i + 1;
        EXPECT_EQ(option.GetHelpUrl() + option.GetSupportUrl() + option.GetUpdateUrl() + option.GetProductUrl(),
                  option.GetEntry(1) + option.GetEntry(3) + option.GetEntry(5) + option.GetEntry(6));
    }
}
