#include "strip/thumbnailctrl.h"

#include "strip/thumbnailevent.h"
#include "strip/thumbnailflags.h"
#include "strip/thumbnailitem.h"
#include "strip/thumbnaillabel.h"
#include "strip/thumbnailorder.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/region.h>
#include <wx/settings.h>

#include <algorithm>
#include <cstdlib>

// Index errors are programming errors: report them through the toolkit's
// assertion mechanism and leave the control as it is. `ok` is the real test
// (it also rejects negative indices); `cond` is only the text reported.
#define wxTHUMBNAIL_CHECK(ok, cond, rc)                                        \
    if (!(ok))                                                                 \
    {                                                                          \
        wxFAIL_COND_MSG(cond, "invalid thumbnail index");                      \
        return rc;                                                             \
    }

namespace
{
int ModifierFlags(const wxKeyboardState& state)
{
    int flags = 0;
    if (state.ControlDown())
        flags |= wxTHUMBNAIL_CTRL_DOWN;
    if (state.ShiftDown())
        flags |= wxTHUMBNAIL_SHIFT_DOWN;
    if (state.AltDown())
        flags |= wxTHUMBNAIL_ALT_DOWN;
    return flags;
}
} // namespace

wxIMPLEMENT_CLASS(wxThumbnailCtrl, wxScrolledWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(wxThumbnailCtrl, wxScrolledWindow)
    EVT_PAINT(wxThumbnailCtrl::OnPaint)
    EVT_ERASE_BACKGROUND(wxThumbnailCtrl::OnEraseBackground)
    EVT_LEFT_DOWN(wxThumbnailCtrl::OnLeftClick)
    EVT_RIGHT_DOWN(wxThumbnailCtrl::OnRightClick)
    EVT_MIDDLE_DOWN(wxThumbnailCtrl::OnMiddleClick)
    EVT_LEFT_DCLICK(wxThumbnailCtrl::OnLeftDClick)
    EVT_CHAR(wxThumbnailCtrl::OnChar)
    EVT_MOTION(wxThumbnailCtrl::OnMouseMove)
    EVT_LEFT_UP(wxThumbnailCtrl::OnLeftUp)
    EVT_MOUSE_CAPTURE_LOST(wxThumbnailCtrl::OnCaptureLost)
    EVT_LEAVE_WINDOW(wxThumbnailCtrl::OnLeaveWindow)
    EVT_SIZE(wxThumbnailCtrl::OnSize)
    EVT_SET_FOCUS(wxThumbnailCtrl::OnSetFocus)
    EVT_KILL_FOCUS(wxThumbnailCtrl::OnKillFocus)
    EVT_MENU(wxID_SELECTALL, wxThumbnailCtrl::OnSelectAll)
    EVT_UPDATE_UI(wxID_SELECTALL, wxThumbnailCtrl::OnUpdateSelectAll)
wxEND_EVENT_TABLE()
// clang-format on

wxThumbnailCtrl::wxThumbnailCtrl(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : m_frameDelay(0),
      m_thumbnailOverallSize(-1, -1),
      m_thumbnailImageSize(80, 80),
      m_spacing(3),
      m_thumbnailMargin(3),
      m_thumbnailTextHeight(0),
      m_freezeCount(0),
      m_firstSelection(-1),
      m_lastSelection(-1),
      m_focusItem(-1),
      m_selectedFocusedColour(140, 140, 140),
      m_selectedUnfocusedColour(175, 175, 175),
      m_unselectedColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)),
      m_focusRectColour(100, 80, 80),
      m_frameLabelColour(0, 0, 200)
{
    // wxWANTS_CHARS: the arrow keys, Home/End, Page Up/Down and Enter must
    // reach OnChar instead of the panel's keyboard navigation.
    const long style = wxVSCROLL | wxBORDER_SUNKEN | wxWANTS_CHARS | wxTHUMBNAIL_MULTIPLE_SELECT |
                       wxTHUMBNAIL_FILE_LABEL | wxTHUMBNAIL_FRAME_LABEL;
    if (!Create(parent, ID_THUMBNAIL_CTRL, pos, size, style, wxPanelNameStr))
        return;
    if (!GetFont().IsOk())
        SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    CalculateOverallThumbnailSize();
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    SetInitialSize(size);
    RecreateBuffer(size);
}

