// Geometry with the measured font, the entry list, the selection model and
// its notifications, the freeze counter and the index assertions.
#include "stripfixture.h"
#include "window/thumbnailitem.h"

#include <wx/dcclient.h>

#include <functional>

TEST_F(StripFixture, GeometryAndScrollingFollowTheMeasuredTextHeight)
{
    wxClientDC dc(m_strip);
    dc.SetFont(m_strip->GetFont());
    const int t = dc.GetTextExtent("X").y;
    ASSERT_GT(t, 0);
    EXPECT_EQ(wxSize(86, 92 + 2 * t), m_strip->GetThumbnailOverallSize());
    EXPECT_EQ(ID_THUMBNAIL_CTRL, m_strip->GetId());

    ShowGrid();
    Fill(10);
    wxRect tile, image;
    ASSERT_TRUE(m_strip->GetItemRect(4, tile, false) && m_strip->GetItemRectImage(4, image, false));
    EXPECT_EQ(wxRect(92, 3 + tile.height + 3, 86, 92 + 2 * t), tile);
    EXPECT_EQ(wxRect(tile.x + 3, tile.y + 6 + t, 80, 80), image);

    int unitX = -1, unitY = -1;
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(10, unitY);
    const ThumbnailLayout layout = m_strip->GetLayout();
    const wxSize client = m_strip->GetClientSize();
    EXPECT_EQ(layout.ScrollUnits(10, client.x) * 10, m_strip->GetVirtualSize().y);
    m_strip->ScrollIntoView(9, WXK_END);
    EXPECT_EQ(layout.MaxViewStart(10, client.x, client.y), m_strip->GetViewStart().y);
    m_strip->GetItemRect(9, tile, true);
    EXPECT_LT(tile.GetBottom(), client.y);
}

TEST_F(StripFixture, InsertAndDeleteKeepSelectionIndicesOnTheirEntries)
{
    Fill(6);
    m_strip->Select(0);
    m_strip->Select(2);
    EXPECT_EQ(0, m_strip->Insert(Entry("new.png"), 0));
    EXPECT_EQ(Ints({1, 3}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    EXPECT_EQ(m_dir.File("new.png"), m_strip->GetItem(0)->GetFilename());

    m_strip->Clear();
    Fill(6);
    for (int i : {0, 2, 3})
        m_strip->Select(i);
    const wxString fifth = m_strip->GetItem(4)->GetFilename();
    m_strip->Delete(1);
    EXPECT_EQ(Ints({0, 1, 2}), Selection());
    EXPECT_EQ(3, m_strip->GetFocusItem());
    EXPECT_EQ(fifth, m_strip->GetItem(3)->GetFilename());
    m_strip->Delete(3);
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    m_strip->Delete(1);
    EXPECT_EQ(Ints({0, 1}), Selection());

    m_strip->Select(2); // Append drops anchor and focus but keeps the selection
    Fill(1);
    EXPECT_EQ(Ints({0, 1, 2}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    EXPECT_EQ(-1, m_strip->GetFirstSelection());
}

TEST_F(StripFixture, SelectionModelAndNotificationOrder)
{
    ShowGrid();
    Fill(10);
    m_strip->DoSelection(2, 0);
    TakeNotices();
    m_strip->DoSelection(5, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 3, 4, 5}), Selection());
    EXPECT_EQ("sel2 sel3 sel4 sel5", TakeNotices());

    // Backwards from the same anchor: the dropped entries are only repainted.
    m_strip->Forget();
    m_strip->DoSelection(0, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 1, 0}), Selection());
    EXPECT_EQ("sel2 sel1 sel0", TakeNotices());
    for (int i : {3, 4, 5, 0, 1, 2})
        EXPECT_TRUE(m_strip->TileRefreshed(i)) << i;
    EXPECT_FALSE(m_strip->TileRefreshed(6));
    EXPECT_EQ(0, m_strip->fullRefreshes);

    // Ctrl toggles (and wins over Shift).
    m_strip->DoSelection(1, wxTHUMBNAIL_CTRL_DOWN);
    m_strip->DoSelection(7, wxTHUMBNAIL_CTRL_DOWN | wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({2, 0, 7}), Selection());
    EXPECT_EQ("desel1 sel7", TakeNotices());
    EXPECT_EQ(7, m_strip->GetFocusItem());

    // Shift with no anchor (Append drops it) selects only the entry.
    Fill(1);
    m_strip->Forget();
    m_strip->DoSelection(5, wxTHUMBNAIL_SHIFT_DOWN);
    EXPECT_EQ(Ints({5}), Selection());
    EXPECT_EQ("sel5", TakeNotices());
    EXPECT_TRUE(m_strip->TileRefreshed(0) && m_strip->TileRefreshed(7));

    // The select-all command selects every entry without notifications.
    wxCommandEvent command(wxEVT_MENU, wxID_SELECTALL);
    m_strip->ProcessWindowEvent(command);
    EXPECT_EQ(Ints({5, 0, 1, 2, 3, 4, 6, 7, 8, 9, 10}), Selection());
    EXPECT_EQ("", TakeNotices());
}

