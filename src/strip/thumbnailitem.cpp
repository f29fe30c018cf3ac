#include "strip/thumbnailitem.h"

#include "strip/thumbnailctrl.h"
#include "strip/thumbnailflags.h"
#include "strip/thumbnaillabel.h"

#include <wx/dc.h>
#include <wx/filename.h>

#include <algorithm>

wxIMPLEMENT_CLASS(wxThumbnailItem, wxObject);

wxThumbnailItem::wxThumbnailItem(const wxString& filename) : m_filename(filename) {}

wxThumbnailItem::~wxThumbnailItem() = default;

bool wxThumbnailItem::Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style)
{
    return false;
}

bool wxThumbnailItem::Load(wxThumbnailCtrl* ctrl, bool forceLoad)
{
    return false;
}

wxThumbnailItem* wxThumbnailItem::Clone() const
{
    return new wxThumbnailItem(m_filename);
}

bool wxThumbnailItem::DrawBackground(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect,
                                     const wxRect& imageRect, int style, int index)
{
    if (!ctrl)
        return false;

    const bool selected = (style & wxTHUMBNAIL_SELECTED) != 0;
    const int x = rect.x, y = rect.y, w = rect.width, h = rect.height;
    const int margin = ctrl->GetThumbnailMargin();

    wxColour fill = ctrl->GetUnselectedColour();
    if (selected)
        fill = (style & wxTHUMBNAIL_FOCUSED) ? ctrl->GetSelectedFocusedColour()
                                             : ctrl->GetSelectedUnfocusedColour();
    dc.SetBrush(wxBrush(fill, wxBRUSHSTYLE_SOLID));
    dc.SetPen(wxPen(fill, 1, wxPENSTYLE_SOLID));
    dc.DrawRectangle(rect);

    // Raised when not selected, sunken when selected.
    dc.SetPen(selected ? *wxWHITE_PEN : *wxBLACK_PEN);
    dc.DrawLine(x + w - 1, y, x + w - 1, y + h - 1);
    dc.DrawLine(x, y + h - 1, x + w, y + h - 1);
    dc.SetPen(selected ? *wxBLACK_PEN : *wxWHITE_PEN);
    dc.DrawLine(x, y, x + w - 1, y);
    dc.DrawLine(x, y, x, y + h - 1);

    const wxString name = TileFileName(m_filename);
    if (!name.empty())
    {
        dc.SetFont(ctrl->GetFont());
        dc.SetTextForeground(selected ? *wxWHITE : *wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxRect box(x + margin, y + margin, w - 2 * margin,
                         (h - imageRect.height) / 2 - 2 * margin);
        // A long name loses its middle, not its end; the tooltip has it whole.
        const wxString shown = FitFileLabel(name, dc, box.width);
        wxCoord textWidth = 0, textHeight = 0;
        dc.GetTextExtent(shown, &textWidth, &textHeight);
        dc.SetClippingRegion(box);
        dc.DrawText(shown, box.x + std::max(0, (box.width - textWidth) / 2), box.y);
        dc.DestroyClippingRegion();
    }

    wxString extension;
    wxFileName::SplitPath(m_filename, nullptr, nullptr, &extension);
    if (!extension.empty())
    {
        dc.SetFont(ctrl->GetFont());
        dc.SetTextForeground(selected ? *wxWHITE : ctrl->GetFrameLabelColour());
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const int gap = (h - imageRect.height) / 2;
        const wxRect box(x + margin, y + h - gap + margin, w - 2 * margin, gap - 2 * margin);
        dc.SetClippingRegion(box);
        dc.DrawText(FormatFrameLabel(index, ctrl->GetFrameDelay()), box.x, box.y);
        dc.DestroyClippingRegion();
    }

    if (style & wxTHUMBNAIL_IS_FOCUS)
    {
        dc.SetPen(wxPen(ctrl->GetFocusRectColour(), 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(imageRect.x - 1, imageRect.y - 1, imageRect.width + 2,
                         imageRect.height + 2);
    }
    return true;
}