wxThumbnailCtrl::~wxThumbnailCtrl()
{
    if (HasCapture())
        ReleaseMouse();
}

wxSize wxThumbnailCtrl::DoGetBestSize() const
{
    return wxWindowBase::DoGetBestSize();
}

void wxThumbnailCtrl::CalculateOverallThumbnailSize()
{
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    wxCoord width = 0, height = 0;
    dc.GetTextExtent("X", &width, &height);
    m_thumbnailTextHeight = height;
    // The tile grows with the font, so that every frame label is read whole.
    dc.GetTextExtent(kWidestFrameLabel, &width, &height);
    m_thumbnailLabelWidth = width;
    const ThumbnailLayout layout = GetLayout();
    m_thumbnailOverallSize = wxSize(layout.TileWidth(), layout.TileHeight());
}

ThumbnailLayout wxThumbnailCtrl::GetLayout() const
{
    ThumbnailLayout layout;
    layout.imageSize = m_thumbnailImageSize;
    layout.margin = m_thumbnailMargin;
    layout.spacing = m_spacing;
    layout.textHeight = m_thumbnailTextHeight;
    layout.labelWidth = m_thumbnailLabelWidth;
    return layout;
}

// ---------------------------------------------------------------------------
// Geometry and scrolling

int wxThumbnailCtrl::ViewTop() const
{
    int startX = 0, startY = 0, unitX = 0, unitY = 0;
    GetViewStart(&startX, &startY);
    GetScrollPixelsPerUnit(&unitX, &unitY);
    return startY * unitY;
}

bool wxThumbnailCtrl::GetRowCol(int item, const wxSize& clientSize, int& row, int& col) const
{
    wxTHUMBNAIL_CHECK(IsValidIndex(item), item < GetCount(), false);
    GetLayout().RowCol(item, clientSize.x, row, col);
    return true;
}

bool wxThumbnailCtrl::GetItemRect(int n, wxRect& rect, bool transform) const
{
    wxTHUMBNAIL_CHECK(IsValidIndex(n), n < GetCount(), false);
    rect = GetLayout().TileRect(n, GetClientSize().x);
    if (transform)
        rect.SetPosition(CalcScrolledPosition(rect.GetPosition()));
    return true;
}

bool wxThumbnailCtrl::GetItemRectImage(int n, wxRect& rect, bool transform) const
{
    wxTHUMBNAIL_CHECK(IsValidIndex(n), n < GetCount(), false);
    rect = GetLayout().ImageRect(n, GetClientSize().x);
    if (transform)
        rect.SetPosition(CalcScrolledPosition(rect.GetPosition()));
    return true;
}

bool wxThumbnailCtrl::HitTest(const wxPoint& pt, int& n) const
{
    const int index = GetLayout().HitIndex(pt, ViewTop(), GetClientSize().x);
    if (index < 0 || index >= GetCount())
        return false;
    n = index;
    return true;
}

void wxThumbnailCtrl::SetupScrollbars()
{
    if (m_freezeCount > 0)
        return;
    if (GetCount() == 0)
    {
        SetScrollbars(0, 0, 0, 0, 0, 0);
        return;
    }
    const ThumbnailLayout layout = GetLayout();
    const wxSize client = GetClientSize();
    int startX = 0, startY = 0;
    GetViewStart(&startX, &startY);
    startY = std::min(startY, layout.MaxViewStart(GetCount(), client.x, client.y));
    SetScrollbars(0, THUMBNAIL_SCROLL_RATE, 0, layout.ScrollUnits(GetCount(), client.x), 0,
                  std::max(0, startY));
}

void wxThumbnailCtrl::ScrollToUnit(int viewStart)
{
    SetScrollbars(0, THUMBNAIL_SCROLL_RATE, 0,
                  GetLayout().ScrollUnits(GetCount(), GetClientSize().x), 0, viewStart);
}

