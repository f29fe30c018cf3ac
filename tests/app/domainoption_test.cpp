#include "app/domainoption.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace
{
std::string Document(const std::string& entries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<options>\n  <urls>\n" + entries + "  </urls>\n</options>\n";
}

void ExpectAllEmpty(const DomainOption& option)
{
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(option.GetEntry(i), "") << "entry " << i;
}
} // namespace

TEST(DomainOption, SevenEntriesAreReadByPosition)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("option.cfg"),
                            Document("<a>https://h.example.org/help</a>\n<b>r2</b>\n<c>https://h.example.org/support</c>\n"
                                     "<d>r4</d>\n<e>https://h.example.org/gloamer</e>\n<f>https://h.example.org/</f>\n"
                                     "<g>r7</g>\n<h>ignored</h>\n"));
    DomainOption option(dir.File("option.cfg"));
    EXPECT_TRUE(option.Load());
    EXPECT_EQ(option.GetHelpUrl(), "https://h.example.org/help");
    EXPECT_EQ(option.GetEntry(2), "r2");
    EXPECT_EQ(option.GetSupportUrl(), "https://h.example.org/support");
    EXPECT_EQ(option.GetEntry(4), "r4");
    EXPECT_EQ(option.GetUpdateUrl(), "https://h.example.org/gloamer-update.xml");
    EXPECT_EQ(option.GetProductUrl(), "https://h.example.org/");
    EXPECT_EQ(option.GetEntry(7), "r7");
}

TEST(DomainOption, FiveEntriesLeaveSixAndSevenEmpty)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("option.cfg"), Document("<a>1</a><b>2</b><c>3</c><d>4</d><e>base</e>"));
    DomainOption option(dir.File("option.cfg"));
    EXPECT_FALSE(option.Load());
    EXPECT_EQ(option.GetEntry(1), "1");
    EXPECT_EQ(option.GetEntry(4), "4");
    EXPECT_EQ(option.GetUpdateUrl(), "base-update.xml");
    EXPECT_EQ(option.GetProductUrl(), "");
    EXPECT_EQ(option.GetEntry(7), "");
}

TEST(DomainOption, LeadingCommentShiftsEveryEntry)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("option.cfg"),
                            Document("<!-- addresses -->\n<a>1</a><b>2</b><c>3</c><d>4</d><e>5</e><f>6</f><g>7</g>"));
    DomainOption option(dir.File("option.cfg"));
    EXPECT_TRUE(option.Load());
    EXPECT_EQ(option.GetHelpUrl(), ""); // a comment has no text content
    EXPECT_EQ(option.GetEntry(2), "1");
    EXPECT_EQ(option.GetSupportUrl(), "2");
    EXPECT_EQ(option.GetUpdateUrl(), "4-update.xml");
    EXPECT_EQ(option.GetProductUrl(), "5");
    EXPECT_EQ(option.GetEntry(7), "6");
}

TEST(DomainOption, MissingOrMalformedFileLeavesEverythingEmpty)
{
    testsupport::TempDir dir;
    {
        DomainOption option(dir.File("option.cfg"));
        EXPECT_FALSE(option.Load());
        ExpectAllEmpty(option);
    }
    const std::string broken[] = {
        "",
        "not xml at all",
        "<?xml version=\"1.0\"?><options><urls><a>1</a><b>2</urls></options>",
        std::string("\xff\xfe<\0o\0", 6),
    };
    for (const std::string& bytes : broken)
    {
        testsupport::WriteBytes(dir.File("option.cfg"), bytes);
        DomainOption option(dir.File("option.cfg"));
        EXPECT_FALSE(option.Load());
        ExpectAllEmpty(option);
    }
}

TEST(DomainOption, TooFewNodesStopAtTheFirstMissingOne)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("option.cfg"), "<?xml version=\"1.0\"?><options/>");
    DomainOption empty(dir.File("option.cfg"));
    EXPECT_FALSE(empty.Load());
    ExpectAllEmpty(empty);

    testsupport::WriteBytes(dir.File("option.cfg"), Document("<a>1</a><b>2</b>"));
    DomainOption two(dir.File("option.cfg"));
    EXPECT_FALSE(two.Load());
    EXPECT_EQ(two.GetEntry(2), "2");
    EXPECT_EQ(two.GetEntry(3), "");
    EXPECT_EQ(two.GetUpdateUrl(), "");
}

TEST(DomainOption, ShippedFileHasSevenEntries)
{
    DomainOption option(GLOAMER_SOURCE_DIR "/option.cfg");
    EXPECT_TRUE(option.Load());
    EXPECT_TRUE(option.GetHelpUrl().StartsWith("https://"));
    EXPECT_TRUE(option.GetSupportUrl().StartsWith("https://"));
    EXPECT_TRUE(option.GetUpdateUrl().EndsWith("-update.xml"));
    EXPECT_FALSE(option.GetProductUrl().empty());
}
