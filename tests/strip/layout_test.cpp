// Tile arithmetic, keyboard targets, picture fitting and frame labels of the
// thumbnail strip, checked without a display.
#include "window/thumbnaillabel.h"
#include "window/thumbnaillayout.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

namespace
{
ThumbnailLayout LayoutWithText(int textHeight)
{
    ThumbnailLayout layout;
    layout.textHeight = textHeight;
    return layout;
}
} // namespace

TEST(StripLayout, TilesAndImageBoxFollowTheTextHeight)
{
    const ThumbnailLayout layout = LayoutWithText(13);
    EXPECT_EQ(86, layout.TileWidth());
    EXPECT_EQ(118, layout.TileHeight());
    EXPECT_EQ(3, layout.Columns(300));
    EXPECT_EQ(1, layout.Columns(50));
    EXPECT_EQ(1, layout.Columns(0));

    int row = -1, col = -1;
    layout.RowCol(4, 300, row, col);
    EXPECT_EQ(1, row);
    EXPECT_EQ(1, col);
    EXPECT_EQ(wxRect(92, 124, 86, 118), layout.TileRect(4, 300));
    EXPECT_EQ(wxRect(95, 143, 80, 80), layout.ImageRect(4, 300));
    EXPECT_EQ(wxRect(3, 3 + 121 * 4, 86, 118), layout.TileRect(4, 50));

    const ThumbnailLayout taller = LayoutWithText(17);
    EXPECT_EQ(92 + 34, taller.TileHeight());
    EXPECT_EQ(wxPoint(3 + 3, 3 + 6 + 17), taller.ImageRect(0, 300).GetPosition());
}

TEST(StripLayout, VirtualHeightAndScrollLimitReachTheLastRow)
{
    const ThumbnailLayout layout = LayoutWithText(13);
    EXPECT_EQ(0, layout.VirtualHeight(0, 300));
    EXPECT_EQ(487, layout.VirtualHeight(10, 300));
    EXPECT_EQ(3 + 121, layout.VirtualHeight(3, 300));
    // Whole units would leave the last 7 pixels unreachable; they round up.
    EXPECT_EQ(49, layout.ScrollUnits(10, 300));
    EXPECT_EQ(19, layout.MaxViewStart(10, 300, 300));
    const wxRect last = layout.TileRect(9, 300);
    EXPECT_LE(last.GetBottom(), 19 * THUMBNAIL_SCROLL_RATE + 300 - 1);
    EXPECT_EQ(0, layout.MaxViewStart(10, 300, 600));
}

TEST(StripLayout, HitTestCoversTileGapsButNotTheBlankRightOfTheGrid)
{
    const ThumbnailLayout layout = LayoutWithText(13);
    EXPECT_EQ(0, layout.HitIndex(wxPoint(5, 2), 0, 300));
    EXPECT_EQ(0, layout.HitIndex(wxPoint(88, 0), 0, 300));
    EXPECT_EQ(1, layout.HitIndex(wxPoint(89, 0), 0, 300));
    EXPECT_EQ(4, layout.HitIndex(wxPoint(100, 130), 0, 300));
    // Scrolled down by 12 units: client y 10 lies in the second row.
    EXPECT_EQ(3, layout.HitIndex(wxPoint(5, 10), 120, 300));
    // Right of the last full column there is no tile (it must not select
    // an entry of the next row).
    EXPECT_EQ(-1, layout.HitIndex(wxPoint(299, 10), 0, 300));
    EXPECT_EQ(-1, layout.HitIndex(wxPoint(-1, 10), 0, 300));
}

TEST(StripLayout, NavigationTargetsForTenEntriesThreePerRowTwoRowsPerPage)
{
    struct Case
    {
        int key, from, target;
    } const cases[] = {
        {WXK_RIGHT, 4, 5},    {WXK_LEFT, 4, 3},     {WXK_DOWN, 4, 7},     {WXK_UP, 4, 1},
        {WXK_DOWN, 8, -1},    {WXK_UP, 1, -1},      {WXK_RIGHT, 9, -1},   {WXK_LEFT, 0, -1},
        {WXK_PAGEDOWN, 1, 7}, {WXK_PAGEDOWN, 5, 9}, {WXK_PAGEUP, 4, 0},   {WXK_PAGEUP, 8, 2},
        {WXK_HOME, 4, 0},     {WXK_END, 4, 9},      {WXK_RETURN, 4, -1},  {'a', 4, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.target, NavigationTarget(c.key, c.from, 10, 3, 2))
            << "key " << c.key << " from " << c.from;
    EXPECT_EQ(-1, NavigationTarget(WXK_HOME, 0, 0, 3, 2));
}

TEST(StripLayout, ScrollIntoViewTestsTheLeadingEdgeOfTheMove)
{
    const wxRect tile(3, 366, 86, 118); // last row of ten entries, T = 13
    // Forward keys: bottom below the view scrolls it fully in.
    EXPECT_EQ(19, ScrollIntoViewStart(tile, 0, 300, 3, WXK_DOWN));
    EXPECT_EQ(19, ScrollIntoViewStart(tile, 0, 300, 3, WXK_END));
    EXPECT_EQ(-1, ScrollIntoViewStart(tile, 190, 300, 3, WXK_RIGHT));
    // Backward keys: top above the view scrolls to the top.
    const wxRect first(3, 3, 86, 118);
    EXPECT_EQ(0, ScrollIntoViewStart(first, 190, 300, 3, WXK_UP));
    EXPECT_EQ(0, ScrollIntoViewStart(first, 190, 300, 3, WXK_PAGEDOWN));
    // A tile taller than the view: forward shows its bottom, back its top.
    const wxRect tall(3, 124, 86, 118);
    EXPECT_EQ(15, ScrollIntoViewStart(tall, 130, 100, 3, WXK_DOWN));
    EXPECT_EQ(12, ScrollIntoViewStart(tall, 130, 100, 3, WXK_UP));
    EXPECT_EQ(-1, ScrollIntoViewStart(tile, 0, 300, 3, WXK_RETURN));
}

TEST(StripLayout, PicturesShrinkToTheBoxAndAreNeverEnlarged)
{
    const wxSize box(80, 80);
    EXPECT_EQ(wxSize(80, 60), FitSizeToBox(wxSize(160, 120), box));
    EXPECT_EQ(wxSize(80, 60), FitSizeToBox(wxSize(640, 480), box));
    EXPECT_EQ(wxSize(26, 80), FitSizeToBox(wxSize(100, 300), box));
    EXPECT_EQ(wxSize(80, 79), FitSizeToBox(wxSize(81, 80), box));
    EXPECT_EQ(wxSize(68, 80), FitSizeToBox(wxSize(97, 113), box));
    EXPECT_EQ(wxSize(50, 40), FitSizeToBox(wxSize(50, 40), box));
    EXPECT_EQ(wxSize(80, 0), FitSizeToBox(wxSize(1000, 3), box));
}

TEST(StripLayout, FrameLabelsShowNumberAndStartTime)
{
    EXPECT_EQ("#1  0.00sec", FormatFrameLabel(0, 10));
    EXPECT_EQ("#4  0.30sec", FormatFrameLabel(3, 10));
    EXPECT_EQ("#4  0.21sec", FormatFrameLabel(3, 7));
    EXPECT_EQ("#8  1.05sec", FormatFrameLabel(7, 15));
    EXPECT_EQ("#1000  9.99sec", FormatFrameLabel(999, 1));
    EXPECT_EQ("#101  33.00sec", FormatFrameLabel(100, 33));
}