void wxThumbnailCtrl::ScrollIntoView(int n, int keyCode)
{
    int unitX = 0, unitY = 0;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    wxRect tile;
    if (unitY == 0 || !IsValidIndex(n) || !GetItemRect(n, tile, false))
        return;
    const int start =
        ScrollIntoViewStart(tile, ViewTop(), GetClientSize().y, m_spacing, keyCode);
    if (start >= 0)
        ScrollToUnit(start);
}

void wxThumbnailCtrl::EnsureVisible(int n)
{
    ScrollIntoView(n, WXK_DOWN);
}

// ---------------------------------------------------------------------------
// Entries

int wxThumbnailCtrl::GetCount() const
{
    return static_cast<int>(m_items.size());
}

wxThumbnailItem* wxThumbnailCtrl::GetItem(int n) const
{
    wxTHUMBNAIL_CHECK(IsValidIndex(n), n < GetCount(), nullptr);
    return m_items[n];
}

void wxThumbnailCtrl::LayoutChanged()
{
    // The entry under the pointer may be another one now.
    ShowToolTipFor(-1);
    if (m_freezeCount > 0)
        return;
    SetupScrollbars();
    Refresh(true);
}

int wxThumbnailCtrl::Append(wxThumbnailItem* item, int delay)
{
    m_frameDelay = delay;
    if (!item || !item->Load(this, false))
        return -1;
    const int index = GetCount();
    m_items.Add(item);
    m_firstSelection = m_lastSelection = m_focusItem = -1;
    LayoutChanged();
    return index;
}

int wxThumbnailCtrl::Insert(wxThumbnailItem* item, int pos)
{
    if (!item)
        return -1;
    // A position outside the list would corrupt it; such entries go last.
    if (pos < 0 || pos > GetCount())
        pos = GetCount();
    EndDrag(false); // a press waits for an entry that may move
    m_items.Insert(item, pos);
    m_firstSelection = m_lastSelection = m_focusItem = -1;
    for (size_t i = 0; i < m_selections.size(); ++i)
        if (m_selections[i] >= pos)
            ++m_selections[i];
    item->Load(this, false);
    LayoutChanged();
    return pos;
}

void wxThumbnailCtrl::Clear()
{
    // A drag in progress refers to entries that are going.
    EndDrag(false);
    m_firstSelection = m_lastSelection = m_focusItem = -1;
    m_items.Clear();
    m_selections.Clear();
    LayoutChanged();
}

void wxThumbnailCtrl::Delete(int n)
{
    // A negative index wraps to a huge one, which the array reports.
    if (!m_items.RemoveAt(static_cast<size_t>(n)))
        return;
    EndDrag(false);
    if (m_firstSelection == n)
        m_firstSelection = -1;
    if (m_lastSelection == n)
        m_lastSelection = -1;
    if (m_focusItem == n)
        m_focusItem = -1;
    const int at = m_selections.Index(n);
    if (at != wxNOT_FOUND)
        m_selections.RemoveAt(at);
    for (size_t i = 0; i < m_selections.size(); ++i)
        if (m_selections[i] > n)
            --m_selections[i];
    LayoutChanged();
}

std::vector<std::unique_ptr<wxThumbnailItem>> wxThumbnailCtrl::ExchangeItems(
    std::vector<std::unique_ptr<wxThumbnailItem>> items, const std::vector<int>& selected)
{
    EndDrag(false); // a press waits for an entry that may go
    std::vector<std::unique_ptr<wxThumbnailItem>> old = m_items.Exchange(std::move(items));
    m_firstSelection = m_lastSelection = m_focusItem = -1;
    m_selections.Clear();
    std::vector<bool> taken(GetCount(), false);
    for (const int n : selected)
        if (IsValidIndex(n) && !taken[n])
        {
            taken[n] = true;
            m_selections.Add(n);
        }
    if (!m_selections.empty())
        m_firstSelection = m_lastSelection = m_focusItem = m_selections[0];
    LayoutChanged();
    if (IsValidIndex(m_focusItem))
        EnsureVisible(m_focusItem);
    return old;
}

