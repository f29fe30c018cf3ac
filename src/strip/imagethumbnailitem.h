#pragma once
// A frame entry made from a picture that its creator has already decoded.

#include "strip/thumbnailitem.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#include <memory>

class wxImageThumbnailItem : public wxThumbnailItem
{
public:
    // Takes ownership of `image`.
    wxImageThumbnailItem(wxImage* image, int subImageIndex, const wxString& filename);
    ~wxImageThumbnailItem() override;

    // A thumbnail already scaled elsewhere (on the loading worker); Load uses
    // it when it fits the strip's box as scaling would, instead of scaling
    // on the GUI thread.
    void SetThumbnailImage(const wxImage& thumbnail);

    bool Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style) override;
    bool Load(wxThumbnailCtrl* ctrl, bool forceLoad) override;
    wxThumbnailItem* Clone() const override;

    // Thumbnail, at most the strip's image box; invalid until loaded.
    const wxBitmap& GetBitmap() const { return m_bitmap; }
    // The picture at its own size; invalid until loaded. The entry keeps it
    // as an image, which the preview scales and the save worker may read on
    // its own thread; the bitmap is made only when someone asks for it.
    const wxImage& GetFullImage() const { return m_fullImage; }
    wxSize GetFullSize() const { return m_fullImage.IsOk() ? m_fullImage.GetSize() : wxSize(0, 0); }
    const wxBitmap& GetFullBitmap() const;
    // The decoded picture while the entry still holds it.
    const wxImage* GetImage() const { return m_image.get(); }
    int GetSubImageIndex() const { return m_subImageIndex; }

private:
    wxBitmap m_bitmap;
    std::unique_ptr<wxImage> m_image; // dropped once the thumbnail exists
    wxImage m_thumbnailImage; // prepared thumbnail, until Load uses it
    int m_subImageIndex;
    wxImage m_fullImage;
    mutable wxBitmap m_fullBitmap; // made from m_fullImage on first request

    wxDECLARE_CLASS(wxImageThumbnailItem);
    wxDECLARE_NO_COPY_CLASS(wxImageThumbnailItem);
};

// The picture scaled down to fit a box (aspect kept, never enlarged); invalid
// when a side would shrink to nothing. Plain image work, safe on any thread.
wxImage FitImageIntoBox(const wxImage& image, const wxSize& box);
// The same as a bitmap of screen depth, on the GUI thread.
wxBitmap ScaleImageToBox(const wxImage& image, int boxWidth, int boxHeight);
