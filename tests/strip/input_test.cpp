// Mouse and keyboard handling of the strip, driven with the toolkit's own
// event objects, and the notifications the owner receives.
#include "stripfixture.h"

using Ints = std::vector<int>;

namespace
{
class StripInput : public StripFixture
{
protected:
    void SetUp() override
    {
        StripFixture::SetUp();
        ShowGrid(3, 2);
        Fill(10);
        ASSERT_TRUE(GridIs(3, 2));
        Notices().clear();
    }

    wxPoint TilePoint(int n)
    {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r.GetPosition() + wxPoint(10, 10);
    }

    bool Mouse(wxEventType type, const wxPoint& pt, int flags = 0)
    {
        wxMouseEvent event(type);
        event.SetPosition(pt);
        event.SetShiftDown(flags & wxTHUMBNAIL_SHIFT_DOWN);
        event.SetControlDown(flags & wxTHUMBNAIL_CTRL_DOWN);
        event.SetAltDown(flags & wxTHUMBNAIL_ALT_DOWN);
        event.SetEventObject(m_strip);
        event.SetId(m_strip->GetId());
        return m_strip->ProcessWindowEvent(event);
    }

    // Returns whether the strip consumed the key.
    bool Key(int keyCode, int flags = 0)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = keyCode;
        event.SetShiftDown(flags & wxTHUMBNAIL_SHIFT_DOWN);
        event.SetControlDown(flags & wxTHUMBNAIL_CTRL_DOWN);
        event.SetAltDown(flags & wxTHUMBNAIL_ALT_DOWN);
        event.SetEventObject(m_strip);
        event.SetId(m_strip->GetId());
        return m_strip->ProcessWindowEvent(event);
    }
};
} // namespace

TEST_F(StripInput, LeftClickReportsDeselectionsSelectionThenTheClick)
{
    SetSelection({1, 4});
    Notices().clear();
    Mouse(wxEVT_LEFT_DOWN, TilePoint(7));
    EXPECT_EQ(Ints({7}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{
                  Deselected(1), Deselected(4), Selected(7),
                  Notice(wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, 7, 0)}),
              Notices());

    Notices().clear();
    Mouse(wxEVT_LEFT_DOWN, TilePoint(9), wxTHUMBNAIL_SHIFT_DOWN | wxTHUMBNAIL_ALT_DOWN);
    EXPECT_EQ(Ints({7, 8, 9}), Selection());
    ASSERT_EQ(4u, Notices().size());
    EXPECT_EQ(Notice(wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, 9,
                     wxTHUMBNAIL_SHIFT_DOWN | wxTHUMBNAIL_ALT_DOWN),
              Notices().back());
}