void wxThumbnailCtrl::Freeze()
{
    ++m_freezeCount;
}

void wxThumbnailCtrl::Thaw()
{
    if (m_freezeCount <= 0)
        return;
    if (--m_freezeCount == 0)
        LayoutChanged();
}

// ---------------------------------------------------------------------------
// Selection

void wxThumbnailCtrl::RefreshItem(int n)
{
    wxRect rect;
    if (m_freezeCount > 0 || !IsValidIndex(n) || !GetItemRect(n, rect, true))
        return;
    RefreshRect(rect);
}

void wxThumbnailCtrl::Select(int n, bool select)
{
    wxTHUMBNAIL_CHECK(IsValidIndex(n), n < GetCount(), );
    const int at = m_selections.Index(n);
    if (select && at == wxNOT_FOUND)
        m_selections.Add(n);
    else if (!select && at != wxNOT_FOUND)
        m_selections.RemoveAt(at);

    const int previousFocus = m_focusItem;
    m_firstSelection = m_lastSelection = m_focusItem = n;
    RefreshItem(n);
    if (previousFocus != -1 && previousFocus != n)
        RefreshItem(previousFocus);
}

void wxThumbnailCtrl::SetFocusItem(int item)
{
    wxTHUMBNAIL_CHECK(IsValidIndex(item), item < GetCount(), );
    const int previousFocus = m_focusItem;
    m_focusItem = item;
    if (previousFocus != -1)
        RefreshItem(previousFocus);
    RefreshItem(item);
}

void wxThumbnailCtrl::SelectAll()
{
    Freeze();
    for (int i = 0; i < GetCount(); ++i)
        Select(i, true);
    m_focusItem = GetCount() - 1;
    Thaw();
}

void wxThumbnailCtrl::DoSelection(int n, int flags)
{
    if (!IsValidIndex(n))
        return;
    const bool wasSelected = IsSelected(n);
    wxArrayInt changed;

    if (flags & wxTHUMBNAIL_CTRL_DOWN)
    {
        Select(n, !wasSelected);
        changed.Add(n);
    }
    else if (flags & wxTHUMBNAIL_SHIFT_DOWN)
    {
        const int anchor = m_firstSelection;
        const wxArrayInt old = m_selections;
        m_selections.Clear();
        bool madeRange = false;
        if (anchor != -1 && anchor < GetCount() && anchor != n)
        {
            const int step = n >= anchor ? 1 : -1;
            for (int i = anchor; i != n; i += step)
            {
                m_selections.Add(i);
                changed.Add(i);
                RefreshItem(i);
            }
            madeRange = true;
        }
        // Entries that dropped out are repainted but not reported.
        for (size_t i = 0; i < old.size(); ++i)
            if (!IsSelected(old[i]))
                RefreshItem(old[i]);
        Select(n, true);
        if (changed.Index(n) == wxNOT_FOUND)
            changed.Add(n);
        if (madeRange)
            m_firstSelection = anchor;
    }
    else
    {
        for (size_t i = 0; i < m_selections.size(); ++i)
        {
            RefreshItem(m_selections[i]);
            changed.Add(m_selections[i]);
        }
        m_selections.Clear();
        Select(n, true);
        if (changed.Index(n) == wxNOT_FOUND)
            changed.Add(n);
    }

    for (size_t i = 0; i < changed.size(); ++i)
    {
        const int c = changed[i];
        SendEvent(IsSelected(c) ? wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED
                                : wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED,
                  c, 0);
    }
}

bool wxThumbnailCtrl::Navigate(int keyCode, int flags)
{
    const int count = GetCount();
    if (count == 0)
        return false;
    const ThumbnailLayout layout = GetLayout();
    const wxSize client = GetClientSize();
    const int perRow = layout.Columns(client.x);
    const int rowsPerPage = layout.RowsPerPage(client.y);

    const int current = m_focusItem != -1 ? m_focusItem : m_lastSelection;
    if (current < 0 || current >= count)
    {
        m_lastSelection = 0;
        DoSelection(0, flags);
        ScrollIntoView(m_lastSelection, keyCode);
        return true;
    }

    const int target = NavigationTarget(keyCode, current, count, perRow, rowsPerPage);
    if (target >= 0)
    {
        DoSelection(target, flags);
        ScrollIntoView(target, keyCode);
    }
    return true;
}

