#pragma once
// A frame entry made from a picture that its creator has already decoded.

#include "frames/framepicture.h"
#include "frames/storedframe.h"
#include "strip/thumbnailitem.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#include <memory>

class wxImageThumbnailItem : public wxThumbnailItem
{
public:
    // Takes ownership of `image`.
    // Load puts the picture into the frame store.
    wxImageThumbnailItem(wxImage* image, int subImageIndex, const wxString& filename);
    // A frame already in the store, with its thumbnail scaled elsewhere.
    wxImageThumbnailItem(FrameHandle frame, const wxImage& thumbnail, int subImageIndex, const wxString& filename);
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
    // The frame in the store; null until loaded. Cheap to copy and keep: the
    // frame's storage lasts while anyone holds it.
    const FrameHandle& GetFrame() const { return m_frame; }
    wxSize GetFullSize() const { return m_frame ? m_frame->GetSize() : wxSize(0, 0); }
    // The picture at its own size, decoded by the store (shared, read-only).
    FramePicturePtr GetFullPicture() const;
    // The same as a picture of the caller's own, and as a bitmap.
    wxImage GetFullImage() const;
    wxBitmap GetFullBitmap() const;
    // The decoded picture while the entry still holds it.
    const wxImage* GetImage() const { return m_image.get(); }
    int GetSubImageIndex() const { return m_subImageIndex; }

private:
    wxBitmap m_bitmap;
    std::unique_ptr<wxImage> m_image; // dropped once the thumbnail exists
    wxImage m_thumbnailImage; // prepared thumbnail, until Load uses it
    int m_subImageIndex;
    FrameHandle m_frame; // the full picture, kept compactly by the store
    bool m_named = false; // a GIF frame's index is added to the name once

    wxDECLARE_CLASS(wxImageThumbnailItem);
    wxDECLARE_NO_COPY_CLASS(wxImageThumbnailItem);
};

// The picture scaled down to fit a box (aspect kept, never enlarged); invalid
// when a side would shrink to nothing. Plain image work, safe on any thread.
wxImage FitImageIntoBox(const wxImage& image, const wxSize& box);
// The same as a bitmap of screen depth, on the GUI thread.
wxBitmap ScaleImageToBox(const wxImage& image, int boxWidth, int boxHeight);
