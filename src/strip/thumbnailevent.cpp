#include "strip/thumbnailevent.h"

wxIMPLEMENT_CLASS(wxThumbnailEvent, wxNotifyEvent);

// Registered in this order at start-up; the owner's event tables refer to them.
const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_RETURN = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED = wxNewEventType();
const wxEventType wxEVT_COMMAND_THUMBNAIL_FOCUS_MOVED = wxNewEventType();

wxThumbnailEvent::wxThumbnailEvent(wxEventType commandType, int winid)
    : wxNotifyEvent(commandType, winid), m_itemIndex(-1), m_flags(0)
{
}

wxThumbnailEvent::wxThumbnailEvent(const wxThumbnailEvent& event)
    : wxNotifyEvent(event), m_itemIndex(event.m_itemIndex), m_flags(event.m_flags), m_order(event.m_order)
{
}
