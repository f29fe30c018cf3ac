#pragma once
// One frame entry of the thumbnail strip: what the strip may ask of any
// entry (draw its picture, draw its tile, load itself).

#include <wx/object.h>
#include <wx/string.h>

class WXDLLIMPEXP_FWD_CORE wxDC;
class WXDLLIMPEXP_FWD_CORE wxRect;
class wxThumbnailCtrl;

class wxThumbnailItem : public wxObject
{
public:
    explicit wxThumbnailItem(const wxString& filename = wxString());
    ~wxThumbnailItem() override;

    const wxString& GetFilename() const { return m_filename; }
    void SetFilename(const wxString& filename) { m_filename = filename; }

    // Draws the picture into the image box. The base entry has none.
    virtual bool Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style);
    // Draws the tile around the picture: fill, bevel, file-name label,
    // frame label and focus rectangle.
    virtual bool DrawBackground(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect,
                                const wxRect& imageRect, int style, int index);
    // Prepares the bitmaps. The base entry has nothing to load.
    virtual bool Load(wxThumbnailCtrl* ctrl, bool forceLoad);
    // A second entry for the same frame, sharing its pictures.
    virtual wxThumbnailItem* Clone() const;

protected:
    wxString m_filename; // full path; a GIF frame carries "_<frame>" after loading

private:
    wxDECLARE_CLASS(wxThumbnailItem);
    wxDECLARE_NO_COPY_CLASS(wxThumbnailItem);
};