void wxThumbnailCtrl::SendEvent(wxEventType type, int index, int flags)
{
    wxThumbnailEvent event(type, GetId());
    event.SetEventObject(this);
    event.SetIndex(index);
    event.SetFlags(flags);
    GetEventHandler()->ProcessEvent(event);
}

// ---------------------------------------------------------------------------
// Moving entries

bool wxThumbnailCtrl::ApplyOrder(const std::vector<int>& order)
{
    if (order.empty() || !m_items.Reorder(order))
        return false;
    EndDrag(false); // a press waits for an entry that moves
    std::vector<int> newIndex(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        newIndex[order[i]] = static_cast<int>(i);
    const auto follow = [&](int old) { return IsValidIndex(old) ? newIndex[old] : old; };
    for (size_t i = 0; i < m_selections.size(); ++i)
        m_selections[i] = follow(m_selections[i]);
    m_focusItem = follow(m_focusItem);
    m_firstSelection = follow(m_firstSelection);
    m_lastSelection = follow(m_lastSelection);
    LayoutChanged();
    if (IsValidIndex(m_focusItem))
        EnsureVisible(m_focusItem);
    wxThumbnailEvent moved(wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED, GetId());
    moved.SetEventObject(this);
    moved.SetIndex(m_focusItem);
    moved.SetOrder(order);
    GetEventHandler()->ProcessEvent(moved);
    return true;
}

bool wxThumbnailCtrl::MoveSelectionToGap(int gap)
{
    return ApplyOrder(OrderForMoveToGap(GetCount(), std::vector<int>(m_selections.begin(), m_selections.end()), gap));
}

bool wxThumbnailCtrl::ShiftSelection(int delta)
{
    return ApplyOrder(OrderForShift(GetCount(), std::vector<int>(m_selections.begin(), m_selections.end()), delta));
}

int wxThumbnailCtrl::GetInsertionGap(const wxPoint& clientPt) const
{
    return GetLayout().InsertionGap(clientPt, ViewTop(), GetClientSize().x, GetCount());
}

void wxThumbnailCtrl::SetInsertionMark(int gap)
{
    if (gap == m_insertionMark)
        return;
    m_insertionMark = gap;
    Refresh(false);
}

void wxThumbnailCtrl::SetEmptyText(const wxString& text)
{
    m_emptyText = text;
    if (GetCount() == 0)
        Refresh(false);
}

void wxThumbnailCtrl::EndDrag(bool drop)
{
    const int gap = m_insertionMark;
    const bool wasDragging = m_dragging;
    m_pressed = m_dragging = false;
    m_pendingClick = -1;
    if (HasCapture())
        ReleaseMouse();
    SetInsertionMark(-1);
    if (wasDragging && drop && gap >= 0)
        MoveSelectionToGap(gap);
}

// ---------------------------------------------------------------------------
// Painting

bool wxThumbnailCtrl::DrawItem(int n, wxDC& dc, const wxRect& imageRect, int style)
{
    if (!IsValidIndex(n))
        return false;
    return m_items[n]->Draw(dc, this, imageRect, style);
}

bool wxThumbnailCtrl::DrawItemBackground(int n, wxDC& dc, const wxRect& rect,
                                         const wxRect& imageRect, int style)
{
    if (!IsValidIndex(n))
        return false;
    return m_items[n]->DrawBackground(dc, this, rect, imageRect, style, n);
}

int wxThumbnailCtrl::DrawContents(wxDC& dc, const wxRegion& updateRegion)
{
    wxColour background = GetBackgroundColour();
    if (!background.IsOk())
        background = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxSize client = GetClientSize();
    dc.SetBrush(wxBrush(background, wxBRUSHSTYLE_SOLID));
    dc.SetPen(*wxTRANSPARENT_PEN);
    const wxPoint topLeft = CalcUnscrolledPosition(wxPoint(-2, -2));
    dc.DrawRectangle(topLeft.x, topLeft.y, client.x + 4, client.y + 4);

    const bool focused = wxWindow::FindFocus() == this;
    if (focused)
    {
        // The strip shows that keys go to it, also while no entry is the
        // focus entry (or there is none), as the desktop marks a focused field.
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 2));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(CalcUnscrolledPosition(wxPoint(0, 0)), client).Deflate(1));
    }
    const int count = GetCount();
    if (count == 0)
    {
        DrawEmptyText(dc);
        return 0;
    }

    const wxRegion region(updateRegion);

    // Only the rows that the update region spans can be touched; the
    // region test below decides for each tile of those rows.
    const ThumbnailLayout layout = GetLayout();
    const wxRect box = region.GetBox();
    const int pitch = layout.TileHeight() + layout.spacing;
    const int viewTop = ViewTop();
    const int firstRow = std::max(0, (viewTop + box.y - layout.spacing) / pitch);
    const int lastRow = std::max(0, (viewTop + box.y + box.height) / pitch);
    const int perRow = layout.Columns(client.x);
    const int first = std::min(count, firstRow * perRow);
    const int last = std::min(count, (lastRow + 1) * perRow);

    int drawn = 0;
    for (int i = first; i < last; ++i)
    {
        wxRect rect;
        GetItemRect(i, rect, true);
        if (region.Contains(rect) == wxOutRegion)
            continue;
        int style = 0;
        if (IsSelected(i))
            style |= wxTHUMBNAIL_SELECTED;
        if (focused)
        {
            style |= wxTHUMBNAIL_FOCUSED;
            if (i == m_focusItem)
                style |= wxTHUMBNAIL_IS_FOCUS;
        }
        wxRect tile, image;
        GetItemRect(i, tile, false);
        GetItemRectImage(i, image, false);
        DrawItemBackground(i, dc, tile, image, style);
        DrawItem(i, dc, image, style);
        ++drawn;
    }
    if (m_insertionMark >= 0)
    {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(m_focusRectColour));
        dc.DrawRectangle(layout.InsertionMarkRect(m_insertionMark, client.x, count));
    }
    return drawn;
}