TEST_F(StripInput, OtherButtonsReportWithoutChangingTheSelection)
{
    m_strip->DoSelection(2, 0);
    Notices().clear();
    Mouse(wxEVT_RIGHT_DOWN, TilePoint(5), wxTHUMBNAIL_CTRL_DOWN);
    EXPECT_EQ(Ints({2}), Selection());
    EXPECT_EQ(5, m_strip->GetFocusItem());
    Mouse(wxEVT_MIDDLE_DOWN, TilePoint(6));
    Mouse(wxEVT_LEFT_DCLICK, TilePoint(8), wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ((std::vector<StripNotice>{
                  Notice(wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK, 5, wxTHUMBNAIL_CTRL_DOWN),
                  Notice(wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK, 6, 0),
                  Notice(wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK, 8, wxTHUMBNAIL_SHIFT_DOWN)}),
              Notices());
    EXPECT_EQ(Ints({2}), Selection());
}

TEST_F(StripInput, ClicksBesideOrBelowTheEntriesReportNothing)
{
    m_strip->ScrollIntoView(9, WXK_END);
    wxRect last;
    m_strip->GetItemRect(9, last, true);
    // Below the last entry, and right of the last column on the first row.
    Mouse(wxEVT_LEFT_DOWN, wxPoint(last.GetRight() + 10, last.y + 10));
    Mouse(wxEVT_RIGHT_DOWN, wxPoint(last.GetRight() + 10, last.y + 10));
    Mouse(wxEVT_LEFT_DOWN, wxPoint(m_strip->GetClientSize().x - 2, last.y + 10));
    EXPECT_TRUE(Notices().empty());
    EXPECT_TRUE(Selection().empty());
}

TEST_F(StripInput, NavigationKeysFollowTheTable)
{
    struct Case
    {
        int key, from, to;
    } const cases[] = {
        {WXK_RIGHT, 4, 5},    {WXK_DOWN, 4, 7},     {WXK_DOWN, 8, 8},    {WXK_UP, 1, 1},
        {WXK_PAGEDOWN, 1, 7}, {WXK_PAGEDOWN, 5, 9}, {WXK_PAGEUP, 4, 0},  {WXK_HOME, 4, 0},
        {WXK_END, 4, 9},      {WXK_LEFT, 4, 3},     {WXK_LEFT, 0, 0},    {WXK_UP, 7, 4},
    };
    for (const Case& c : cases)
    {
        m_strip->DoSelection(c.from, 0);
        m_strip->EnsureVisible(c.from);
        Notices().clear();
        EXPECT_TRUE(Key(c.key)) << "key " << c.key << " was passed on";
        EXPECT_EQ(c.to, m_strip->GetFocusItem()) << "key " << c.key << " from " << c.from;
        EXPECT_EQ(Ints({c.to}), Selection());
        if (c.to == c.from)
        {
            EXPECT_TRUE(Notices().empty());
        }
        wxRect r;
        m_strip->GetItemRect(c.to, r, true);
        EXPECT_GE(r.y, 0) << "entry " << c.to << " scrolled out of view";
        EXPECT_LT(r.GetBottom(), m_strip->GetClientSize().y) << "entry " << c.to;
    }
}

TEST_F(StripInput, TheFirstKeyAfterAppendSelectsTheFirstEntry)
{
    m_strip->ScrollIntoView(9, WXK_END);
    ASSERT_GT(m_strip->GetViewStart().y, 0);
    EXPECT_TRUE(Key(WXK_END));
    EXPECT_EQ(Ints({0}), Selection());
    EXPECT_EQ(0, m_strip->GetFocusItem());
    EXPECT_EQ((std::vector<StripNotice>{Selected(0)}), Notices());
    // End scrolls by the forward rule: entry 0 lies above, so the view goes up.
    EXPECT_EQ(0, m_strip->GetViewStart().y);
}

TEST_F(StripInput, ShiftAndCtrlKeysExtendAndToggle)
{
    Mouse(wxEVT_LEFT_DOWN, TilePoint(2));
    Key(WXK_RIGHT, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 3}), Selection());
    Key(WXK_RIGHT, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 3, 4}), Selection());
    Key(WXK_LEFT, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 3}), Selection());

    Key(WXK_DOWN, wxTHUMBNAIL_CTRL_DOWN);
    EXPECT_EQ(Ints({2, 3, 6}), Selection());
    EXPECT_EQ(6, m_strip->GetFocusItem());
    Key(WXK_UP, wxTHUMBNAIL_CTRL_DOWN);
    EXPECT_EQ(Ints({2, 6}), Selection());
    EXPECT_EQ(3, m_strip->GetFocusItem());
}

TEST_F(StripInput, EnterReportsWithoutAnEntryOtherKeysPassOn)
{
    EXPECT_TRUE(Key(WXK_RETURN, wxTHUMBNAIL_CTRL_DOWN));
    EXPECT_EQ((std::vector<StripNotice>{
                  Notice(wxEVT_COMMAND_THUMBNAIL_RETURN, -1, wxTHUMBNAIL_CTRL_DOWN)}),
              Notices());
    Notices().clear();
    EXPECT_FALSE(Key('a'));
    EXPECT_TRUE(Notices().empty());
    EXPECT_TRUE(Selection().empty());

    // A veto changes nothing; an empty strip ignores navigation.
    m_frame->vetoAll = true;
    Mouse(wxEVT_LEFT_DOWN, TilePoint(3));
    EXPECT_EQ(Ints({3}), Selection());
    m_strip->Clear();
    EXPECT_FALSE(m_strip->Navigate(WXK_DOWN, 0));
}
