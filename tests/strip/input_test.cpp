// Mouse and keyboard handling, driven with the toolkit's event objects, and
// the notifications the owner receives.
#include "stripfixture.h"

namespace
{
class StripInput : public StripFixture
{
protected:
    void SetUp() override
    {
        StripFixture::SetUp();
        ShowGrid();
        Fill(10);
    }
    wxPoint TilePoint(int n)
    {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r.GetPosition() + wxPoint(10, 10);
    }
    // Returns whether the strip consumed the event.
    template <typename Event> bool Send(Event&& event, int flags)
    {
        event.SetShiftDown(flags & wxTHUMBNAIL_SHIFT_DOWN);
        event.SetControlDown(flags & wxTHUMBNAIL_CTRL_DOWN);
        event.SetAltDown(flags & wxTHUMBNAIL_ALT_DOWN);
        event.SetEventObject(m_strip);
        return m_strip->ProcessWindowEvent(event);
    }
    void Mouse(wxEventType type, const wxPoint& pt, int flags = 0)
    {
        wxMouseEvent event(type);
        event.SetPosition(pt);
        Send(event, flags);
    }
    bool Key(int keyCode, int flags = 0)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = keyCode;
        return Send(event, flags);
    }
    bool FullyVisible(int n)
    {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r.y >= 0 && r.GetBottom() < m_strip->GetClientSize().y;
    }
};
} // namespace

TEST_F(StripInput, ClicksSelectThenReportInOrder)
{
    m_strip->Select(1);
    m_strip->Select(4);
    TakeNotices();
    Mouse(wxEVT_LEFT_DOWN, TilePoint(4));
    EXPECT_EQ(Ints({4}), Selection());
    EXPECT_EQ("desel1 sel4 left4", TakeNotices());
    Mouse(wxEVT_LEFT_DOWN, TilePoint(6), wxTHUMBNAIL_SHIFT_DOWN | wxTHUMBNAIL_ALT_DOWN);
    EXPECT_EQ(Ints({4, 5, 6}), Selection());
    EXPECT_EQ("sel4 sel5 sel6 left6/5", TakeNotices());

    // Other buttons report without changing the selection.
    Mouse(wxEVT_RIGHT_DOWN, TilePoint(5), wxTHUMBNAIL_CTRL_DOWN);
    Mouse(wxEVT_MIDDLE_DOWN, TilePoint(7));
    Mouse(wxEVT_LEFT_DCLICK, TilePoint(8), wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ("right5/2 middle7 dclick8/1", TakeNotices());
    EXPECT_EQ(Ints({4, 5, 6}), Selection());
}

// Mended: a click right of the last column selected an entry of the next row.
TEST_F(StripInput, ClicksBesideOrBelowTheEntriesReportNothing)
{
    m_strip->ScrollIntoView(9, WXK_END);
    wxRect last;
    m_strip->GetItemRect(9, last, true);
    Mouse(wxEVT_LEFT_DOWN, wxPoint(last.GetRight() + 10, last.y + 10));
    Mouse(wxEVT_RIGHT_DOWN, wxPoint(last.GetRight() + 10, last.y + 10));
    Mouse(wxEVT_LEFT_DOWN, wxPoint(m_strip->GetClientSize().x - 2, last.y + 10));
    EXPECT_EQ("", TakeNotices());
    EXPECT_TRUE(Selection().empty());
}

TEST_F(StripInput, KeysMoveTheFocusEntryIntoViewAndSelect)
{
    // The first key after Append selects entry 0, whatever the key.
    m_strip->ScrollIntoView(9, WXK_END);
    ASSERT_GT(m_strip->GetViewStart().y, 0);
    EXPECT_TRUE(Key(WXK_END));
    EXPECT_EQ("sel0", TakeNotices());
    EXPECT_EQ(0, m_strip->GetViewStart().y);

    // The moves follow the navigation table (checked in full without a window).
    EXPECT_TRUE(Key(WXK_PAGEDOWN) && Key(WXK_DOWN));
    EXPECT_EQ("desel0 sel6 desel6 sel9", TakeNotices());
    EXPECT_TRUE(FullyVisible(9));
    EXPECT_TRUE(Key(WXK_DOWN)); // nothing below: no change
    EXPECT_EQ("", TakeNotices());
    EXPECT_TRUE(Key(WXK_HOME));
    EXPECT_TRUE(FullyVisible(0));

    // Shift extends from the anchor, Ctrl moves and toggles.
    EXPECT_TRUE(Key(WXK_RIGHT, wxTHUMBNAIL_SHIFT_DOWN) && Key(WXK_RIGHT, wxTHUMBNAIL_SHIFT_DOWN));
    EXPECT_EQ(Ints({0, 1, 2}), Selection());
    EXPECT_TRUE(Key(WXK_DOWN, wxTHUMBNAIL_CTRL_DOWN) && Key(WXK_UP, wxTHUMBNAIL_CTRL_DOWN));
    EXPECT_EQ(Ints({0, 1, 5}), Selection());
    EXPECT_EQ(2, m_strip->GetFocusItem());
}

TEST_F(StripInput, EnterReportsIndexMinusOneOtherKeysPassOn)
{
    EXPECT_TRUE(Key(WXK_RETURN, wxTHUMBNAIL_CTRL_DOWN));
    EXPECT_EQ("return-1/2", TakeNotices());
    EXPECT_FALSE(Key('a'));
    EXPECT_EQ("", TakeNotices());
    EXPECT_TRUE(Selection().empty());
}
