#pragma once
// Notifications of the thumbnail strip to its owner.

#include <wx/event.h>

#include <vector>

class wxThumbnailEvent : public wxNotifyEvent
{
public:
    explicit wxThumbnailEvent(wxEventType commandType = wxEVT_NULL, int winid = 0);
    wxThumbnailEvent(const wxThumbnailEvent& event);

    wxEvent* Clone() const override { return new wxThumbnailEvent(*this); }

    int GetIndex() const { return m_itemIndex; }
    void SetIndex(int index) { m_itemIndex = index; }
    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }
    // Of a move: for each new position, the entry's old index.
    const std::vector<int>& GetOrder() const { return m_order; }
    void SetOrder(const std::vector<int>& order) { m_order = order; }

private:
    int m_itemIndex; // entry concerned, -1 for none
    int m_flags;     // wxTHUMBNAIL_SHIFT_DOWN / _CTRL_DOWN / _ALT_DOWN
    std::vector<int> m_order;

    wxDECLARE_CLASS(wxThumbnailEvent);
};

extern const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_RETURN;
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED;
// A navigation key moved the focus entry (index: the new focus entry).
extern const wxEventType wxEVT_COMMAND_THUMBNAIL_FOCUS_MOVED;

typedef void (wxEvtHandler::*wxThumbnailEventFunction)(wxThumbnailEvent&);

#define wxThumbnailEventHandler(func) wxEVENT_HANDLER_CAST(wxThumbnailEventFunction, func)

#define EVT_THUMBNAIL_ITEM_SELECTED(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_ITEM_DESELECTED(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_LEFT_CLICK(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_MIDDLE_CLICK(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_RIGHT_CLICK(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_LEFT_DCLICK(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_RETURN(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_RETURN, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_ITEMS_MOVED(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED, id, wxThumbnailEventHandler(fn))
#define EVT_THUMBNAIL_FOCUS_MOVED(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_THUMBNAIL_FOCUS_MOVED, id, wxThumbnailEventHandler(fn))
