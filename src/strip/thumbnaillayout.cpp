#include "strip/thumbnaillayout.h"

#include <wx/defs.h>

#include <algorithm>

int ThumbnailLayout::Columns(int clientWidth) const
{
    return std::max(1, clientWidth / (TileWidth() + spacing));
}

int ThumbnailLayout::RowsPerPage(int clientHeight) const
{
    return std::max(1, clientHeight / (TileHeight() + spacing));
}

void ThumbnailLayout::RowCol(int item, int clientWidth, int& row, int& col) const
{
    const int columns = Columns(clientWidth);
    row = item / columns;
    col = item % columns;
}

wxRect ThumbnailLayout::TileRect(int item, int clientWidth) const
{
    int row = 0, col = 0;
    RowCol(item, clientWidth, row, col);
    return wxRect(spacing + (spacing + TileWidth()) * col, spacing + (spacing + TileHeight()) * row,
                  TileWidth(), TileHeight());
}

wxRect ThumbnailLayout::ImageRect(int item, int clientWidth) const
{
    const wxRect tile = TileRect(item, clientWidth);
    return wxRect(tile.x + (tile.width - imageSize.x) / 2, tile.y + (tile.height - imageSize.y) / 2,
                  imageSize.x, imageSize.y);
}

int ThumbnailLayout::HitIndex(const wxPoint& clientPt, int viewTop, int clientWidth) const
{
    const int y = viewTop + clientPt.y;
    if (clientPt.x < 0 || y < 0)
        return -1;
    const int columns = Columns(clientWidth);
    const int col = clientPt.x / (TileWidth() + spacing);
    // The blank area right of the last column belongs to no tile; counting it
    // on would pick an entry of the next row.
    if (col >= columns)
        return -1;
    const int row = y / (TileHeight() + spacing);
    return row * columns + col;
}

int ThumbnailLayout::InsertionGap(const wxPoint& clientPt, int viewTop, int clientWidth, int count) const
{
    if (count <= 0)
        return 0;
    const int columns = Columns(clientWidth);
    const int y = std::max(0, viewTop + clientPt.y);
    const int row = y / (TileHeight() + spacing);
    // Half a tile to the right of each tile's left edge moves the gap on.
    const int pitch = TileWidth() + spacing;
    const int col = std::clamp((std::max(0, clientPt.x) + pitch / 2) / pitch, 0, columns);
    const long long gap = static_cast<long long>(row) * columns + col;
    return static_cast<int>(std::min<long long>(gap, count));
}

wxRect ThumbnailLayout::InsertionMarkRect(int gap, int clientWidth, int count) const
{
    if (count <= 0)
        return wxRect();
    gap = std::clamp(gap, 0, count);
    const int barWidth = std::max(2, spacing);
    // The gap after the last tile of a row is drawn right of that tile, not
    // at the start of the next row.
    if (gap == count || (gap > 0 && gap % Columns(clientWidth) == 0))
    {
        const wxRect tile = TileRect(gap - 1, clientWidth);
        return wxRect(tile.GetRight() + 1 + (spacing - barWidth) / 2, tile.y, barWidth, tile.height);
    }
    const wxRect tile = TileRect(gap, clientWidth);
    return wxRect(tile.x - spacing + (spacing - barWidth) / 2, tile.y, barWidth, tile.height);
}

int ThumbnailLayout::VirtualHeight(int count, int clientWidth) const
{
    if (count <= 0)
        return 0;
    int row = 0, col = 0;
    RowCol(count - 1, clientWidth, row, col);
    return spacing + (spacing + TileHeight()) * (row + 1);
}

int ThumbnailLayout::ScrollUnits(int count, int clientWidth) const
{
    // Rounded up, so that the last row can be scrolled fully into view.
    return (VirtualHeight(count, clientWidth) + THUMBNAIL_SCROLL_RATE - 1) / THUMBNAIL_SCROLL_RATE;
}