void wxThumbnailCtrl::DrawEmptyText(wxDC& dc)
{
    if (m_emptyText.empty())
        return;
    const wxSize client = GetClientSize();
    dc.SetFont(GetFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    const wxSize extent = dc.GetTextExtent(m_emptyText);
    const wxPoint at = CalcUnscrolledPosition(wxPoint((client.x - extent.x) / 2, (client.y - extent.y) / 2));
    dc.DrawText(m_emptyText, std::max(at.x, 0), std::max(at.y, 0));
}

bool wxThumbnailCtrl::RecreateBuffer(const wxSize& size)
{
    wxSize wanted = size;
    if (wanted == wxDefaultSize)
        wanted = GetClientSize();
    if (wanted.x < 1 || wanted.y < 1)
        return false;
    if (m_bufferBitmap.IsOk() && m_bufferBitmap.GetWidth() >= wanted.x &&
        m_bufferBitmap.GetHeight() >= wanted.y)
        return true;
    m_bufferBitmap = wxBitmap(wanted.x, wanted.y, -1);
    return m_bufferBitmap.IsOk();
}

// ---------------------------------------------------------------------------
// Event handlers

void wxThumbnailCtrl::OnPaint(wxPaintEvent& event)
{
    wxBufferedPaintDC dc(this, m_bufferBitmap, wxBUFFER_CLIENT_AREA);
    PrepareDC(dc);
    // While frozen the buffer goes to the screen as it was last drawn.
    if (m_freezeCount > 0)
        return;
    DrawContents(dc, GetUpdateRegion());
}

void wxThumbnailCtrl::OnEraseBackground(wxEraseEvent& event)
{
    // Painting covers everything; erasing first would only flicker.
}

void wxThumbnailCtrl::OnLeftClick(wxMouseEvent& event)
{
    // A press whose release went elsewhere (to a dialog that opened in
    // between) must not linger: every press starts afresh.
    EndDrag(false);
    SetFocus();
    int n = -1;
    if (!HitTest(event.GetPosition(), n))
        return;
    const int flags = ModifierFlags(event);
    m_pressPoint = event.GetPosition();
    // A plain press on one of several selected entries may start dragging
    // them all: its click (which would select it alone) waits for the release.
    if (flags == 0 && IsSelected(n) && m_selections.size() > 1)
    {
        m_pendingClick = n;
        BeginPress();
        return;
    }
    EnsureVisible(n);
    DoSelection(n, flags);
    SendEvent(wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, n, flags);
    if (IsSelected(n))
        BeginPress();
}

void wxThumbnailCtrl::BeginPress()
{
    // Held from the press on: a dialog that opens before the release takes
    // the capture away, and OnCaptureLost forgets the press.
    m_pressed = true;
    CaptureMouse();
}

void wxThumbnailCtrl::OnMouseMove(wxMouseEvent& event)
{
    if (!m_pressed || !event.LeftIsDown())
    {
        int n = -1;
        ShowToolTipFor(HitTest(event.GetPosition(), n) ? n : -1);
        event.Skip();
        return;
    }
    const wxPoint at = event.GetPosition();
    if (!m_dragging)
    {
        const int threshold = std::max(3, wxSystemSettings::GetMetric(wxSYS_DRAG_X, this));
        if (std::abs(at.x - m_pressPoint.x) < threshold && std::abs(at.y - m_pressPoint.y) < threshold)
            return;
        m_dragging = true;
        m_pendingClick = -1;
    }
    // Above or below the strip it scrolls on under the pointer.
    const int viewStart = GetViewStart().y;
    if (at.y < 0 && viewStart > 0)
        Scroll(-1, viewStart - 1);
    else if (at.y > GetClientSize().y)
        Scroll(-1, viewStart + 1);
    // Outside the strip a release cancels the move, so no gap is marked.
    SetInsertionMark(IsInside(at) ? GetInsertionGap(at) : -1);
}

void wxThumbnailCtrl::OnLeftUp(wxMouseEvent& event)
{
    const int pending = m_pendingClick;
    if (m_dragging)
    {
        // Released over another window: the frames stay where they were.
        EndDrag(IsInside(event.GetPosition()));
        return;
    }
    EndDrag(false);
    if (IsValidIndex(pending))
    {
        EnsureVisible(pending);
        DoSelection(pending, 0);
        SendEvent(wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, pending, 0);
    }
    event.Skip();
}

void wxThumbnailCtrl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    EndDrag(false);
}

