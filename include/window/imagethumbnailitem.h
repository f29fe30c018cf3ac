#pragma once
// A frame entry made from a picture that its creator has already decoded.

#include "window/thumbnailitem.h"

#include <wx/bitmap.h>

#include <memory>

class WXDLLIMPEXP_FWD_CORE wxImage;

class wxImageThumbnailItem : public wxThumbnailItem
{
public:
    // Takes ownership of `image`.
    wxImageThumbnailItem(wxImage* image, int subImageIndex, const wxString& filename);
    ~wxImageThumbnailItem() override;

    bool Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style) override;
    bool Load(wxThumbnailCtrl* ctrl, bool forceLoad) override;

    // Thumbnail, at most the strip's image box; invalid until loaded.
    const wxBitmap& GetBitmap() const { return m_bitmap; }
    // The picture at its own size; invalid until loaded.
    const wxBitmap& GetFullBitmap() const { return m_fullBitmap; }
    // The decoded picture while the entry still holds it.
    const wxImage* GetImage() const { return m_image.get(); }
    int GetSubImageIndex() const { return m_subImageIndex; }

private:
    wxBitmap m_bitmap;
    std::unique_ptr<wxImage> m_image; // dropped once the thumbnail exists
    int m_subImageIndex;
    wxBitmap m_fullBitmap;

    wxDECLARE_CLASS(wxImageThumbnailItem);
    wxDECLARE_NO_COPY_CLASS(wxImageThumbnailItem);
};

// The picture scaled down to fit a box (aspect kept, never enlarged), as a
// bitmap of screen depth; invalid when a side would shrink to nothing.
wxBitmap ScaleImageToBox(const wxImage& image, int boxWidth, int boxHeight);
