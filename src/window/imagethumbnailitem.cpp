#include "window/imagethumbnailitem.h"

#include "window/thumbnailctrl.h"
#include "window/thumbnaillayout.h"

#include <wx/dc.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/log.h>

wxIMPLEMENT_CLASS(wxImageThumbnailItem, wxThumbnailItem);

wxBitmap ScaleImageToBox(const wxImage& image, int boxWidth, int boxHeight)
{
    if (!image.IsOk())
        return wxBitmap();
    const wxSize size = FitSizeToBox(image.GetSize(), wxSize(boxWidth, boxHeight));
    // A picture too thin for the box would scale to nothing: no thumbnail.
    if (size.x < 1 || size.y < 1)
        return wxBitmap();
    if (size == image.GetSize())
        return wxBitmap(image, -1);
    return wxBitmap(image.Scale(size.x, size.y, wxIMAGE_QUALITY_NORMAL), -1);
}

wxImageThumbnailItem::wxImageThumbnailItem(wxImage* image, int subImageIndex,
                                           const wxString& filename)
    : wxThumbnailItem(filename), m_image(image), m_subImageIndex(subImageIndex)
{
}

wxImageThumbnailItem::~wxImageThumbnailItem() = default;

void wxImageThumbnailItem::SetThumbnailImage(const wxImage& thumbnail)
{
    m_thumbnailImage = thumbnail.IsOk() ? std::make_unique<wxImage>(thumbnail) : nullptr;
}

bool wxImageThumbnailItem::Load(wxThumbnailCtrl* ctrl, bool forceLoad)
{
    if (m_bitmap.IsOk() && !forceLoad)
        return true;
    if (!wxFileExists(m_filename))
        return false;
    if (!m_image || !m_image->IsOk())
        return false;

    wxLogNull noLog;
    // Frames of a GIF file are told apart by their index after the name.
    if (m_filename.EndsWith(".gif"))
        m_filename += wxString::Format("_%d", m_subImageIndex);

    // Turning a large picture into a bitmap costs the GUI thread several
    // milliseconds per frame; the image is kept instead and shared, not copied.
    m_fullImage = *m_image;
    m_fullBitmap = wxBitmap();
    const wxSize box = ctrl ? ctrl->GetThumbnailImageSize() : wxSize(80, 80);
    if (m_thumbnailImage && m_thumbnailImage->GetSize() == FitSizeToBox(m_image->GetSize(), box))
        m_bitmap = wxBitmap(*m_thumbnailImage, -1);
    else
        m_bitmap = ScaleImageToBox(*m_image, box.x, box.y);
    m_thumbnailImage.reset();
    if (m_bitmap.IsOk())
        m_image.reset();
    return true;
}

const wxBitmap& wxImageThumbnailItem::GetFullBitmap() const
{
    if (!m_fullBitmap.IsOk() && m_fullImage.IsOk())
        m_fullBitmap = wxBitmap(m_fullImage, -1);
    return m_fullBitmap;
}

bool wxImageThumbnailItem::Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style)
{
    if (m_bitmap.IsOk())
    {
        const int x = rect.x + (rect.width - m_bitmap.GetWidth()) / 2;
        const int y = rect.y + (rect.height - m_bitmap.GetHeight()) / 2;
        dc.DrawBitmap(m_bitmap, x, y, false);
    }
    return true;
}
