// Tile arithmetic, keyboard targets and new orders of moved entries.
#include "strip/frameoperations.h"
#include "strip/thumbnaillayout.h"
#include "strip/thumbnailorder.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

// An 80x80 image box, margin and spacing 3, text 13 pixels high.
static const ThumbnailLayout layout{{80, 80}, 3, 3, 13};

// The scroll limit rounds up, or the last 7 pixels were unreachable (mended).
TEST(StripLayout, TilesColumnsAndScrollLimit)
{
    EXPECT_EQ(wxRect(92, 124, 86, 118), layout.TileRect(4, 300));
    EXPECT_EQ(wxRect(95, 143, 80, 80), layout.ImageRect(4, 300));
    EXPECT_EQ(wxRect(3, 3 + 121 * 4, 86, 118), layout.TileRect(4, 50));
    EXPECT_EQ(487, layout.VirtualHeight(10, 300));
    EXPECT_EQ(49, layout.ScrollUnits(10, 300));
    EXPECT_EQ(19, layout.MaxViewStart(10, 300, 300));
    EXPECT_EQ(0, layout.MaxViewStart(10, 300, 600));
}

// Mended: a point right of the last full column selected an entry of the next row.
TEST(StripLayout, HitTestCoversGapsButNotTheBlankRightOfTheGrid)
{
    const struct { wxPoint pt; int viewTop, hit; } cases[] = {
        {{5, 2}, 0, 0}, {{88, 0}, 0, 0}, {{89, 0}, 0, 1}, {{100, 130}, 0, 4}, {{5, 10}, 120, 3}, {{299, 10}, 0, -1},
        {{-1, 10}, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, layout.HitIndex(c.pt, c.viewTop, 300)) << c.pt.x << "," << c.pt.y;
}

// Ten entries, three per row, two rows per page; off the ends leads nowhere.
TEST(StripLayout, NavigationTargets)
{
    const struct { int key, from, target; } cases[] = {
        {WXK_RIGHT, 4, 5},  {WXK_LEFT, 4, 3},    {WXK_DOWN, 4, 7},     {WXK_UP, 4, 1},    {WXK_DOWN, 8, -1},
        {WXK_UP, 1, -1},    {WXK_RIGHT, 9, -1},  {WXK_PAGEDOWN, 5, 9}, {WXK_PAGEUP, 8, 2}, {WXK_HOME, 4, 0},
        {WXK_END, 4, 9},    {'a', 4, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.target, NavigationTarget(c.key, c.from, 10, 3, 2)) << c.key << " from " << c.from;
    EXPECT_EQ(-1, NavigationTarget(WXK_HOME, 0, 0, 3, 2));
}

// The view start (units of 10 pixels) after a key, or -1 when already in view.
TEST(StripLayout, ScrollIntoViewStart)
{
    const wxRect tile(3, 124, 86, 118);
    const struct { int viewTop, height, key, start; } cases[] = {
        {100, 142, WXK_DOWN, -1}, {0, 200, WXK_DOWN, 5}, {200, 300, WXK_UP, 12},
        {130, 100, WXK_DOWN, -1}, {0, 100, WXK_DOWN, 12}, {0, 200, 'a', -1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.start, ScrollIntoViewStart(tile, c.viewTop, c.height, 3, c.key)) << c.viewTop << "+" << c.height;
}

// A dragged entry lands before the tile whose left half is under the pointer.
TEST(StripLayout, InsertionGapsAndTheirMarks)
{
    const struct { wxPoint pt; int viewTop, gap; } cases[] = {
        {{5, 10}, 0, 0},   {{50, 10}, 0, 1},  {{140, 10}, 0, 2},  {{280, 10}, 0, 3}, {{5, 130}, 0, 3},
        {{280, 250}, 0, 7}, {{5, 600}, 0, 7}, {{5, 10}, 121, 3}, {{-40, -40}, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.gap, layout.InsertionGap(c.pt, c.viewTop, 300, 7)) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(0, layout.InsertionGap({50, 10}, 0, 300, 0));
    EXPECT_EQ(wxRect(0, 3, 3, 118), layout.InsertionMarkRect(0, 300, 7));
    EXPECT_EQ(wxRect(267, 3, 3, 118), layout.InsertionMarkRect(3, 300, 7));
    EXPECT_EQ(wxRect(89, 245, 3, 118), layout.InsertionMarkRect(7, 300, 7));
}

// Moves gather the selection at the gap; shifts (-1/+1) keep its gaps; {} moves nothing.
TEST(StripOrder, MovesGatherTheSelectionAndShiftsKeepItsGaps)
{
    using Order = std::vector<int>;
    const struct { const char* label; Order selected; int gap; bool shift; Order order; } cases[] = {
        {"two to the front", {3, 1}, 0, false, {1, 3, 0, 2, 4}},
        {"onto itself", {2}, 3, false, {}},
        {"nothing selected", {}, 0, false, {}},
        {"gap beyond the end", {0}, 99, false, {1, 2, 3, 4, 0}},
        {"right with a gap inside", {0, 2}, 1, true, {1, 0, 3, 2, 4}},
        {"a run right", {2, 3}, 1, true, {0, 1, 4, 2, 3}},
        {"left at the start", {0, 3}, -1, true, {}},
        {"right at the end", {4}, 1, true, {}},
        {"nothing to shift", {}, 1, true, {}},
        {"indices out of range ignored", {-1, 7, 1}, -1, true, {1, 0, 2, 3, 4}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shift ? OrderForShift(5, c.selected, c.gap) : OrderForMoveToGap(5, c.selected, c.gap), c.order)
            << c.label;
}

// Frame operations on a scattered selection (with an index out of range) or on all.
TEST(StripLayout, FrameOperationsOnTheSelectionOrOnAll)
{
    using Ints = std::vector<int>;
    const struct { const char* what; FrameArrangement got; Ints sources, selected; } cases[] = {
        {"reverse", ReverseFrames(6, {4, 1, 3, 9}), {0, 4, 2, 3, 1, 5}, {1, 3, 4}},
        {"reverse all", ReverseFrames(3, {}), {2, 1, 0}, {}},
        {"yo-yo", YoyoFrames(6, {4, 1, 2}), {0, 1, 2, 3, 4, 2, 5}, {5}},
        {"yo-yo of two", YoyoFrames(4, {}), {0, 1, 2, 3, 2, 1}, {4, 5}},
        {"yo-yo ends only", YoyoFrames(5, {1, 3}), {0, 1, 2, 3, 4}, {}},
        {"duplicate", DuplicateFrames(4, {3, 1}), {0, 1, 1, 2, 3, 3}, {2, 5}},
        {"remove every 2nd", RemoveEveryNthFrame(6, {5, 0, 2, 3}, 2), {0, 1, 3, 4}, {0, 2}},
        {"keep every 2nd", KeepEveryNthFrame(6, {1, 2, 3, 4}, 2), {0, 1, 3, 5}, {1, 2}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.got.sources, c.sources) << c.what;
        EXPECT_EQ(c.got.selected, c.selected) << c.what;
    }
}