void wxThumbnailCtrl::OnLeaveWindow(wxMouseEvent& event)
{
    ShowToolTipFor(-1);
    event.Skip();
}

bool wxThumbnailCtrl::IsInside(const wxPoint& clientPt) const
{
    return wxRect(GetClientSize()).Contains(clientPt);
}

void wxThumbnailCtrl::ShowToolTipFor(int n)
{
    if (n == m_toolTipItem)
        return;
    m_toolTipItem = n;
    // The full path: the tile may show only part of the name.
    if (IsValidIndex(n))
        SetToolTip(m_items[n]->GetFilename());
    else
        UnsetToolTip();
}

void wxThumbnailCtrl::OnRightClick(wxMouseEvent& event)
{
    SetFocus();
    int n = -1;
    if (!HitTest(event.GetPosition(), n))
        return;
    ShowToolTipFor(-1); // the menu opens where the path was shown
    // The menu acts on what was clicked: an entry outside the selection
    // becomes the selection; inside it, the selection stays.
    if (!IsSelected(n))
        DoSelection(n, 0);
    else if (n != m_focusItem)
        SetFocusItem(n);
    SendEvent(wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK, n, ModifierFlags(event));
}

void wxThumbnailCtrl::OnMiddleClick(wxMouseEvent& event)
{
    int n = -1;
    if (HitTest(event.GetPosition(), n))
        SendEvent(wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK, n, ModifierFlags(event));
}

void wxThumbnailCtrl::OnLeftDClick(wxMouseEvent& event)
{
    int n = -1;
    if (HitTest(event.GetPosition(), n))
        SendEvent(wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK, n, ModifierFlags(event));
}