TEST_F(StripFixture, FreezeDefersLayoutAndRepaintToTheLastThaw)
{
    ShowGrid();
    m_strip->Forget();
    m_strip->Freeze();
    m_strip->Freeze();
    EXPECT_FALSE(m_strip->wxWindow::IsFrozen()) << "the native window must not be frozen";
    Fill(10);
    m_strip->Select(3);
    m_strip->Thaw();
    int unitX = -1, unitY = -1;
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(0, unitY);
    EXPECT_TRUE(m_strip->refreshed.empty() && m_strip->fullRefreshes == 0);
    m_strip->Thaw();
    m_strip->GetScrollPixelsPerUnit(&unitX, &unitY);
    EXPECT_EQ(10, unitY);
    EXPECT_GE(m_strip->fullRefreshes, 1);
    m_strip->Thaw(); // unmatched: ignored
    EXPECT_FALSE(m_strip->IsLayoutFrozen());
}

// Mended: negative indices used to slip past the checks.
TEST_F(StripFixture, BadIndicesAssertAndLeaveTheStripUnchanged)
{
    Fill(5);
    m_strip->Select(1);
    m_strip->Select(3);
    m_strip->SetFocusItem(2);
    m_strip->Forget();
    wxRect rect(1, 2, 3, 4);
    int row = -5, col = -5;
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"n < GetCount()", [&] { return m_strip->GetItem(5) != nullptr; }},
        {"n < GetCount()", [&] { return m_strip->GetItem(-1) != nullptr; }},
        {"n < GetCount()", [&] { return m_strip->GetItemRect(5, rect); }},
        {"n < GetCount()", [&] { return m_strip->GetItemRectImage(-1, rect, false); }},
        {"item < GetCount()", [&] { return m_strip->GetRowCol(5, wxSize(300, 300), row, col); }},
        {"item < GetCount()", [&] { return m_strip->GetRowCol(-1, wxSize(300, 300), row, col); }},
        {"n < GetCount()", [&] { return m_strip->Select(5), false; }},
        {"n < GetCount()", [&] { return m_strip->Select(-1, false), false; }},
        {"item < GetCount()", [&] { return m_strip->SetFocusItem(9), false; }},
        {"item < GetCount()", [&] { return m_strip->SetFocusItem(-2), false; }},
        {"uiIndex < size()", [&] { return m_strip->Delete(5), false; }},
        {"uiIndex < size()", [&] { return m_strip->Delete(-1), false; }},
    };
    for (const auto& [cond, call] : cases)
    {
        EXPECT_FALSE(call()) << cond;
        EXPECT_EQ(std::vector<wxString>{cond}, std::exchange(g_asserts, {}));
        EXPECT_EQ(5, m_strip->GetCount());
        EXPECT_EQ(Ints({1, 3}), Selection());
        EXPECT_EQ(2, m_strip->GetFocusItem());
        EXPECT_EQ(3, m_strip->GetFirstSelection());
    }
    EXPECT_EQ(wxRect(1, 2, 3, 4), rect);
    EXPECT_EQ(wxPoint(-5, -5), wxPoint(col, row));
    EXPECT_TRUE(m_strip->refreshed.empty());
    m_strip->Clear();
    EXPECT_EQ(nullptr, m_strip->GetItem(0));
    EXPECT_EQ(std::vector<wxString>{"n < GetCount()"}, std::exchange(g_asserts, {}));
}
