#pragma once
// Tile arithmetic of the thumbnail strip: columns, tile and image rectangles,
// hit testing, scroll limits and keyboard targets. Plain values only, so the
// layout can be checked without a window.

#include <wx/gdicmn.h>

#include <algorithm>

// Pixels per vertical scroll unit of the strip.
constexpr int THUMBNAIL_SCROLL_RATE = 10;

struct ThumbnailLayout
{
    wxSize imageSize{80, 80}; // the box every picture is scaled into
    int margin = 3;           // inner margin of a tile
    int spacing = 3;          // gap between tiles and to the top/left edge
    int textHeight = 0;       // height of one label line
    int labelWidth = 0;       // width of the widest frame label, measured in the label font

    // As wide as the picture box or the widest label, whichever is wider.
    int TileWidth() const { return std::max(imageSize.x, labelWidth) + 2 * margin; }
    int TileHeight() const { return imageSize.y + 4 * margin + 2 * textHeight; }

    // Tiles per row for a client width (at least one).
    int Columns(int clientWidth) const;
    // Whole rows per page for a client height (at least one).
    int RowsPerPage(int clientHeight) const;
    void RowCol(int item, int clientWidth, int& row, int& col) const;

    // Rectangles in virtual (unscrolled) coordinates.
    wxRect TileRect(int item, int clientWidth) const;
    wxRect ImageRect(int item, int clientWidth) const;

    // Index under a client point with the view scrolled down by viewTop
    // pixels; -1 for points outside every column. The caller checks the
    // result against the number of entries.
    int HitIndex(const wxPoint& clientPt, int viewTop, int clientWidth) const;

    // The gap (0..count) a dragged entry would be placed in for a client
    // point: before the tile whose left half the point is over, after the
    // last tile below or beside the last row.
    int InsertionGap(const wxPoint& clientPt, int viewTop, int clientWidth, int count) const;
    // The insertion mark of a gap, in virtual coordinates: a thin bar in the
    // spacing left of the gap's tile, or right of the last tile.
    wxRect InsertionMarkRect(int gap, int clientWidth, int count) const;

    // Height of the laid-out strip in pixels (0 when empty).
    int VirtualHeight(int count, int clientWidth) const;
    // Scroll units that cover the whole virtual height.
    int ScrollUnits(int count, int clientWidth) const;
    // Largest view start (in units) that still fills the client area.
    int MaxViewStart(int count, int clientWidth, int clientHeight) const;

    // View start (in units) after the client area changed from `before` to
    // `after` with the view `viewTop` pixels down: an entry that was in view
    // keeps its place on screen as far as it can and stays whole in view;
    // -1 when there is nothing to keep (no such entry, or it was out of view).
    int ViewStartAfterResize(int item, int count, const wxSize& before, const wxSize& after, int viewTop) const;
};

// New view start in scroll units that brings a tile (virtual rectangle) into
// view after a navigation key, or -1 when nothing needs to scroll (the tile is
// in view, or fills the view, or the key is no navigation key). A tile below
// the view comes in at the bottom, one above at the top; a tile taller than
// the view shows its top. Asked again after scrolling, the answer is -1.
int ScrollIntoViewStart(const wxRect& tile, int viewTop, int clientHeight, int spacing,
                        int keyCode);

// Target entry of a navigation key from entry `current`, or -1 when the key
// leads nowhere (Right/Left/Down/Up off the ends, or not a navigation key).
int NavigationTarget(int keyCode, int current, int count, int perRow, int rowsPerPage);

// Size of a picture scaled down to fit a box, aspect kept, never enlarged.
// A side may truncate to 0 for very thin pictures.
wxSize FitSizeToBox(const wxSize& picture, const wxSize& box);