void wxThumbnailCtrl::OnChar(wxKeyEvent& event)
{
    const int flags = ModifierFlags(event);
    // Alt with Left or Right moves the selected entries by one place.
    if (flags == wxTHUMBNAIL_ALT_DOWN && (event.GetKeyCode() == WXK_LEFT || event.GetKeyCode() == WXK_RIGHT))
    {
        ShiftSelection(event.GetKeyCode() == WXK_LEFT ? -1 : 1);
        return;
    }
    if (event.GetKeyCode() == WXK_ESCAPE && m_dragging)
    {
        EndDrag(false);
        return;
    }
    // The menu key and Shift+F10 open the context menu, as in every list.
    const bool menuKey = (event.GetKeyCode() == WXK_MENU || event.GetKeyCode() == WXK_WINDOWS_MENU) && flags == 0;
    if (menuKey || (event.GetKeyCode() == WXK_F10 && flags == wxTHUMBNAIL_SHIFT_DOWN))
    {
        SendContextMenuEvent();
        return;
    }
    // Delete removes the selection through the owner's Delete command.
    if (event.GetKeyCode() == WXK_DELETE && flags == 0)
    {
        wxCommandEvent command(wxEVT_MENU, wxID_DELETE);
        command.SetEventObject(this);
        ProcessWindowEvent(command);
        return;
    }
    switch (event.GetKeyCode())
    {
        case WXK_LEFT:
        case WXK_RIGHT:
        case WXK_UP:
        case WXK_DOWN:
        case WXK_HOME:
        case WXK_END:
        case WXK_PAGEUP:
        case WXK_PAGEDOWN:
        {
            const int before = m_focusItem;
            Navigate(event.GetKeyCode(), flags);
            // The owner shows the frame the keys moved to, as after a click.
            if (m_focusItem != before && IsValidIndex(m_focusItem))
                SendEvent(wxEVT_COMMAND_THUMBNAIL_FOCUS_MOVED, m_focusItem, flags);
            break;
        }
        case WXK_RETURN:
            SendEvent(wxEVT_COMMAND_THUMBNAIL_RETURN, -1, flags);
            break;
        default:
            event.Skip();
            break;
    }
}

void wxThumbnailCtrl::SendContextMenuEvent()
{
    if (GetCount() == 0)
        return;
    if (!IsValidIndex(m_focusItem))
        SetFocusItem(m_selections.empty() ? 0 : m_selections[0]);
    EnsureVisible(m_focusItem);
    wxRect image;
    GetItemRectImage(m_focusItem, image, true);
    wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, GetId(), ClientToScreen(image.GetPosition() + image.GetSize() / 2));
    menu.SetEventObject(this);
    ProcessWindowEvent(menu);
}

void wxThumbnailCtrl::OnSize(wxSizeEvent& event)
{
    // The number of columns may have changed; the focus entry stays in view
    // where it was, rather than wherever its new row happens to fall.
    const wxSize before = m_layoutClientSize, after = GetClientSize();
    m_layoutClientSize = after;
    const int start = before.x > 0 && before != after && m_freezeCount == 0
                          ? GetLayout().ViewStartAfterResize(m_focusItem, GetCount(), before, after, ViewTop())
                          : -1;
    SetupScrollbars();
    if (start >= 0 && start != GetViewStart().y)
        ScrollToUnit(start);
    RecreateBuffer();
    event.Skip();
}

void wxThumbnailCtrl::OnSetFocus(wxFocusEvent& event)
{
    // Fills of selected tiles, the focus rectangle and the strip's focus
    // frame follow the focus.
    Refresh(true);
}

void wxThumbnailCtrl::OnKillFocus(wxFocusEvent& event)
{
    // The release of a press may now go to another window.
    EndDrag(false);
    Refresh(true);
}

void wxThumbnailCtrl::OnSelectAll(wxCommandEvent& event)
{
    SelectAll();
}

void wxThumbnailCtrl::OnUpdateSelectAll(wxUpdateUIEvent& event)
{
    event.Enable(GetCount() > 0);
}