int ThumbnailLayout::MaxViewStart(int count, int clientWidth, int clientHeight) const
{
    const int overflow = std::max(0, VirtualHeight(count, clientWidth) - clientHeight);
    return (overflow + THUMBNAIL_SCROLL_RATE - 1) / THUMBNAIL_SCROLL_RATE;
}

namespace
{
int BottomInView(const wxRect& tile, int spacing, int clientHeight)
{
    const int overflow = tile.y + tile.height + spacing - clientHeight;
    return (overflow + THUMBNAIL_SCROLL_RATE - 1) / THUMBNAIL_SCROLL_RATE;
}

bool IsNavigationKey(int keyCode)
{
    switch (keyCode)
    {
        case WXK_RIGHT:
        case WXK_DOWN:
        case WXK_END:
        case WXK_PAGEDOWN:
        case WXK_LEFT:
        case WXK_UP:
        case WXK_HOME:
        case WXK_PAGEUP:
            return true;
        default:
            return false;
    }
}
} // namespace

int ScrollIntoViewStart(const wxRect& tile, int viewTop, int clientHeight, int spacing, int keyCode)
{
    if (!IsNavigationKey(keyCode))
        return -1;
    const bool belowView = tile.y + tile.height > viewTop + clientHeight;
    const bool aboveView = tile.y < viewTop;
    // A tile taller than the view that fills it is as much in view as it can
    // be; scrolling to either end would flip to the other end on the next call.
    if (belowView == aboveView)
        return -1;
    // Showing the bottom never pushes the top out, so a tile taller than the
    // view comes to rest with its top (its name) in view and stays there.
    const int showTop = tile.y / THUMBNAIL_SCROLL_RATE;
    const int start = belowView ? std::min(BottomInView(tile, spacing, clientHeight), showTop) : showTop;
    return start * THUMBNAIL_SCROLL_RATE == viewTop ? -1 : std::max(0, start);
}

int ThumbnailLayout::ViewStartAfterResize(int item, int count, const wxSize& before, const wxSize& after,
                                          int viewTop) const
{
    if (item < 0 || item >= count)
        return -1;
    const wxRect was = TileRect(item, before.x);
    if (was.GetBottom() < viewTop || was.y >= viewTop + before.y)
        return -1; // out of view before: the user scrolled away from it
    // The tile keeps its distance from the top of the view where it can ...
    const wxRect now = TileRect(item, after.x);
    const int offset = was.y - viewTop;
    int start = std::max(0, now.y - offset) / THUMBNAIL_SCROLL_RATE;
    start = std::min(start, MaxViewStart(count, after.x, after.y));
    // ... and is brought whole into view where it cannot.
    const int inView = ScrollIntoViewStart(now, start * THUMBNAIL_SCROLL_RATE, after.y, spacing, WXK_DOWN);
    return inView >= 0 ? inView : start;
}

int NavigationTarget(int keyCode, int current, int count, int perRow, int rowsPerPage)
{
    if (count <= 0)
        return -1;
    int target = -1;
    switch (keyCode)
    {
        case WXK_RIGHT:
            target = current + 1;
            break;
        case WXK_LEFT:
            target = current - 1;
            break;
        case WXK_DOWN:
            target = current + perRow;
            break;
        case WXK_UP:
            target = current - perRow;
            break;
        case WXK_PAGEDOWN:
            return std::min(current + rowsPerPage * perRow, count - 1);
        case WXK_PAGEUP:
            return std::max(current - rowsPerPage * perRow, 0);
        case WXK_HOME:
            return 0;
        case WXK_END:
            return count - 1;
        default:
            return -1;
    }
    return (target >= 0 && target < count) ? target : -1;
}

wxSize FitSizeToBox(const wxSize& picture, const wxSize& box)
{
    if (picture.x <= 0 || picture.y <= 0)
        return wxSize(0, 0);
    const double sx = static_cast<double>(box.x) / picture.x;
    const double sy = static_cast<double>(box.y) / picture.y;
    if (sx < 1.0 || sy < 1.0)
    {
        const double s = std::min(sx, sy);
        return wxSize(static_cast<int>(picture.x * s), static_cast<int>(picture.y * s));
    }
    return picture;
}
