// Index errors raise the toolkit assertion with the documented condition and
// leave the strip as it was.
#include "stripfixture.h"
#include "window/thumbnailitem.h"

using Ints = std::vector<int>;

namespace
{
class StripAsserts : public StripFixture
{
protected:
    void SetUp() override
    {
        StripFixture::SetUp();
        m_expectAsserts = true;
        ShowGrid(3, 2);
        Fill(5);
        SetSelection({1, 3});
        m_strip->SetFocusItem(2);
        m_asserts.Forget();
    }

    // The single assertion raised since the last call, as "condition|message".
    wxString TakeAssert()
    {
        auto& failures = m_asserts.Failures();
        EXPECT_EQ(1u, failures.size());
        wxString text;
        if (!failures.empty())
        {
            text = failures.front().cond;
            EXPECT_TRUE(failures.front().file.Contains("window/thumbnail")) << failures.front().file;
        }
        failures.clear();
        return text;
    }

    void ExpectUnchanged()
    {
        EXPECT_EQ(5, m_strip->GetCount());
        EXPECT_EQ(Ints({1, 3}), Selection());
        EXPECT_EQ(2, m_strip->GetFocusItem());
        EXPECT_EQ(3, m_strip->GetFirstSelection());
        EXPECT_EQ(3, m_strip->GetLastSelection());
    }
};
} // namespace

TEST_F(StripAsserts, ItemAccessOutOfRange)
{
    EXPECT_EQ(nullptr, m_strip->GetItem(5));
    EXPECT_EQ("n < GetCount()", TakeAssert());
    EXPECT_EQ(nullptr, m_strip->GetItem(-1));
    EXPECT_EQ("n < GetCount()", TakeAssert());

    const wxRect untouched(1, 2, 3, 4);
    wxRect rect = untouched;
    EXPECT_FALSE(m_strip->GetItemRect(5, rect));
    EXPECT_EQ("n < GetCount()", TakeAssert());
    EXPECT_FALSE(m_strip->GetItemRectImage(7, rect, false));
    EXPECT_EQ("n < GetCount()", TakeAssert());
    EXPECT_EQ(untouched, rect);

    int row = -5, col = -5;
    EXPECT_FALSE(m_strip->GetRowCol(5, m_strip->GetClientSize(), row, col));
    EXPECT_EQ("item < GetCount()", TakeAssert());
    EXPECT_EQ(-5, row);
    EXPECT_EQ(-5, col);
    ExpectUnchanged();
}

TEST_F(StripAsserts, SelectionOutOfRange)
{
    m_strip->ForgetRefreshes();
    m_strip->Select(5);
    EXPECT_EQ("n < GetCount()", TakeAssert());
    m_strip->Select(-1, false);
    EXPECT_EQ("n < GetCount()", TakeAssert());
    m_strip->SetFocusItem(9);
    EXPECT_EQ("item < GetCount()", TakeAssert());
    m_strip->SetFocusItem(-2);
    EXPECT_EQ("item < GetCount()", TakeAssert());
    EXPECT_TRUE(m_strip->refreshed.empty());
    ExpectUnchanged();
}

TEST_F(StripAsserts, DeletingAMissingEntry)
{
    m_strip->Delete(5);
    EXPECT_EQ("uiIndex < size()", TakeAssert());
    m_strip->Delete(-1);
    EXPECT_EQ("uiIndex < size()", TakeAssert());
    ExpectUnchanged();

    wxThumbnailItemArray array;
    array.Add(new wxThumbnailItem("one.png"));
    EXPECT_FALSE(array.RemoveAt(1));
    ASSERT_EQ(1u, m_asserts.Failures().size());
    EXPECT_EQ("bad index in wxThumbnailItemArray::RemoveAt()", m_asserts.Failures()[0].msg);
    EXPECT_EQ("uiIndex < size()", TakeAssert());
    EXPECT_EQ(1u, array.size());
    EXPECT_TRUE(array.RemoveAt(0));
    EXPECT_TRUE(array.empty());
}

TEST_F(StripAsserts, AnEmptyStripHasNoFirstEntry)
{
    m_strip->Clear();
    EXPECT_EQ(nullptr, m_strip->GetItem(0));
    EXPECT_EQ("n < GetCount()", TakeAssert());
    EXPECT_EQ(0, m_strip->GetCount());
}
