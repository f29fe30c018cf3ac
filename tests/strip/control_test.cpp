// The strip's geometry with the measured font, its entry list, selection
// model, notifications, scrolling and its own freeze counter.
#include "stripfixture.h"
#include "window/imagethumbnailitem.h"

#include <wx/dcclient.h>

using Ints = std::vector<int>;

TEST_F(StripFixture, TileSizeComesFromTheMeasuredTextHeight)
{
    wxClientDC dc(m_strip);
    dc.SetFont(m_strip->GetFont());
    const int textHeight = dc.GetTextExtent("X").y;
    ASSERT_GT(textHeight, 0);
    EXPECT_EQ(textHeight, m_strip->GetThumbnailTextHeight());
    EXPECT_EQ(wxSize(86, 92 + 2 * textHeight), m_strip->GetThumbnailOverallSize());
    EXPECT_EQ(3, m_strip->GetId());
    EXPECT_TRUE(m_strip->HasFlag(wxWANTS_CHARS));
    EXPECT_TRUE(m_strip->HasFlag(wxTHUMBNAIL_MULTIPLE_SELECT | wxTHUMBNAIL_FILE_LABEL |
                                 wxTHUMBNAIL_FRAME_LABEL));

    ShowGrid(3, 2);
    Fill(10);
    wxRect tile, image;
    ASSERT_TRUE(m_strip->GetItemRect(4, tile, false));
    EXPECT_EQ(m_strip->GetLayout().TileRect(4, m_strip->GetClientSize().x), tile);
    ASSERT_TRUE(m_strip->GetItemRectImage(4, image, false));
    EXPECT_EQ(wxRect(tile.x + 3, tile.y + 6 + textHeight, 80, 80), image);
}

TEST_F(StripFixture, ScrollingKeepsTheFocusEntryWhollyInView)
{
    ShowGrid(3, 2);
    int unitX = -1, unitY = -1;
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(0, unitY) << "an empty strip has no scroll bar";

    Fill(10);
    ASSERT_TRUE(GridIs(3, 2));
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(0, unitX);
    EXPECT_EQ(10, unitY);
    const ThumbnailLayout layout = m_strip->GetLayout();
    const wxSize client = m_strip->GetClientSize();
    EXPECT_EQ(layout.ScrollUnits(10, client.x) * 10, m_strip->GetVirtualSize().y);

    auto fullyVisible = [&](int n) {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r.y >= 0 && r.GetBottom() < m_strip->GetClientSize().y;
    };
    m_strip->ScrollIntoView(9, WXK_END);
    EXPECT_TRUE(fullyVisible(9));
    EXPECT_EQ(layout.MaxViewStart(10, client.x, client.y), m_strip->GetViewStart().y);

    // Hit tests and tile rectangles follow the scrolled view.
    wxRect last;
    m_strip->GetItemRect(9, last, true);
    int hit = -1;
    EXPECT_TRUE(m_strip->HitTest(last.GetPosition() + wxPoint(5, 5), hit));
    EXPECT_EQ(9, hit);
    EXPECT_FALSE(m_strip->HitTest(last.GetPosition() + wxPoint(100, 5), hit));

    m_strip->ScrollIntoView(1, WXK_UP);
    EXPECT_TRUE(fullyVisible(1));
    EXPECT_EQ(0, m_strip->GetViewStart().y);
    m_strip->ScrollIntoView(9, WXK_RETURN);
    EXPECT_EQ(0, m_strip->GetViewStart().y);
    m_strip->EnsureVisible(7);
    EXPECT_TRUE(fullyVisible(7));

    m_strip->Clear();
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(0, unitY);
}

