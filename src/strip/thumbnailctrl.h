#pragma once
// The frame list of the main window: a vertically scrolled grid of tiles, one
// per frame entry, with an ordered multiple selection, a focus entry and a
// selection anchor. Changes are reported with wxThumbnailEvent.

#include "strip/thumbnailflags.h"
#include "strip/thumbnailitemarray.h"
#include "strip/thumbnaillayout.h"

#include <wx/bitmap.h>
#include <wx/dynarray.h>
#include <wx/scrolwin.h>

#include <memory>
#include <vector>

class WXDLLIMPEXP_FWD_CORE wxDC;
class WXDLLIMPEXP_FWD_CORE wxRegion;
class wxThumbnailItem;

class wxThumbnailCtrl : public wxScrolledWindow
{
public:
    // Created with id ID_THUMBNAIL_CTRL; takes the navigation keys and Enter
    // itself even inside a panel.
    wxThumbnailCtrl(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~wxThumbnailCtrl() override;

    // Geometry.
    const wxSize& GetThumbnailImageSize() const { return m_thumbnailImageSize; }
    const wxSize& GetThumbnailOverallSize() const { return m_thumbnailOverallSize; }
    int GetThumbnailTextHeight() const { return m_thumbnailTextHeight; }
    int GetThumbnailMargin() const { return m_thumbnailMargin; }
    int GetSpacing() const { return m_spacing; }
    ThumbnailLayout GetLayout() const;

    bool GetRowCol(int item, const wxSize& clientSize, int& row, int& col) const;
    bool GetItemRect(int n, wxRect& rect, bool transform = true) const;
    bool GetItemRectImage(int n, wxRect& rect, bool transform = true) const;
    bool HitTest(const wxPoint& pt, int& n) const;
    void SetupScrollbars();
    void ScrollIntoView(int n, int keyCode);
    void EnsureVisible(int n);

    // Entries. Append takes the entry only when it loads (else -1 and the
    // caller keeps it); Insert always takes it.
    virtual int Append(wxThumbnailItem* item, int delay);
    virtual int Insert(wxThumbnailItem* item, int pos);
    virtual void Clear();
    virtual void Delete(int n);
    virtual int GetCount() const;
    wxThumbnailItem* GetItem(int n) const;
    // Puts `items` (already loaded) in place of all entries and hands the old
    // ones back, so that entries can leave the strip and come back as they
    // were. `selected` lists the new indices to select, in order; the first
    // becomes the focus entry.
    std::vector<std::unique_ptr<wxThumbnailItem>> ExchangeItems(std::vector<std::unique_ptr<wxThumbnailItem>> items,
                                                                const std::vector<int>& selected);

    // The strip's own layout counter. These hide wxWindow::Freeze/Thaw on
    // purpose: they suspend layout and repaint of the strip only and never
    // freeze the native window. The toolkit's window freeze stays available
    // as wxWindow::Freeze()/Thaw() (the toolkit itself calls it that way).
    void Freeze();
    void Thaw();
    bool IsLayoutFrozen() const { return m_freezeCount > 0; }

    // Moving entries. The selection and the focus follow the moved entries,
    // and wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED tells the owner (index: the
    // focus entry). Each returns false, changing nothing, when nothing would
    // move.
    bool ApplyOrder(const std::vector<int>& order);
    bool MoveSelectionToGap(int gap);
    bool ShiftSelection(int delta);
    // The gap a drop at a client point would go to, and the mark drawn
    // there while a drag is on (-1: none).
    int GetInsertionGap(const wxPoint& clientPt) const;
    void SetInsertionMark(int gap);
    int GetInsertionMark() const { return m_insertionMark; }
    bool IsDragging() const { return m_dragging; }

    // What an empty strip says (drawn in its middle).
    void SetEmptyText(const wxString& text);

    void SetFrameDelay(int delay) { m_frameDelay = delay; }
    int GetFrameDelay() const { return m_frameDelay; }

    // Selection.
    const wxArrayInt& GetSelections() const { return m_selections; }
    bool IsSelected(int n) const { return m_selections.Index(n) != wxNOT_FOUND; }
    int GetFocusItem() const { return m_focusItem; }
    int GetFirstSelection() const { return m_firstSelection; }
    int GetLastSelection() const { return m_lastSelection; }
    void Select(int n, bool select = true);
    void SetFocusItem(int item);
    void SelectAll();
    void DoSelection(int n, int flags);
    virtual bool Navigate(int keyCode, int flags);

    // Painting.
    virtual bool DrawItem(int n, wxDC& dc, const wxRect& imageRect, int style);
    virtual bool DrawItemBackground(int n, wxDC& dc, const wxRect& rect, const wxRect& imageRect,
                                    int style);
    // Background and the tiles that `updateRegion` (client coordinates)
    // touches, into a DC prepared for the scrolled view. Paint events draw
    // through this; returns the number of tiles drawn.
    int DrawContents(wxDC& dc, const wxRegion& updateRegion);
    bool RecreateBuffer(const wxSize& size = wxDefaultSize);
    const wxBitmap& GetBufferBitmap() const { return m_bufferBitmap; }

    const wxColour& GetSelectedFocusedColour() const { return m_selectedFocusedColour; }
    const wxColour& GetSelectedUnfocusedColour() const { return m_selectedUnfocusedColour; }
    const wxColour& GetUnselectedColour() const { return m_unselectedColour; }
    const wxColour& GetFocusRectColour() const { return m_focusRectColour; }
    const wxColour& GetFrameLabelColour() const { return m_frameLabelColour; }

protected:
    wxSize DoGetBestSize() const override;

    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnLeftClick(wxMouseEvent& event);
    void OnRightClick(wxMouseEvent& event);
    void OnMiddleClick(wxMouseEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnSelectAll(wxCommandEvent& event);
    void OnUpdateSelectAll(wxUpdateUIEvent& event);

private:
    bool IsValidIndex(int n) const { return n >= 0 && n < GetCount(); }
    void CalculateOverallThumbnailSize();
    int ViewTop() const;
    void ScrollToUnit(int viewStart);
    void RefreshItem(int n);
    void SendEvent(wxEventType type, int index, int flags);
    void LayoutChanged();
    // A press that may become a drag or a delayed click.
    void BeginPress();
    void EndDrag(bool drop);
    bool IsInside(const wxPoint& clientPt) const;
    // The tooltip names the full path of entry n; -1 takes it away.
    void ShowToolTipFor(int n);
    void DrawEmptyText(wxDC& dc);
    // The keyboard asks for the context menu: of the focus entry (made the
    // first selected entry, or the first, when there is none).
    void SendContextMenuEvent();

    int m_frameDelay;
    wxThumbnailItemArray m_items;
    wxArrayInt m_selections;
    wxSize m_thumbnailOverallSize;
    wxSize m_thumbnailImageSize;
    int m_spacing;
    int m_thumbnailMargin;
    int m_thumbnailTextHeight;
    int m_thumbnailLabelWidth = 0;
    int m_freezeCount; // the strip's own counter, unrelated to the window's
    int m_firstSelection;
    int m_lastSelection;
    int m_focusItem;
    wxColour m_selectedFocusedColour;
    wxColour m_selectedUnfocusedColour;
    wxColour m_unselectedColour;
    wxColour m_focusRectColour;
    wxColour m_frameLabelColour;
    wxBitmap m_bufferBitmap;
    wxString m_emptyText;

    // Dragging entries inside the strip: the press that may start it, the
    // entry whose click waits for the release (a press on a multiple
    // selection keeps it for the drag), and the gap shown.
    bool m_pressed = false;
    bool m_dragging = false;
    wxPoint m_pressPoint;
    int m_pendingClick = -1;
    int m_insertionMark = -1;
    int m_toolTipItem = -1;            // entry whose path the tooltip shows
    wxSize m_layoutClientSize{-1, -1}; // client size of the last layout

    wxDECLARE_CLASS(wxThumbnailCtrl);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxThumbnailCtrl);
};
