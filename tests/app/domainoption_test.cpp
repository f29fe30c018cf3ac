#include "app/domainoption.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(DomainOption, EntriesAreReadByPositionAndAnythingBadLeavesThemEmpty)
{
    const auto document = [](const std::string& entries) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<options>\n  <urls>\n" + entries + "  </urls>\n</options>\n";
    };
    const struct
    {
        std::optional<std::string> bytes; // none: no file
        bool complete;
        std::vector<wxString> entries; // 1..7; missing ones are empty
    } cases[] = {
        {std::nullopt, false, {}},
        {document("<a>help</a><b>2</b><c>support</c><d>4</d><e>base</e><f>product</f><g>7</g><h>ignored</h>"), true,
         {"help", "2", "support", "4", "base-update.xml", "product", "7"}},
        {document("<a>1</a><b>2</b><c>3</c><d>4</d><e>base</e>"), false, {"1", "2", "3", "4", "base-update.xml"}},
        // A comment is an entry without text, so everything after it shifts.
        {document("<!-- addresses -->\n<a>1</a><b>2</b><c>3</c><d>4</d><e>5</e><f>6</f><g>7</g>"), true,
         {"", "1", "2", "3", "4-update.xml", "5", "6"}},
        {document("<a>1</a><b>2</b>"), false, {"1", "2"}},
        {"<?xml version=\"1.0\"?><options/>", false, {}},
        {"", false, {}},
        {"not xml at all", false, {}},
        {"<?xml version=\"1.0\"?><options><urls><a>1</a><b>2</urls></options>", false, {}},
        {std::string("\xff\xfe<\0o\0", 6), false, {}},
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
        EXPECT_EQ(option.GetHelpUrl(), option.GetEntry(1));
        EXPECT_EQ(option.GetSupportUrl(), option.GetEntry(3));
        EXPECT_EQ(option.GetUpdateUrl(), option.GetEntry(5));
        EXPECT_EQ(option.GetProductUrl(), option.GetEntry(6));
    }
}