TEST_F(StripFixture, InsertAndDeleteKeepSelectionIndicesOnTheirEntries)
{
    ShowGrid(3, 2);
    Fill(6);
    SetSelection({0, 2});
    EXPECT_EQ(m_strip->Insert(MakeEntry(m_dir.Path(), "new.png", 10, 10), 0), 0);
    EXPECT_EQ(Ints({1, 3}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    EXPECT_EQ(-1, m_strip->GetFirstSelection());
    EXPECT_EQ(7, m_strip->GetCount());
    EXPECT_EQ(m_dir.File("new.png"), m_strip->GetItem(0)->GetFilename());

    m_strip->Clear();
    EXPECT_TRUE(Selection().empty());
    Fill(6);
    SetSelection({0, 2, 3});
    ASSERT_EQ(3, m_strip->GetFocusItem());
    const wxString fifth = m_strip->GetItem(4)->GetFilename();
    m_strip->Delete(1);
    EXPECT_EQ(Ints({0, 1, 2}), Selection());
    EXPECT_EQ(3, m_strip->GetFocusItem());
    EXPECT_EQ(fifth, m_strip->GetItem(3)->GetFilename());
    m_strip->Delete(3);
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    m_strip->Delete(1);
    EXPECT_EQ(Ints({0, 1}), Selection());
    EXPECT_EQ(3, m_strip->GetCount());

    // Append resets the anchor and focus but keeps the selection.
    m_strip->Select(2);
    Fill(1);
    EXPECT_EQ(Ints({0, 1, 2}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    EXPECT_EQ(-1, m_strip->GetFirstSelection());
    EXPECT_EQ(-1, m_strip->GetLastSelection());
}

TEST_F(StripFixture, PlainSelectionReportsDeselectionsThenTheNewEntry)
{
    ShowGrid(3, 2);
    Fill(10);
    SetSelection({1, 4});
    Notices().clear();
    m_strip->DoSelection(4, 0);
    EXPECT_EQ(Ints({4}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{Deselected(1), Selected(4)}), Notices());
}

TEST_F(StripFixture, ShiftExtendsFromTheAnchorInWalkingOrder)
{
    ShowGrid(3, 2);
    Fill(10);
    m_strip->DoSelection(2, 0);
    Notices().clear();

    m_strip->DoSelection(5, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 3, 4, 5}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{Selected(2), Selected(3), Selected(4), Selected(5)}),
              Notices());
    EXPECT_EQ(2, m_strip->GetFirstSelection());
    EXPECT_EQ(5, m_strip->GetFocusItem());

    Notices().clear();
    m_strip->ForgetRefreshes();
    m_strip->DoSelection(0, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 1, 0}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{Selected(2), Selected(1), Selected(0)}), Notices());
    EXPECT_EQ(2, m_strip->GetFirstSelection());
    // The dropped entries are repainted without notifications; only tiles
    // are repainted, never the whole window.
    for (int i : {3, 4, 5, 0, 1, 2})
        EXPECT_TRUE(m_strip->TileRefreshed(i)) << i;
    EXPECT_FALSE(m_strip->TileRefreshed(6));
    EXPECT_EQ(0, m_strip->fullRefreshes);
}

TEST_F(StripFixture, ShiftWithoutAnchorSelectsOnlyTheEntry)
{
    ShowGrid(3, 2);
    Fill(10);
    SetSelection({1, 3});
    Fill(1); // drops the anchor
    Notices().clear();
    m_strip->ForgetRefreshes();
    m_strip->DoSelection(5, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({5}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{Selected(5)}), Notices());
    EXPECT_TRUE(m_strip->TileRefreshed(1));
    EXPECT_TRUE(m_strip->TileRefreshed(3));
    EXPECT_EQ(5, m_strip->GetFirstSelection());
}

TEST_F(StripFixture, CtrlTogglesAndWinsOverShift)
{
    ShowGrid(3, 2);
    Fill(10);
    m_strip->DoSelection(5, 0);
    Notices().clear();
    m_strip->DoSelection(5, wxTHUMBNAIL_CTRL_DOWN);
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ((std::vector<StripNotice>{Deselected(5)}), Notices());
    EXPECT_EQ(5, m_strip->GetFocusItem());

    Notices().clear();
    m_strip->DoSelection(7, 0);
    m_strip->DoSelection(2, wxTHUMBNAIL_CTRL_DOWN | wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({7, 2}), Selection());
    EXPECT_EQ((std::vector<StripNotice>{Selected(7), Selected(2)}), Notices());
}

TEST_F(StripFixture, SelectAllCommandSelectsEverythingSilently)
{
    ShowGrid(3, 2);
    wxUpdateUIEvent update(wxID_SELECTALL);
    m_strip->ProcessWindowEvent(update);
    EXPECT_FALSE(update.GetEnabled());

    Fill(10);
    m_strip->Select(4);
    Notices().clear();
    wxUpdateUIEvent update2(wxID_SELECTALL);
    m_strip->ProcessWindowEvent(update2);
    EXPECT_TRUE(update2.GetEnabled());

    wxCommandEvent command(wxEVT_MENU, wxID_SELECTALL);
    m_strip->ProcessWindowEvent(command);
    EXPECT_EQ(Ints({4, 0, 1, 2, 3, 5, 6, 7, 8, 9}), Selection());
    EXPECT_EQ(9, m_strip->GetFocusItem());
    EXPECT_TRUE(Notices().empty());
}

TEST_F(StripFixture, FreezeDefersLayoutAndRepaintToTheLastThaw)
{
    ShowGrid(3, 2);
    m_strip->ForgetRefreshes();
    m_strip->Freeze();
    m_strip->Freeze();
    EXPECT_FALSE(m_strip->wxWindow::IsFrozen()) << "the native window must not be frozen";
    Fill(10);
    m_strip->Select(3);
    m_strip->SetFocusItem(4);
    int unitX = -1, unitY = -1;
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(0, unitY);
    EXPECT_EQ(0, m_strip->fullRefreshes);
    EXPECT_TRUE(m_strip->refreshed.empty());

    m_strip->Thaw();
    EXPECT_EQ(0, m_strip->fullRefreshes);
    m_strip->Thaw();
    EXPECT_FALSE(m_strip->IsLayoutFrozen());
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(10, unitY);
    EXPECT_GE(m_strip->fullRefreshes, 1);
    EXPECT_EQ(Ints({3}), Selection());
    EXPECT_EQ(4, m_strip->GetFocusItem());

    // An unmatched Thaw does nothing.
    m_strip->Thaw();
    EXPECT_FALSE(m_strip->IsLayoutFrozen());
}
